#include "backends/pcmanfm/PcmanfmDesktopProgram.h"

#include "backends/linux/AwaitAnswer.h"
#include "common/Logging.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <type_traits>

#include <sys/syscall.h>
#include <unistd.h>

namespace hushpane {

namespace {

constexpr int kPollMs = 25;

// Calls `finish` once, however many of the signals it waits for arrive.
template <typename... Args>
std::function<void(Args...)> once(std::type_identity_t<std::function<void(Args...)>> finish) {
    auto done = std::make_shared<bool>(false);
    return [done, finish = std::move(finish)](Args... args) {
        if (!std::exchange(*done, true)) {
            finish(args...);
        }
    };
}

QByteArray readProcFile(const QString& path) {
    QFile file(path);
    // Bounded: command lines and environments are a few kilobytes.
    return file.open(QIODevice::ReadOnly) ? file.read(1 << 20) : QByteArray();
}

// The kernel's state letter for the process whose /proc folder is `dir` ("pid (comm) S ...":
// the state follows the last parenthesis); '?' once it is gone.
char processState(const QString& dir) {
    const QByteArray stat = readProcFile(dir + QStringLiteral("/stat"));
    const qsizetype close = stat.lastIndexOf(')');
    return close >= 0 && close + 2 < stat.size() ? stat.at(close + 2) : '?';
}

// This session's display as a process's environment names it ("DISPLAY=:1").
QByteArray displayEntry() {
    const QByteArray variable =
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ? "WAYLAND_DISPLAY" : "DISPLAY";
    return variable + '=' + qgetenv(variable.constData());
}

QString profileArgument(const QString& profile) {
    return QStringLiteral("--profile=") + profile;
}

}  // namespace

PcmanfmDesktopProgram::PcmanfmDesktopProgram(Options options)
    : options_(std::move(options)), context_(std::make_unique<QObject>()) {}

PcmanfmDesktopProgram::~PcmanfmDesktopProgram() = default;

std::optional<QString> PcmanfmDesktopProgram::profileOf(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument.startsWith(QLatin1String("--profile="))) {
            return argument.mid(10);
        }
        if ((argument == QLatin1String("--profile") || argument == QLatin1String("-p")) &&
            i + 1 < arguments.size()) {
            return arguments.at(i + 1);
        }
        if (argument.startsWith(QLatin1String("-p")) && !argument.startsWith(QLatin1String("--"))) {
            return argument.mid(2);
        }
    }
    return std::nullopt;
}

std::optional<PcmanfmDesktopProgram::Found> PcmanfmDesktopProgram::find() const {
    const QByteArray wanted = options_.executable.toUtf8().left(15);
    const QByteArray display = displayEntry();
    const uint uid = ::getuid();
    const QStringList pids =
        QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& pid : pids) {
        if (pid.isEmpty() || !pid.front().isDigit()) {
            continue;
        }
        const QString dir = QStringLiteral("/proc/") + pid;
        if (QFileInfo(dir).ownerId() != uid ||
            readProcFile(dir + QStringLiteral("/comm")).trimmed() != wanted) {
            continue;
        }
        QStringList arguments;
        for (const QByteArray& argument :
             readProcFile(dir + QStringLiteral("/cmdline")).split('\0')) {
            if (!argument.isEmpty()) {
                arguments.append(QString::fromLocal8Bit(argument));
            }
        }
        if (!arguments.contains(QLatin1String("--desktop")) ||
            !readProcFile(dir + QStringLiteral("/environ")).split('\0').contains(display)) {
            continue;
        }
        const char state = processState(dir);
        return Found{pid.toLongLong(), arguments.mid(1), state == 'T' || state == 't'};
    }
    return std::nullopt;
}

DesktopProgram::State PcmanfmDesktopProgram::state() {
    const std::optional<Found> found = find();
    if (!found) {
        return State::notRunning;
    }
    profile_ = profileOf(found->arguments).value_or(QStringLiteral("default"));
    return found->stopped ? State::notAnswering : State::answering;
}

QString PcmanfmDesktopProgram::profile() {
    if (profile_.isEmpty()) {
        state();
    }
    return profile_.isEmpty() ? QStringLiteral("default") : profile_;
}

QString PcmanfmDesktopProgram::profileDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + options_.configFolder + QLatin1Char('/') + profile();
}

std::optional<QString> PcmanfmDesktopProgram::tell(const QStringList& arguments) {
    return awaitAnswer<std::optional<QString>>(
        [this, &arguments](const auto& done) { tellThen(arguments, done); });
}

