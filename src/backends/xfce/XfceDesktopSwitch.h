#pragma once

#include "backends/xfce/XfconfClient.h"
#include "platform/DesktopSwitch.h"

#include <memory>

namespace hushpane {

class UserDefaults;
class XfconfPropertyWatcher;

// xfdesktop's icon setting as the desktop switch. The icons are hidden exactly when
// xfce4-desktop /desktop-icons/style is 0 (2 draws file icons, 1 minimised windows).
// xfdesktop applies a change live, so nothing has to be restarted.
//
// Hiding remembers the style it replaces in the application's own defaults, so showing can
// bring back the user's choice, also after Hushpane was killed while the icons were hidden.
class XfceDesktopSwitch : public DesktopSwitch {
public:
    static constexpr auto kChannel = "xfce4-desktop";
    static constexpr auto kIconStyleProperty = "/desktop-icons/style";
    // Key in the application's defaults: the style to give back when the icons return.
    static constexpr auto kSavedIconStyleKey = "xfceDesktopIconStyle";

    static constexpr int kNoIcons = 0;
    static constexpr int kMinimizedWindowIcons = 1;
    static constexpr int kFileIcons = 2;  // also xfdesktop's own default

    XfceDesktopSwitch(XfconfClient xfconf, UserDefaults& defaults);
    ~XfceDesktopSwitch() override;

    // A missing property, a value that is not a number or a daemon that cannot be asked all
    // read as icons shown: only a stored 0 means hidden.
    bool createsDesktop() override;
    std::optional<QString> setCreatesDesktop(bool createsDesktop) override;
    // xfdesktop 4.18 crashes, or stops drawing icons while the setting says shown, after a few
    // rounds of changes that come back to back; spaced ones it takes.
    int changesAtOnce() const override { return 1; }
    QString description() const override;
    QString explanation() const override;
    // Told when the icon style changes in xfconf, and when xfconfd answers again.
    void setExternalChangeHandler(std::function<void()> handler) override;

private:
    std::optional<QString> hideIcons();
    std::optional<QString> showIcons();
    std::optional<QString> writeStyle(int style, const QString& logSuffix);
    int savedStyle() const;

    XfconfClient xfconf_;
    UserDefaults& defaults_;
    std::unique_ptr<XfconfPropertyWatcher> watcher_;
};

}  // namespace hushpane
