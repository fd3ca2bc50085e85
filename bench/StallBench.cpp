// The longest time the main thread is held while Hushpane drives a real desktop, in the session
// of the shell harness this runs in (bench/stalls):
//   session_run desktop=<xfce|mate|cinnamon|lxde|lxqt|gnome|plasma> bench_stalls
// Each step (start: the driver made and the desktop's state read; hide; show; the custom
// wallpaper applied and the user's put back; on X11 the recorder's check of the desktop's own
// shortcuts) runs from the event loop while an event-loop watchdog ticks, first with the
// desktop as it is, then with each of its programs and daemons stopped (SIGSTOP) for the whole
// step, and slow (stopped for the first second of each step). One line per step: the longest
// stall in milliseconds against the 50 ms target, and how the step ended.
#include "EventLoopWatchdog.h"

#include "app/DesktopDrivers.h"
#include "app/DesktopKeybindingsCache.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixProcessLauncher.h"
#include "backends/x11/X11HotKeyService.h"
#include "common/UserDefaults.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLoggingCategory>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

#include <unistd.h>

using namespace hushpane;

namespace {

constexpr double kTargetMs = 50;
constexpr int kStepTimeoutMs = 60000;
constexpr int kSlowMs = 1000;

struct Desktop {
    const char* name;
    QStringList programs;  // as /proc/<pid>/comm names them
};

const Desktop kDesktops[] = {
    {"xfce", {QStringLiteral("xfconfd"), QStringLiteral("xfdesktop")}},
    {"mate", {QStringLiteral("caja"), QStringLiteral("dconf-service")}},
    {"cinnamon", {QStringLiteral("nemo-desktop"), QStringLiteral("dconf-service")}},
    {"lxde", {QStringLiteral("pcmanfm")}},
    {"lxqt", {QStringLiteral("pcmanfm-qt")}},
    {"gnome", {QStringLiteral("gnome-shell"), QStringLiteral("dconf-service")}},
    {"plasma", {QStringLiteral("plasmashell")}},
};

QByteArray readProc(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(1 << 20) : QByteArray();
}

// This session's processes named `comm`: this user's, on this display or this bus (what the
// bus started inherits its address), so another session on the machine is left alone.
QList<pid_t> sessionProcesses(const QString& comm) {
    const QList<QByteArray> ours = {
        "DISPLAY=" + qgetenv("DISPLAY"),
        "DBUS_SESSION_BUS_ADDRESS=" + qgetenv("DBUS_SESSION_BUS_ADDRESS"),
        "DBUS_STARTER_ADDRESS=" + qgetenv("DBUS_SESSION_BUS_ADDRESS")};
    QList<pid_t> pids;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        const QString dir = QStringLiteral("/proc/") + pid;
        if (!pid.front().isDigit() || QFileInfo(dir).ownerId() != ::getuid() ||
            readProc(dir + QStringLiteral("/comm")).trimmed() != comm.toUtf8().left(15)) {
            continue;
        }
        const QList<QByteArray> environment =
            readProc(dir + QStringLiteral("/environ")).split('\0');
        if (std::any_of(ours.begin(), ours.end(),
                        [&](const QByteArray& entry) { return environment.contains(entry); })) {
            pids.append(static_cast<pid_t>(pid.toInt()));
        }
    }
    return pids;
}

void signalAll(const QList<pid_t>& pids, int signal) {
    for (const pid_t pid : pids) {
        ::kill(pid, signal);
    }
}

class StallBench {
public:
    StallBench(QString desktop, QString picture)
        : desktop_(std::move(desktop)), picture_(std::move(picture)) {}

    // Runs every step once in `situation`; `before` and `after` frame each step (stopping or
    // slowing a program).
    void run(const QString& situation, const std::function<void()>& before = {},
             const std::function<void()>& after = {}) {
        situation_ = situation;
        const auto step = [&](const char* what, const std::function<void(Done)>& body) {
            if (before) {
                before();
            }
            time(what, body);
            if (after) {
                after();
            }
        };
        step("start", [this](const Done& done) {
            driver_ = std::make_unique<DesktopDriver>(
                makeDesktopDriver(*context_, desktop_, DesktopEnvironment::ofThisSession()));
            const bool shown = driver_->desktopSwitch->createsDesktop();
            screens_ = driver_->workspace->screens();
            originals_.clear();
            for (const WorkspaceScreen& screen : screens_) {
                originals_.append({driver_->workspace->desktopImageUrl(screen),
                                   driver_->workspace->desktopImageOptions(screen)});
            }
            done(shown ? QStringLiteral("shown") : QStringLiteral("hidden"));
        });
        step("hide", [this](const Done& done) { change(false, done); });
        step("show", [this](const Done& done) { change(true, done); });
        step("wallpaper apply", [this](const Done& done) {
            std::optional<QString> error;
            for (const WorkspaceScreen& screen : screens_) {
                if (auto failed = driver_->workspace->setDesktopImageUrl(
                        QUrl::fromLocalFile(picture_), screen, {})) {
                    error = failed;
                }
            }
            done(error.value_or(QStringLiteral("ok")));
        });
        step("wallpaper restore", [this](const Done& done) {
            std::optional<QString> error;
            int restored = 0;
            for (qsizetype i = 0; i < screens_.size(); ++i) {
                const auto& [url, options] = originals_.at(i);
                if (!url) {
                    continue;
                }
                ++restored;
                if (auto failed = driver_->workspace->setDesktopImageUrl(
                        *url, screens_.at(i), options.value_or(QVariantMap()))) {
                    error = failed;
                }
            }
            done(error.value_or(restored > 0
                                    ? QStringLiteral("ok")
                                    : QStringLiteral("no wallpaper was read at the start")));
        });
        if (!qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
            // As the application checks a recorded key: the desktop's own shortcuts, read off
            // the main thread.
            step("recording: desktop's shortcuts", [this](const Done& done) {
                DesktopKeybindingsCache cache(driver_->keybindings);
                x11::X11HotKeyService hotKeys;
                hotKeys.setAcceleratorReader([&cache] {
                    QStringList accelerators;
                    for (const DesktopAccelerator& keybinding : cache.read()) {
                        accelerators.append(keybinding.accelerator);
                    }
                    return accelerators;
                });
                done(QStringLiteral("%1 taken").arg(hotKeys.systemHotKeys().size()));
            });
        }
    }

