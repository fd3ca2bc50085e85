#pragma once

#include "backends/pcmanfm/PcmanfmDesktopProgram.h"
#include "backends/pcmanfm/PcmanfmDesktopSwitch.h"

namespace hushpane {

// LXQt: pcmanfm-qt --desktop draws the icons unless [Desktop] HideItems in its profile's
// settings.conf is true (its own "Hide Desktop Items"). It reads the file only when it
// starts and writes its settings over it when it ends, so the change is made between its
// end and a new start of its desktop.
class LxqtDesktopSwitch : public PcmanfmDesktopSwitch {
public:
    static constexpr auto kSection = "Desktop";
    static constexpr auto kKey = "HideItems";
    static constexpr auto kSettingsFile = "settings.conf";
    static constexpr auto kSavedKey = "lxqtDesktopItems";
    static constexpr auto kBusName = "org.pcmanfm.PCManFM";

    LxqtDesktopSwitch(FileManagerDesktop& pcmanfmQt, UserDefaults& defaults);

    static PcmanfmDesktopProgram::Options programOptions();
};

}  // namespace hushpane
