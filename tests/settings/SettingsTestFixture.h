#pragma once

#include "fakes/InMemoryLoginItemService.h"
#include "fakes/InMemoryUpdateService.h"
#include "support/ServicesFixture.h"

#include <QApplication>
#include <QWidget>

#include <memory>

namespace hushpane::test {

class SourceUpdateService : public InMemoryUpdateService {
public:
    QString sourceDescription() const override { return source; }
    QString source = QStringLiteral("updates.hushpane.example");
};

// The real shared objects over the in-memory platform, as the application wires them.
class SettingsFixture : public ServicesFixture<SourceUpdateService> {
protected:
    SettingsFixture() {
        workspace.addDisplay(QStringLiteral("screen"), 1,
                             QUrl::fromLocalFile(QStringLiteral("/usr/share/backgrounds/own.png")));
    }

    // Finds the one child of `root` with that object name, or fails the test.
    template <typename T>
    static T* find(const QObject* root, const QString& name) {
        const QList<T*> found = root->findChildren<T*>(name);
        EXPECT_EQ(found.size(), 1) << "object " << name.toStdString();
        return found.isEmpty() ? nullptr : found.first();
    }

    InMemoryLoginItemService loginItems;
    int quits = 0;
};

}  // namespace hushpane::test