std::optional<QString> PcmanfmDesktopProgram::launch() {
    return awaitAnswer<std::optional<QString>>([this](const auto& done) { launchThen(done); });
}

std::optional<QString> PcmanfmDesktopProgram::restart(
    const std::function<std::optional<QString>()>& change) {
    return awaitAnswer<std::optional<QString>>(
        [this, &change](const auto& done) { restartThen(change, done); });
}

void PcmanfmDesktopProgram::tellThen(const QStringList& arguments, const Answer& done) {
    auto* process = new QProcess(context_.get());
    process->setProgram(options_.executable);
    process->setArguments(QStringList{profileArgument(profile())} + arguments);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto* bound = new QTimer(process);
    bound->setSingleShot(true);
    const QString executable = options_.executable;
    const auto answer =
        once<const std::optional<QString>&>([process, done](const std::optional<QString>& failure) {
            process->deleteLater();
            done(failure);
        });
    QObject::connect(
        process, &QProcess::errorOccurred, process,
        [process, answer, executable](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                answer(tr("%1 could not be started: %2").arg(executable, process->errorString()));
            }
        });
    QObject::connect(bound, &QTimer::timeout, process, [process, answer, executable] {
        process->kill();
        answer(
            tr("%1 doesn't answer (waited %2 s)").arg(executable).arg(kCommandTimeoutMs / 1000.0));
    });
    QObject::connect(process, &QProcess::finished, process,
                     [answer, executable, arguments](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0) {
                             answer(tr("%1 %2 failed (exit status %3)")
                                        .arg(executable, arguments.join(QLatin1Char(' ')))
                                        .arg(exitCode));
                         } else {
                             answer(std::nullopt);
                         }
                     });
    bound->start(kCommandTimeoutMs);
    process->start();
}

void PcmanfmDesktopProgram::whenGone(qint64 pid, int ms,
                                     const std::function<void(bool)>& done) const {
    auto* bound = new QTimer(context_.get());
    bound->setSingleShot(true);
    // A pidfd turns readable when the process ends, whoever its parent is.
    const int fd = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
    const bool goneAlready = fd < 0 && errno == ESRCH;
    QSocketNotifier* notifier =
        fd >= 0 ? new QSocketNotifier(fd, QSocketNotifier::Read, bound) : nullptr;
    const auto answer = once<bool>([bound, notifier, fd, done](bool gone) {
        if (notifier != nullptr) {
            // Off the event loop before its descriptor closes: the number is soon another's.
            notifier->setEnabled(false);
            ::close(fd);
        }
        bound->deleteLater();
        done(gone);
    });
    QObject::connect(bound, &QTimer::timeout, bound, [answer] { answer(false); });
    if (notifier != nullptr) {
        QObject::connect(notifier, &QSocketNotifier::activated, bound, [answer] { answer(true); });
    } else {
        // No pidfd (ESRCH: gone already): the process table is asked.
        auto* poll = new QTimer(bound);
        QObject::connect(poll, &QTimer::timeout, bound, [answer, pid, goneAlready] {
            const char state = processState(QStringLiteral("/proc/%1").arg(pid));
            if (goneAlready || state == '?' || state == 'Z') {
                answer(true);
            }
        });
        poll->start(goneAlready ? 0 : kPollMs);
    }
    bound->start(ms);
}

QString PcmanfmDesktopProgram::keepsRunning() const {
    return tr("%1 keeps running for its open windows and would not read the "
              "change; close its windows and try again. Nothing was changed")
        .arg(options_.executable);
}

void PcmanfmDesktopProgram::inTurn(
    const std::function<void(const std::function<void()>& finished)>& job) {
    const auto run = [this, job] {
        busy_ = true;
        job([this] {
            busy_ = false;
            if (!waiting_.isEmpty()) {
                waiting_.takeFirst()();
            }
        });
    };
    if (busy_) {
        waiting_.append(run);
    } else {
        run();
    }
}

void PcmanfmDesktopProgram::restartThen(const std::function<std::optional<QString>()>& change,
                                        const Answer& done) {
    inTurn([this, change, done](const std::function<void()>& finished) {
        restartNow(change, [finished, done](const std::optional<QString>& result) {
            finished();
            done(result);
        });
    });
}

