#pragma once

#include "backends/pcmanfm/PcmanfmDesktopProgram.h"
#include "backends/pcmanfm/PcmanfmDesktopSwitch.h"

namespace hushpane {

// LXDE: pcmanfm --desktop draws the icons of the desktop folder and, as desktop-items-<n>.conf
// in its profile's folder says under [*], the documents, trash and mounts icons. It has no
// setting that hides them all, so hidden is the desktop folder pointed at an empty folder of
// Hushpane's own with those three off; pcmanfm reads the files when its desktop starts.
class LxdeDesktopSwitch : public PcmanfmDesktopSwitch {
public:
    static constexpr auto kSection = "*";
    static constexpr auto kSavedKey = "lxdeDesktopItems";

    LxdeDesktopSwitch(FileManagerDesktop& pcmanfm, UserDefaults& defaults,
                      const QString& emptyFolder = defaultEmptyFolder());

    static PcmanfmDesktopProgram::Options programOptions();
    // Under the user's data folder: hushpane/empty-desktop.
    static QString defaultEmptyFolder();
    // desktop-items-<n>.conf of each screen found in the profile folder; the first always.
    static QStringList itemFiles(const QString& profileDirectory);
};

}  // namespace hushpane
