#include "app/DesktopDrivers.h"

#include "backends/cinnamon/CinnamonDesktop.h"
#include "backends/finder/FinderDesktop.h"
#include "backends/gnome/GnomeDesktop.h"
#include "backends/linux/UnsupportedDesktopSwitch.h"
#include "backends/linux/UnsupportedWorkspace.h"
#include "backends/lxde/LxdeDesktop.h"
#include "backends/lxqt/LxqtDesktop.h"
#include "backends/mate/MateDesktop.h"
#include "backends/plasma/PlasmaDesktop.h"
#include "backends/xfce/XfceDesktop.h"
#include "common/Logging.h"

namespace hushpane {

QList<DesktopDriverEntry> desktopDrivers(const DesktopDriverContext& context) {
    return {xfceDesktop(context),   mateDesktop(context),  cinnamonDesktop(context),
            lxdeDesktop(context),   lxqtDesktop(context),  gnomeDesktop(context),
            plasmaDesktop(context), finderDesktop(context)};
}

DesktopDriver makeDesktopDriver(const DesktopDriverContext& context, const QString& storedChoice,
                                const DesktopEnvironment& environment) {
    const DesktopDriverSelector selector(desktopDrivers(context));
    const DesktopDriverSelector::Choice choice = selector.choose(storedChoice, environment);
    if (choice.entry) {
        qCInfo(lcDesktop).noquote()
            << QStringLiteral("Driving the %1 desktop: %2").arg(choice.entry->name, choice.why);
        return choice.entry->make();
    }
    qCWarning(lcDesktop).noquote()
        << QStringLiteral("No supported desktop was found (%1)").arg(choice.why);
    DesktopDriver unsupported;
    unsupported.desktopSwitch =
        std::make_unique<UnsupportedDesktopSwitch>(choice.why, selector.detectableNames());
    unsupported.workspace = std::make_unique<UnsupportedWorkspace>();
    return unsupported;
}

}  // namespace hushpane
