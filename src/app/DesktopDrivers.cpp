#include "app/DesktopDrivers.h"

#include "backends/finder/FinderDesktopSwitch.h"
#include "backends/linux/UnsupportedDesktopSwitch.h"
#include "backends/linux/UnsupportedWorkspace.h"
#include "backends/xfce/XfceDesktopSwitch.h"
#include "backends/xfce/XfceWorkspace.h"
#include "backends/xfce/XfconfClient.h"
#include "common/Logging.h"

namespace hushpane {

QList<DesktopDriverEntry> desktopDrivers(const DesktopDriverContext& context) {
    QList<DesktopDriverEntry> entries;
    entries.append({QStringLiteral("xfce"),
                    {QStringLiteral("XFCE")},
                    {QStringLiteral("org.xfce.xfdesktop")},
                    {QStringLiteral("xfdesktop")},
                    true,
                    [&context] {
                        // One client for both, so a timeout of one quiets the other's calls.
                        const XfconfClient xfconf(context.bus);
                        return DesktopDriver{
                            std::make_unique<XfceDesktopSwitch>(xfconf, context.defaults),
                            std::make_unique<XfceWorkspace>(xfconf)};
                    }});
#ifdef Q_OS_MACOS
    constexpr bool finderDetectable = true;
#else
    // Elsewhere nothing reads Finder's preferences unless the user says so.
    constexpr bool finderDetectable = false;
#endif
    entries.append({QStringLiteral("finder"),
                    {},
                    {},
                    {QStringLiteral("Finder")},
                    finderDetectable,
                    [&context] {
                        return DesktopDriver{std::make_unique<FinderDesktopSwitch>(
                                                 context.finderDomain, context.launcher),
                                             std::make_unique<UnsupportedWorkspace>()};
                    }});
    return entries;
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
    return DesktopDriver{
        std::make_unique<UnsupportedDesktopSwitch>(choice.why, selector.detectableNames()),
        std::make_unique<UnsupportedWorkspace>()};
}

}  // namespace hushpane
