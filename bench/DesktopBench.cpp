// Times hide + show on a real desktop, Hushpane's driver against the desktop's own command-line
// tool making the same change, in the session of the shell harness this runs in (bench/run):
//   session_run desktop=<xfce|mate|cinnamon|lxde|lxqt|gnome|plasma> bench_desktop <repetitions>
// Two figures each: until the desktop's settings hold the change (Hushpane's call returns once
// xfconfd answered, or dconf wrote it: g_settings_sync; the tool once it exited), and until the
// screen shows it (icons gone, then back). Prints one line per figure: median and
// interquartile range in milliseconds.
#include "BenchStats.h"

#include "support/DesktopScreenCheck.h"
#include "support/HarnessDesktop.h"

#include "app/DesktopDrivers.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "backends/posix/PosixProcessLauncher.h"
#include "common/UserDefaults.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QProcess>
#include <QRect>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <tuple>
#include <vector>

using namespace hushpane;
using test::DesktopScreenCheck;
using test::HarnessDesktop;

using bench::Stats;
using bench::stats;

namespace {

constexpr int kScreenTimeoutMs = 20000;

// The command a user would type on one desktop for the same change.
struct Desktop {
    const char* name;
    QString tool;  // empty: the desktop has no command for it
    QStringList hideArguments;
    QStringList showArguments;
};

// gdbus arguments that run `change` on every desktop through plasmashell's scripting.
QStringList plasmaScript(const QString& change) {
    return {QStringLiteral("call"),
            QStringLiteral("--session"),
            QStringLiteral("--dest"),
            QStringLiteral("org.kde.plasmashell"),
            QStringLiteral("--object-path"),
            QStringLiteral("/PlasmaShell"),
            QStringLiteral("--method"),
            QStringLiteral("org.kde.PlasmaShell.evaluateScript"),
            QStringLiteral("desktops().forEach(function (d) { d.currentConfigGroup = "
                           "['General']; ") +
                change + QStringLiteral(" d.reloadConfig(); });")};
}

const Desktop kDesktops[] = {
    {"xfce",
     QStringLiteral("xfconf-query"),
     {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"),
      QStringLiteral("/desktop-icons/style"), QStringLiteral("-s"), QStringLiteral("0")},
     {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"),
      QStringLiteral("/desktop-icons/style"), QStringLiteral("-s"), QStringLiteral("2")}},
    {"mate",
     QStringLiteral("gsettings"),
     {QStringLiteral("set"), QStringLiteral("org.mate.background"),
      QStringLiteral("show-desktop-icons"), QStringLiteral("false")},
     {QStringLiteral("set"), QStringLiteral("org.mate.background"),
      QStringLiteral("show-desktop-icons"), QStringLiteral("true")}},
    {"cinnamon",
     QStringLiteral("gsettings"),
     {QStringLiteral("set"), QStringLiteral("org.nemo.desktop"), QStringLiteral("desktop-layout"),
      QStringLiteral("false::false")},
     {QStringLiteral("set"), QStringLiteral("org.nemo.desktop"), QStringLiteral("desktop-layout"),
      QStringLiteral("true::false")}},
    {"lxde", {}, {}, {}},
    {"lxqt", {}, {}, {}},
    {"gnome",
     QStringLiteral("gnome-extensions"),
     {QStringLiteral("disable"), QStringLiteral("ding@rastersoft.com")},
     {QStringLiteral("enable"), QStringLiteral("ding@rastersoft.com")}},
    // Plasma has no command for it but its own scripting, which is what a user would script.
    {"plasma", QStringLiteral("gdbus"),
     plasmaScript(QStringLiteral("d.writeConfig('filterMode', 2); "
                                 "d.writeConfig('filterPattern', '*');")),
     plasmaScript(QStringLiteral("d.writeConfig('filterMode', 0);"))},
};

void print(const QString& what, const std::vector<double>& values) {
    if (values.empty()) {
        std::printf("%-52s no measurement\n", qPrintable(what));
        return;
    }
    const Stats s = stats(values);
    std::printf("%-52s median %8.3f ms  (IQR %.3f-%.3f)\n", qPrintable(what), s.median, s.q1, s.q3);
    std::fflush(stdout);
}

// One hide or show, timed from its start.
struct Step {
    double callMs = 0;
    double screenMs = -1;
};

class Bench {
public:
    Bench(const Desktop& desktop, const HarnessDesktop& screen)
        : desktop_(desktop),
          screen_(screen),
          icons_(DesktopScreenCheck::pixelsOtherThan(screen.drawn(), screen.behindIcons(),
                                                     screen.iconArea())) {}

    // Runs `change`, then waits for the screen to agree.
    Step time(const std::function<void()>& change, bool hidden) {
        QElapsedTimer t;
        t.start();
        change();
        Step step;
        step.callMs = static_cast<double>(t.nsecsElapsed()) / 1e6;
        const QDeadlineTimer deadline(kScreenTimeoutMs);
        while (step.screenMs < 0 && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (showsHidden(screen_.grab()) == hidden) {
                step.screenMs = static_cast<double>(t.nsecsElapsed()) / 1e6;
            }
        }
        if (qEnvironmentVariableIsSet("HUSHPANE_BENCH_VERBOSE")) {
            std::fprintf(stderr, "step: call %.1f ms, on screen %.1f ms\n", step.callMs,
                         step.screenMs);
        }
        return step;
    }

