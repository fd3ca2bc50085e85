#pragma once

#include "backends/gsettings/GSettingsDesktopSwitch.h"

namespace hushpane {

// MATE: caja draws the icons while org.mate.background show-desktop-icons is true, and
// applies a change live. Without a session that keeps it, caja ends when its desktop goes,
// so showing starts it again when it is not there.
class MateDesktopSwitch : public GSettingsDesktopSwitch {
public:
    static constexpr auto kSchema = "org.mate.background";
    static constexpr auto kKey = "show-desktop-icons";
    static constexpr auto kBusName = "org.mate.Caja";

    MateDesktopSwitch(SettingsStore& store, DesktopProgram& caja);

    // How Hushpane starts caja to draw the desktop.
    static QStringList cajaCommand();

    QString explanation() const override;

protected:
    bool showsIcons(const QVariant& value) const override { return value.toBool(); }
    QVariant hiddenValue(const QVariant&) override { return false; }
    QVariant shownValue() override { return true; }
    bool startsProgramToShow() const override { return true; }
};

}  // namespace hushpane
