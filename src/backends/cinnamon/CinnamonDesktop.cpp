#include "backends/cinnamon/CinnamonDesktop.h"

#include "backends/cinnamon/CinnamonDesktopSwitch.h"
#include "backends/cinnamon/CinnamonWallpaperKeys.h"
#include "backends/gsettings/GSettingsDesktop.h"

namespace hushpane {

DesktopDriverEntry cinnamonDesktop(const DesktopDriverContext& context) {
    return {QStringLiteral("cinnamon"),
            {QStringLiteral("X-Cinnamon"), QStringLiteral("Cinnamon")},
            {QString::fromLatin1(CinnamonDesktopSwitch::kBusName)},
            {QStringLiteral("nemo-desktop")},
            true,
            [&context] {
                return gsettingsDesktopDriver(
                    context, QString::fromLatin1(CinnamonDesktopSwitch::kBusName),
                    QStringLiteral("nemo-desktop"), QStringList(), cinnamonWallpaperKeys(),
                    [&context](GSettingsDesktop& parts) {
                        return std::make_unique<CinnamonDesktopSwitch>(parts.store, parts.program,
                                                                       context.defaults);
                    });
            }};
}

}  // namespace hushpane