void PcmanfmDesktopProgram::restartNow(const std::function<std::optional<QString>()>& change,
                                       const Answer& done) {
    const std::optional<Found> before = find();
    if (before && before->stopped) {
        done(tr("%1 doesn't answer; nothing was changed").arg(options_.executable));
        return;
    }
    if (!before) {
        changeThenLaunch(change, done);
        return;
    }
    profile_ = profileOf(before->arguments).value_or(QStringLiteral("default"));
    // Refused before its desktop goes off, so the screen does not go blank for nothing.
    if (options_.readsSettingsOnlyAtStart && showsWindows(before->pid)) {
        done(keepsRunning());
        return;
    }
    const qint64 pid = before->pid;
    tellThen({QStringLiteral("--desktop-off")}, [this, pid, change,
                                                 done](const std::optional<QString>& error) {
        if (error) {
            done(tr("%1; nothing was changed").arg(*error));
            return;
        }
        whenGone(pid, kCommandTimeoutMs, [this, pid, change, done](bool gone) {
            if (gone || !options_.readsSettingsOnlyAtStart) {
                changeThenLaunch(change, done);
                return;
            }
            endWindowless(pid, [this, change, done](bool ended) {
                if (ended) {
                    changeThenLaunch(change, done);
                    return;
                }
                // The instance stays for its open windows; its desktop is off.
                tellThen({QStringLiteral("--desktop")},
                         [this, done](const std::optional<QString>&) { done(keepsRunning()); });
            });
        });
    });
}

void PcmanfmDesktopProgram::changeThenLaunch(const std::function<std::optional<QString>()>& change,
                                             const Answer& done) {
    const std::optional<QString> result = change();
    launchAttempt(
        1, [result, done](const std::optional<QString>& error) { done(result ? result : error); });
}

bool PcmanfmDesktopProgram::showsWindows(qint64 pid) const {
    const std::optional<int> open = options_.openWindows ? options_.openWindows(pid) : std::nullopt;
    return open && *open > 0;
}

void PcmanfmDesktopProgram::endWindowless(qint64 pid, const std::function<void(bool)>& done) const {
    const std::optional<int> open = options_.openWindows ? options_.openWindows(pid) : std::nullopt;
    if (!open || *open > 0 || options_.quitMethod.isEmpty()) {
        done(false);
        return;
    }
    // pcmanfm-qt can stay after a window of its own went away, with nothing on screen.
    qCInfo(lcDesktop).noquote() << QStringLiteral("%1 (pid %2) stays without a window; ending it")
                                       .arg(options_.executable)
                                       .arg(pid);
    const QDBusMessage quit =
        QDBusMessage::createMethodCall(options_.busName, options_.desktopObjectPath,
                                       options_.desktopInterface, options_.quitMethod);
    // Its answer does not matter: its end does.
    options_.bus.value_or(QDBusConnection::sessionBus()).asyncCall(quit, kCommandTimeoutMs);
    whenGone(pid, kCommandTimeoutMs, done);
}

bool PcmanfmDesktopProgram::ownsSocket() const {
    // ":1.0" -> "-1" at the end of the socket's name.
    const QString display = qEnvironmentVariable("DISPLAY");
    const QString number = display.section(QLatin1Char(':'), 1).section(QLatin1Char('.'), 0, 0);
    const QByteArray prefix = (QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                               QLatin1Char('/') + options_.socketPrefix)
                                  .toLocal8Bit();
    const QByteArray suffix = '-' + number.toLatin1();
    for (const QByteArray& line : readProcFile(QStringLiteral("/proc/net/unix")).split('\n')) {
        const QByteArray path = line.mid(line.lastIndexOf(' ') + 1);
        if (path.startsWith(prefix) && path.endsWith(suffix)) {
            return true;
        }
    }
    return false;
}

