#pragma once

#include "platform/Workspace.h"

#include <QStringList>

#include <functional>

namespace hushpane {

class FileManagerDesktop;
class IniFile;

// The one wallpaper of a pcmanfm or pcmanfm-qt desktop, kept in its key file (picture and
// mode): the displays count as one, "all", in the wallpaper map. The mode travels in the
// options under kModeKey, so a mode without an equivalent scaling option (tiled) survives a
// get and set unchanged. A running pcmanfm takes a new wallpaper live (--set-wallpaper);
// pcmanfm-qt reads it when its desktop starts again.
class PcmanfmWorkspace : public Workspace {
    Q_OBJECT
public:
    static constexpr auto kModeKey = "PcmanfmWallpaperMode";
    static constexpr auto kScreenId = "all";
    static constexpr quint32 kScreenNumber = 1;

    struct Layout {
        QString desktopName;  // "LXDE"
        QString file;         // in the profile's folder
        QString section;
        QString pictureKey;
        QString modeKey;
        QStringList modes;               // the modes the program knows
        QString zoomMode;                // the one that fills the screen, cropping: "crop"
        bool setsWallpaperLive = false;  // --set-wallpaper and --wallpaper-mode
    };

    PcmanfmWorkspace(FileManagerDesktop& program, Layout layout, QObject* parent = nullptr);

    QList<WorkspaceScreen> screens() const override;
    std::optional<QUrl> desktopImageUrl(const WorkspaceScreen& screen) const override;
    std::optional<QVariantMap> desktopImageOptions(const WorkspaceScreen& screen) const override;
    std::optional<QString> setDesktopImageUrl(const QUrl& url, const WorkspaceScreen& screen,
                                              const QVariantMap& options) override;

    // The program's mode for wallpaper options, and back.
    QString modeFor(const QVariantMap& options) const;
    static QVariantMap optionsForMode(const QString& mode);

private:
    std::optional<IniFile> readFile() const;
    bool fileHolds(const QString& picture, const QString& mode) const;
    // Answers once the live change is in the file, or why not after the program's timeout.
    void whenFileHolds(const QString& picture, const QString& mode,
                       const std::function<void(const std::optional<QString>&)>& done);
    // Hands the change to the running program and answers once it took it.
    void setLive(const QString& picture, const QString& mode,
                 const std::function<void(const std::optional<QString>&)>& done);
    std::optional<QString> editFile(const QString& picture, const QString& mode) const;
    std::optional<QString> failure(const QString& message) const;

    FileManagerDesktop& program_;
    Layout layout_;
};

}  // namespace hushpane
