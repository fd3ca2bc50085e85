#pragma once

#include "platform/DesktopNotifications.h"

#include <QList>

namespace hushpane::test {

// Notifications kept in a list; `closeAll()` plays the person dismissing the one on screen.
class InMemoryDesktopNotifications : public DesktopNotifications {
    Q_OBJECT
public:
    struct Shown {
        QString summary;
        QString body;
    };

    void show(const QString& summary, const QString& body) override {
        shown.append({summary, body});
        showing_ = true;
    }
    bool isShowing() const override { return showing_; }
    void closeAll() { showing_ = false; }

    QList<Shown> shown;

private:
    bool showing_ = false;
};

}  // namespace hushpane::test