    void setContext(const DesktopDriverContext* context) { context_ = context; }

    // Shows the icons again after a situation that may have left them hidden.
    void showAgain() {
        if (driver_) {
            time(nullptr, [this](const Done& done) { change(true, done); });
        }
    }

private:
    using Done = std::function<void(const QString& outcome)>;

    void change(bool shown, const Done& done) {
        driver_->desktopSwitch->requestCreatesDesktop(
            shown, [done](const std::optional<QString>& failure) {
                done(failure.value_or(QStringLiteral("ok")));
            });
    }

    // Runs `body` from the event loop and waits, ticking, for its outcome; prints the longest
    // stall meanwhile (nothing for `what` null).
    void time(const char* what, const std::function<void(Done)>& body) {
        auto outcome = std::make_shared<std::optional<QString>>();
        watchdog_.reset();
        QTimer::singleShot(
            0, [&body, outcome] { body([outcome](const QString& text) { *outcome = text; }); });
        const QDeadlineTimer deadline(kStepTimeoutMs);
        while (!outcome->has_value() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        // The loop turns a few more times, so a stall right at the end is counted.
        QCoreApplication::processEvents(QEventLoop::AllEvents,
                                        2 * bench::EventLoopWatchdog::kIntervalMs);
        const double stall = watchdog_.longestStallMs();
        if (what == nullptr) {
            return;
        }
        QString text = outcome->value_or(QStringLiteral("no answer within 60 s"));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        std::printf("%-9s %-22s %-31s %8.1f ms  %-4s %s\n", qPrintable(desktop_),
                    qPrintable(situation_), what, stall, stall <= kTargetMs ? "ok" : "OVER",
                    qPrintable(text.left(90)));
        std::fflush(stdout);
    }

    QString desktop_;
    QString picture_;
    QString situation_;
    const DesktopDriverContext* context_ = nullptr;
    bench::EventLoopWatchdog watchdog_;
    std::unique_ptr<DesktopDriver> driver_;
    QList<WorkspaceScreen> screens_;
    QList<QPair<std::optional<QUrl>, std::optional<QVariantMap>>> originals_;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("app.hushpane.*=false"));
    const QString name = qEnvironmentVariable("HUSHPANE_TEST_DESKTOP");
    const auto found =
        std::find_if(std::begin(kDesktops), std::end(kDesktops),
                     [&](const Desktop& d) { return name == QLatin1String(d.name); });
    if (found == std::end(kDesktops)) {
        std::fprintf(stderr,
                     "usage: session_run desktop=<xfce|mate|cinnamon|lxde|lxqt|gnome|"
                     "plasma> bench_stalls (scripts/lib/session.sh)\n");
        return 2;
    }
    // The custom wallpaper: a plain picture of the display's size.
    const QString picture = QDir::tempPath() + QStringLiteral("/hushpane-stall-wallpaper.png");
    QImage image(1280, 800, QImage::Format_RGB32);
    image.fill(QColor(0x20, 0x60, 0x40));
    image.save(picture);

    const QString home = qEnvironmentVariable("HOME");
    PlistPreferenceDomain domain(
        QStringLiteral("app.hushpane"),
        qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/hushpane/app.hushpane.plist"));
    UserDefaults defaults(domain);
    PosixProcessLauncher launcher;
    PlistPreferenceDomain finderDomain(QStringLiteral("com.apple.finder"),
                                       home + QStringLiteral("/com.apple.finder.plist"));
    const DesktopDriverContext context{QDBusConnection::sessionBus(), defaults, launcher,
                                       finderDomain};
    StallBench bench(name, picture);
    bench.setContext(&context);
    bench.run(QStringLiteral("running"));
    for (const QString& program : found->programs) {
        const QList<pid_t> pids = sessionProcesses(program);
        if (pids.isEmpty()) {
            std::printf("%-9s %-22s not running\n", qPrintable(name), qPrintable(program));
            continue;
        }
        bench.run(
            program + QStringLiteral(" stopped"), [&] { signalAll(pids, SIGSTOP); },
            [&] { signalAll(pids, SIGCONT); });
        bench.showAgain();
        bench.run(program + QStringLiteral(" slow"), [&] {
            signalAll(pids, SIGSTOP);
            QTimer::singleShot(kSlowMs, [pids] { signalAll(pids, SIGCONT); });
        });
        QTimer::singleShot(0, [pids] { signalAll(pids, SIGCONT); });
        bench.showAgain();
    }
    return 0;
}