    // A round trip made by the desktop's own tool, one process per change.
    std::function<void()> tool(bool hide) const {
        return [this, hide] {
            QProcess process;
            process.start(desktop_.tool, hide ? desktop_.hideArguments : desktop_.showArguments);
            process.waitForFinished(kScreenTimeoutMs);
        };
    }

private:
    // True when no icon is left, false when the icons are drawn as at the start, nothing while
    // the desktop is still painting.
    std::optional<bool> showsHidden(const QImage& shot) const {
        if (shot.isNull()) {
            return std::nullopt;
        }
        const QRect& area = screen_.iconArea();
        if (DesktopScreenCheck::pixelsOtherThan(shot, screen_.behindIcons(), area) == 0) {
            return true;
        }
        if (DesktopScreenCheck::pixelsDiffering(shot, screen_.drawn(), area) <= icons_ / 50) {
            return false;
        }
        return std::nullopt;
    }

    const Desktop& desktop_;
    const HarnessDesktop& screen_;
    int icons_;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("app.hushpane.*=false"));
    const HarnessDesktop screen;
    const int reps = std::max(1, app.arguments().value(1, QStringLiteral("10")).toInt());
    const auto found =
        std::find_if(std::begin(kDesktops), std::end(kDesktops),
                     [&](const Desktop& d) { return screen.name() == QLatin1String(d.name); });
    if (!screen.isValid() || found == std::end(kDesktops)) {
        std::fprintf(stderr,
                     "usage: session_run desktop=<xfce|mate|cinnamon|lxde|lxqt|gnome|plasma> "
                     "bench_desktop [repetitions] (scripts/lib/session.sh)\n");
        return 2;
    }
    const Desktop& desktop = *found;

    // Hushpane as the application builds it, the driver chosen by name.
    const QString home = qEnvironmentVariable("HOME");
    PlistPreferenceDomain domain(
        QStringLiteral("app.hushpane"),
        qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/hushpane/app.hushpane.plist"));
    UserDefaults defaults(domain);
    PosixFileBookmarks bookmarks;
    Preferences preferences(defaults, bookmarks);
    PosixProcessLauncher launcher;
    PlistPreferenceDomain finderDomain(QStringLiteral("com.apple.finder"),
                                       home + QStringLiteral("/com.apple.finder.plist"));
    const DesktopDriverContext context{QDBusConnection::sessionBus(), defaults, launcher,
                                       finderDomain};
    DesktopDriver driver = makeDesktopDriver(context, QString::fromLatin1(desktop.name),
                                             DesktopEnvironment::ofThisSession());
    DesktopController controller(*driver.desktopSwitch, preferences, *driver.workspace);

    Bench bench(desktop, screen);
    if (qEnvironmentVariableIsSet("HUSHPANE_BENCH_VERBOSE")) {
        std::fprintf(stderr, "bus: %s\n",
                     qPrintable(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS")));
        QTest::qWait(2000);
    }
    std::vector<double> oursCall, oursScreen, toolCall, toolScreen;
    const auto add = [](const Step& hide, const Step& show, std::vector<double>& call,
                        std::vector<double>& screenShown) {
        call.push_back(hide.callMs + show.callMs);
        if (hide.screenMs >= 0 && show.screenMs >= 0) {
            screenShown.push_back(hide.screenMs + show.screenMs);
        }
    };
    for (int i = 0; i < reps; ++i) {
        const Step hide = bench.time(
            [&] {
                controller.hide();
                controller.finishPendingChange();
            },
            true);
        const Step show = bench.time(
            [&] {
                controller.show();
                controller.finishPendingChange();
            },
            false);
        add(hide, show, oursCall, oursScreen);
        if (!desktop.tool.isEmpty()) {
            add(bench.time(bench.tool(true), true), bench.time(bench.tool(false), false), toolCall,
                toolScreen);
        }
    }
    const QString who = QString::fromLatin1(desktop.name);
    print(who + QStringLiteral(" hide+show until stored, Hushpane"), oursCall);
    if (!desktop.tool.isEmpty()) {
        print(who + QStringLiteral(" hide+show until stored, ") + desktop.tool, toolCall);
    }
    print(who + QStringLiteral(" hide+show until on screen, Hushpane"), oursScreen);
    if (!desktop.tool.isEmpty()) {
        print(who + QStringLiteral(" hide+show until on screen, ") + desktop.tool, toolScreen);
    }
    for (const auto& [what, ours, tool] : {std::tuple{"stored", &oursCall, &toolCall},
                                           std::tuple{"on screen", &oursScreen, &toolScreen}}) {
        if (!ours->empty() && !tool->empty()) {
            std::printf("%-52s %8.2f (below 1: Hushpane is faster)\n",
                        qPrintable(who + QStringLiteral(" ") + QLatin1String(what) +
                                   QStringLiteral(", Hushpane / tool")),
                        stats(*ours).median / stats(*tool).median);
        }
    }
    return 0;
}
