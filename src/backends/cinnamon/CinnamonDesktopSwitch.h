#pragma once

#include "backends/gsettings/GSettingsDesktopSwitch.h"

namespace hushpane {

class UserDefaults;

// Cinnamon: nemo-desktop draws icons on the monitors org.nemo.desktop desktop-layout names,
// "<primary>::<the others>" as two booleans ("true::false" by default), and follows a change
// live. Hidden is "false::false"; the layout it replaced is kept in the application's
// defaults, so showing brings back exactly that, also after Hushpane was killed.
class CinnamonDesktopSwitch : public GSettingsDesktopSwitch {
public:
    static constexpr auto kSchema = "org.nemo.desktop";
    static constexpr auto kKey = "desktop-layout";
    static constexpr auto kBusName = "org.NemoDesktop";
    static constexpr auto kSavedLayoutKey = "cinnamonDesktopLayout";
    static constexpr auto kHidden = "false::false";
    static constexpr auto kDefaultLayout = "true::false";

    CinnamonDesktopSwitch(SettingsStore& store, DesktopProgram& nemoDesktop,
                          UserDefaults& defaults);

    // True for a well-formed layout with icons on at least one monitor.
    static bool layoutShowsIcons(const QString& layout);

    QString explanation() const override;

protected:
    bool showsIcons(const QVariant& value) const override;
    QVariant hiddenValue(const QVariant& shown) override;
    QVariant shownValue() override;
    void shown() override;

private:
    UserDefaults& defaults_;
};

}  // namespace hushpane
