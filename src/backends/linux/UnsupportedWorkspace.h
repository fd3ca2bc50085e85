#pragma once

#include "platform/Workspace.h"

namespace hushpane {

// The displays of a desktop whose wallpaper Hushpane cannot change: they are listed (from Qt),
// no picture can be read, and setting one fails with a sentence that says why.
class UnsupportedWorkspace : public Workspace {
    Q_OBJECT
public:
    explicit UnsupportedWorkspace(QObject* parent = nullptr);

    QList<WorkspaceScreen> screens() const override;
    std::optional<QUrl> desktopImageUrl(const WorkspaceScreen&) const override {
        return std::nullopt;
    }
    std::optional<QVariantMap> desktopImageOptions(const WorkspaceScreen&) const override {
        return std::nullopt;
    }
    // Nothing to give back: setting a picture fails anyway and says why.
    std::optional<QVariantMap> wallpaperState(const WorkspaceScreen&) const override {
        return QVariantMap();
    }
    std::optional<QString> setDesktopImageUrl(const QUrl& url, const WorkspaceScreen& screen,
                                              const QVariantMap& options) override;
};

}  // namespace hushpane