void PcmanfmDesktopProgram::askDrawing(qint64 pid, int timeoutMs,
                                       const std::function<void(bool)>& done) const {
    if (options_.busName.isEmpty()) {
        done(ownsSocket());
        return;
    }
    const QDBusConnection bus = options_.bus.value_or(QDBusConnection::sessionBus());
    if (!bus.isConnected()) {
        done(false);
        return;
    }
    const QDBusMessage owner =
        QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetConnectionUnixProcessID"))
        << options_.busName;
    auto* asked = new QDBusPendingCallWatcher(bus.asyncCall(owner, timeoutMs), context_.get());
    QObject::connect(
        asked, &QDBusPendingCallWatcher::finished, asked,
        [this, bus, pid, timeoutMs, done](QDBusPendingCallWatcher* call) {
            call->deleteLater();
            const QDBusPendingReply<uint> reply = *call;
            if (reply.isError() || reply.value() != pid) {
                done(false);
                return;
            }
            if (options_.desktopProperty.isEmpty()) {
                done(true);
                return;
            }
            // Answered from the program's main thread: one that hangs while it starts owns
            // its name but never says so.
            QDBusMessage get = QDBusMessage::createMethodCall(
                options_.busName, options_.desktopObjectPath,
                QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
            get << options_.desktopInterface << options_.desktopProperty;
            auto* drawing =
                new QDBusPendingCallWatcher(bus.asyncCall(get, timeoutMs), context_.get());
            QObject::connect(drawing, &QDBusPendingCallWatcher::finished, drawing,
                             [done](QDBusPendingCallWatcher* answer) {
                                 answer->deleteLater();
                                 const QDBusPendingReply<QDBusVariant> value = *answer;
                                 done(!value.isError() && value.value().variant().toBool());
                             });
        });
}

qint64 PcmanfmDesktopProgram::startDesktop() {
    QProcess process;
    process.setProgram(options_.executable);
    process.setArguments({QStringLiteral("--desktop"), profileArgument(profile())});
    // It outlives Hushpane and draws on the session's display, whatever Qt platform this
    // process was given.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    return process.startDetached(&pid) ? pid : 0;
}

void PcmanfmDesktopProgram::whenDrawing(const std::function<void(bool)>& done) const {
    constexpr int kAskMs = 1000;
    // Neither the socket nor the answer of a starting instance announces itself: the process
    // table is looked at on every tick, and one question at a time is on its way.
    auto* tick = new QTimer(context_.get());
    const QDeadlineTimer deadline(options_.launchTimeoutMs);
    auto asking = std::make_shared<bool>(false);
    const auto answer = once<bool>([tick, done](bool drawing) {
        tick->deleteLater();
        done(drawing);
    });
    QObject::connect(tick, &QTimer::timeout, tick, [this, deadline, asking, answer] {
        if (deadline.hasExpired()) {
            answer(false);
            return;
        }
        if (*asking) {
            return;
        }
        const std::optional<Found> found = find();
        if (!found) {
            return;
        }
        *asking = true;
        askDrawing(found->pid,
                   static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 1, kAskMs)),
                   [asking, answer](bool drawing) {
                       *asking = false;
                       if (drawing) {
                           answer(true);
                       }
                   });
    });
    tick->start(kPollMs);
}

void PcmanfmDesktopProgram::endStarted(qint64 pid, const std::function<void()>& done) const {
    const QString dir = QStringLiteral("/proc/%1").arg(pid);
    if (pid <= 0 || readProcFile(dir + QStringLiteral("/comm")).trimmed() !=
                        options_.executable.toUtf8().left(15)) {
        done();  // gone already, or the number is another program's by now
        return;
    }
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    whenGone(pid, kCommandTimeoutMs, [done](bool) { done(); });
}

void PcmanfmDesktopProgram::launchThen(
    const std::function<void(const std::optional<QString>&)>& done) {
    inTurn([this, done](const std::function<void()>& finished) {
        launchAttempt(1, [finished, done](const std::optional<QString>& error) {
            finished();
            done(error);
        });
    });
}

void PcmanfmDesktopProgram::launchAttempt(
    int attempt, const std::function<void(const std::optional<QString>&)>& done) {
    // pcmanfm-qt can hang while it starts (in its volume monitor) and then never draws: the
    // hung instance is ended and the desktop started once more, so that it does not stay and
    // block every later change.
    constexpr int kAttempts = 2;
    const qint64 pid = startDesktop();
    if (pid == 0) {
        done(tr("%1 could not be started").arg(options_.executable));
        return;
    }
    whenDrawing([this, attempt, pid, done](bool drawing) {
        if (drawing) {
            qCInfo(lcDesktop).noquote()
                << QStringLiteral("%1 draws the desktop again").arg(options_.executable);
            done(std::nullopt);
            return;
        }
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("%1 (pid %2) did not draw the desktop within %3 ms; ending it")
                   .arg(options_.executable)
                   .arg(pid)
                   .arg(options_.launchTimeoutMs);
        endStarted(pid, [this, attempt, done] {
            if (attempt < kAttempts) {
                launchAttempt(attempt + 1, done);
            } else {
                done(tr("%1 did not draw the desktop again").arg(options_.executable));
            }
        });
    });
}

}  // namespace hushpane
