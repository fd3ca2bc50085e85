#include "app/DesktopDrivers.h"

#include "backends/cinnamon/CinnamonDesktopSwitch.h"
#include "backends/cinnamon/CinnamonWallpaperKeys.h"
#include "backends/finder/FinderDesktopSwitch.h"
#include "backends/gnome/GnomeDesktopSwitch.h"
#include "backends/gnome/GnomeWallpaperKeys.h"
#include "backends/gnome/ShellExtensionsClient.h"
#include "backends/gsettings/GSettingsWorkspace.h"
#include "backends/gsettings/GioSettingsStore.h"
#include "backends/linux/BusDesktopProgram.h"
#include "backends/linux/UnsupportedDesktopSwitch.h"
#include "backends/linux/UnsupportedWorkspace.h"
#include "backends/lxde/LxdeDesktopSwitch.h"
#include "backends/lxde/LxdeWallpaperLayout.h"
#include "backends/lxqt/LxqtDesktopSwitch.h"
#include "backends/lxqt/LxqtWallpaperLayout.h"
#include "backends/mate/MateDesktopSwitch.h"
#include "backends/mate/MateWallpaperKeys.h"
#include "backends/pcmanfm/PcmanfmWorkspace.h"
#include "backends/plasma/PlasmaDesktopSwitch.h"
#include "backends/plasma/PlasmaShellClient.h"
#include "backends/plasma/PlasmaWorkspace.h"
#include "backends/xfce/XfceDesktopSwitch.h"
#include "backends/xfce/XfceWorkspace.h"
#include "backends/xfce/XfconfClient.h"
#include "common/Logging.h"

namespace hushpane {

namespace {

// A desktop whose icons and wallpaper live in GSettings, drawn by one program on the bus.
struct GSettingsDesktop {
    GSettingsDesktop(const QDBusConnection& bus, const QString& busName, const QString& name,
                     const QStringList& command)
        : program(bus, busName, name, command) {}

    GioSettingsStore store;
    BusDesktopProgram program;
};

// GNOME: the Shell's extensions and the wallpaper's settings.
struct GnomeDesktop {
    explicit GnomeDesktop(const QDBusConnection& bus) : extensions(bus) {}

    GioSettingsStore store;
    ShellExtensionsClient extensions;
};

}  // namespace

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
                            nullptr, std::make_unique<XfceDesktopSwitch>(xfconf, context.defaults),
                            std::make_unique<XfceWorkspace>(xfconf)};
                    }});
    entries.append({QStringLiteral("mate"),
                    {QStringLiteral("MATE")},
                    {QString::fromLatin1(MateDesktopSwitch::kBusName)},
                    {QStringLiteral("caja")},
                    true,
                    [&context] {
                        auto parts = std::make_shared<GSettingsDesktop>(
                            context.bus, QString::fromLatin1(MateDesktopSwitch::kBusName),
                            QStringLiteral("caja"), MateDesktopSwitch::cajaCommand());
                        DesktopDriver driver;
                        driver.desktopSwitch =
                            std::make_unique<MateDesktopSwitch>(parts->store, parts->program);
                        driver.workspace = std::make_unique<GSettingsWorkspace>(
                            parts->store, context.defaults, mateWallpaperKeys());
                        driver.shared = std::move(parts);
                        return driver;
                    }});
    entries.append({QStringLiteral("cinnamon"),
                    {QStringLiteral("X-Cinnamon"), QStringLiteral("Cinnamon")},
                    {QString::fromLatin1(CinnamonDesktopSwitch::kBusName)},
                    {QStringLiteral("nemo-desktop")},
                    true,
                    [&context] {
                        auto parts = std::make_shared<GSettingsDesktop>(
                            context.bus, QString::fromLatin1(CinnamonDesktopSwitch::kBusName),
                            QStringLiteral("nemo-desktop"), QStringList());
                        DesktopDriver driver;
                        driver.desktopSwitch = std::make_unique<CinnamonDesktopSwitch>(
                            parts->store, parts->program, context.defaults);
                        driver.workspace = std::make_unique<GSettingsWorkspace>(
                            parts->store, context.defaults, cinnamonWallpaperKeys());
                        driver.shared = std::move(parts);
                        return driver;
                    }});
    entries.append(
        {QStringLiteral("lxde"),
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
         }});
    entries.append({QStringLiteral("lxqt"),
                    {QStringLiteral("LXQt")},
                    {QString::fromLatin1(LxqtDesktopSwitch::kBusName)},
                    {QStringLiteral("pcmanfm-qt")},
                    true,
                    [&context] {
                        PcmanfmDesktopProgram::Options options =
                            LxqtDesktopSwitch::programOptions();
                        options.bus = context.bus;
                        auto pcmanfmQt = std::make_shared<PcmanfmDesktopProgram>(options);
                        DesktopDriver driver;
                        driver.desktopSwitch =
                            std::make_unique<LxqtDesktopSwitch>(*pcmanfmQt, context.defaults);
                        driver.workspace =
                            std::make_unique<PcmanfmWorkspace>(*pcmanfmQt, lxqtWallpaperLayout());
                        driver.shared = std::move(pcmanfmQt);
                        return driver;
                    }});
    entries.append({QStringLiteral("gnome"),
                    // "ubuntu:GNOME", "GNOME-Classic:GNOME" name it too.
                    {QStringLiteral("GNOME")},
                    {QString::fromLatin1(ShellExtensionsClient::kService)},
                    {QStringLiteral("gnome-shell")},
                    true,
                    [&context] {
                        auto parts = std::make_shared<GnomeDesktop>(context.bus);
                        DesktopDriver driver;
                        driver.desktopSwitch = std::make_unique<GnomeDesktopSwitch>(
                            parts->extensions, context.defaults);
                        driver.workspace = std::make_unique<GSettingsWorkspace>(
                            parts->store, context.defaults, gnomeWallpaperKeys());
                        driver.shared = std::move(parts);
                        return driver;
                    }});
    // KDE Plasma, on X11 and Wayland alike: plasmashell's scripting on the session bus.
    entries.append({QStringLiteral("plasma"),
                    {QStringLiteral("KDE")},
                    {QString::fromLatin1(PlasmaShellClient::kService)},
                    {QStringLiteral("plasmashell")},
                    true,
                    [&context] {
                        auto client = std::make_shared<PlasmaShellClient>(context.bus);
                        DesktopDriver driver;
                        driver.desktopSwitch =
                            std::make_unique<PlasmaDesktopSwitch>(*client, context.defaults);
                        driver.workspace = std::make_unique<PlasmaWorkspace>(*client);
                        driver.shared = std::move(client);
                        return driver;
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
                        return DesktopDriver{nullptr,
                                             std::make_unique<FinderDesktopSwitch>(
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
        nullptr, std::make_unique<UnsupportedDesktopSwitch>(choice.why, selector.detectableNames()),
        std::make_unique<UnsupportedWorkspace>()};
}

}  // namespace hushpane
