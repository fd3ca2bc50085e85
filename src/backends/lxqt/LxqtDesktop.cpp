#include "backends/lxqt/LxqtDesktop.h"

#include "backends/lxqt/LxqtDesktopSwitch.h"
#include "backends/lxqt/LxqtWallpaperLayout.h"
#include "backends/pcmanfm/PcmanfmWorkspace.h"

namespace hushpane {

DesktopDriverEntry lxqtDesktop(const DesktopDriverContext& context) {
    return {QStringLiteral("lxqt"),
            {QStringLiteral("LXQt")},
            {QString::fromLatin1(LxqtDesktopSwitch::kBusName)},
            {QStringLiteral("pcmanfm-qt")},
            true,
            [&context] {
                PcmanfmDesktopProgram::Options options = LxqtDesktopSwitch::programOptions();
                options.bus = context.bus;
                auto pcmanfmQt = std::make_shared<PcmanfmDesktopProgram>(options);
                DesktopDriver driver;
                driver.desktopSwitch =
                    std::make_unique<LxqtDesktopSwitch>(*pcmanfmQt, context.defaults);
                driver.workspace =
                    std::make_unique<PcmanfmWorkspace>(*pcmanfmQt, lxqtWallpaperLayout());
                driver.shared = std::move(pcmanfmQt);
                return driver;
            }};
}

}  // namespace hushpane
