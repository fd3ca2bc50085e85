#pragma once

#include "platform/Workspace.h"

#include <QHash>
#include <QSet>

namespace hushpane::test {

// Displays and their wallpapers in memory. Per display (by id): the current picture and
// options, and an optional error text that makes setting a picture fail.
class InMemoryWorkspace : public Workspace {
    Q_OBJECT
public:
    struct Display {
        WorkspaceScreen screen;
        std::optional<QUrl> image;
        std::optional<QVariantMap> options;
        QString setError;  // non-empty: setDesktopImageUrl fails with this text
    };

    // Attaches a display; `number` becomes its "NSScreenNumber" unless nullopt.
    Display& addDisplay(const QString& id, std::optional<quint32> number,
                        std::optional<QUrl> image = std::nullopt);
    void removeDisplay(const QString& id);
    Display& display(const QString& id);

    QList<WorkspaceScreen> screens() const override;
    std::optional<QUrl> desktopImageUrl(const WorkspaceScreen& screen) const override;
    std::optional<QVariantMap> desktopImageOptions(const WorkspaceScreen& screen) const override;
    std::optional<QString> setDesktopImageUrl(const QUrl& url, const WorkspaceScreen& screen,
                                              const QVariantMap& options) override;
    bool fileExistsAtPath(const QString& path) const override { return files.contains(path); }

    struct SetCall {
        QString screenId;
        QUrl url;
        QVariantMap options;
    };
    QList<SetCall> setCalls;
    QSet<QString> files;  // paths that "exist"

private:
    QList<Display> displays_;
};

}  // namespace hushpane::test
