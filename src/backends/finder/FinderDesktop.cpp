#include "backends/finder/FinderDesktop.h"

#include "backends/finder/FinderDesktopSwitch.h"
#include "backends/linux/UnsupportedWorkspace.h"

namespace hushpane {

DesktopDriverEntry finderDesktop(const DesktopDriverContext& context) {
#ifdef Q_OS_MACOS
    constexpr bool detectable = true;
#else
    // Elsewhere nothing reads Finder's preferences unless the user says so.
    constexpr bool detectable = false;
#endif
    return {QStringLiteral("finder"), {}, {}, {QStringLiteral("Finder")}, detectable, [&context] {
                DesktopDriver driver;
                driver.desktopSwitch =
                    std::make_unique<FinderDesktopSwitch>(context.finderDomain, context.launcher);
                driver.workspace = std::make_unique<UnsupportedWorkspace>();
                driver.hasMenuBarAndDock = true;
                return driver;
            }};
}

}  // namespace hushpane
