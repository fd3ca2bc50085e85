#include "backends/mate/MateDesktop.h"

#include "backends/gsettings/GSettingsDesktop.h"
#include "backends/mate/MateDesktopSwitch.h"
#include "backends/mate/MateWallpaperKeys.h"

namespace hushpane {

DesktopDriverEntry mateDesktop(const DesktopDriverContext& context) {
    return {QStringLiteral("mate"),
            {QStringLiteral("MATE")},
            {QString::fromLatin1(MateDesktopSwitch::kBusName)},
            {QStringLiteral("caja")},
            true,
            [&context] {
                return gsettingsDesktopDriver(
                    context, QString::fromLatin1(MateDesktopSwitch::kBusName),
                    QStringLiteral("caja"), MateDesktopSwitch::cajaCommand(), mateWallpaperKeys(),
                    [](GSettingsDesktop& parts) {
                        return std::make_unique<MateDesktopSwitch>(parts.store, parts.program);
                    });
            }};
}

}  // namespace hushpane
