#include "backends/lxde/LxdeDesktop.h"

#include "backends/lxde/LxdeDesktopSwitch.h"
#include "backends/lxde/LxdeWallpaperLayout.h"
#include "backends/pcmanfm/PcmanfmWorkspace.h"

namespace hushpane {

DesktopDriverEntry lxdeDesktop(const DesktopDriverContext& context) {
    return {
        QStringLiteral("lxde"),
        {QStringLiteral("LXDE")},
        {},
        {QStringLiteral("pcmanfm")},
        true,
        [&context] {
            auto pcmanfm =
                std::make_shared<PcmanfmDesktopProgram>(LxdeDesktopSwitch::programOptions());
            DesktopDriver driver;
            driver.desktopSwitch = std::make_unique<LxdeDesktopSwitch>(*pcmanfm, context.defaults);
            driver.workspace = std::make_unique<PcmanfmWorkspace>(*pcmanfm, lxdeWallpaperLayout());
            driver.shared = std::move(pcmanfm);
            return driver;
        }};
}

}  // namespace hushpane
