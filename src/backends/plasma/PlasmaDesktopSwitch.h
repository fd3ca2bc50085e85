#pragma once

#include "platform/DesktopSwitch.h"

#include <QCoreApplication>
#include <QJsonObject>

#include <functional>
#include <memory>

namespace hushpane {

class ConfigFileWatcher;
class PlasmaScripting;
class UserDefaults;

// KDE Plasma: plasmashell's folder view (the desktop containment org.kde.plasma.folder) draws
// the icons, one containment per screen and activity. Hiding sets each folder view's file
// filter to hide every item (filterMode 2, "*", all/all) through the desktop scripting;
// widgets, wallpaper and the folder itself stay as they are. The filter each containment had
// is kept in the application's defaults first, by containment id, so showing puts back exactly
// that, also after Hushpane was killed. A containment whose filter the user changed while the
// icons were hidden keeps the user's filter. Desktops of another kind (the plain
// org.kde.desktopcontainment) draw no icons and are left alone.
class PlasmaDesktopSwitch : public DesktopSwitch {
    Q_DECLARE_TR_FUNCTIONS(hushpane::PlasmaDesktopSwitch)

public:
    static constexpr auto kFolderPlugin = "org.kde.plasma.folder";
    static constexpr auto kSavedFiltersKey = "plasmaFolderFilters";

    PlasmaDesktopSwitch(PlasmaScripting& scripting, UserDefaults& defaults);
    ~PlasmaDesktopSwitch() override;
    PlasmaDesktopSwitch(const PlasmaDesktopSwitch&) = delete;
    PlasmaDesktopSwitch& operator=(const PlasmaDesktopSwitch&) = delete;

    bool createsDesktop() override;
    std::optional<QString> setCreatesDesktop(bool createsDesktop) override;
    QString description() const override;
    QString explanation() const override;
    // Plasma saves the folder views' settings to its applets file, also when the user changes
    // a filter in the desktop's own settings: a change of that file is told.
    void setExternalChangeHandler(std::function<void()> handler) override;

    // Where plasmashell keeps its desktops' settings.
    static QString appletsFile();

    // The filter keys as hiding writes them, and as a folder view has them by default.
    static QJsonObject hiddenFilter();
    static QJsonObject defaultFilter();

private:
    struct FolderViews {
        QJsonObject filters;  // containment id -> its filter keys
        std::optional<QString> error;
    };
    FolderViews readFolderViews();
    std::optional<QString> hide();
    std::optional<QString> show();
    static std::optional<QString> failure(const QString& message);

    PlasmaScripting& scripting_;
    UserDefaults& defaults_;
    std::unique_ptr<ConfigFileWatcher> appletsWatcher_;
};

}  // namespace hushpane
