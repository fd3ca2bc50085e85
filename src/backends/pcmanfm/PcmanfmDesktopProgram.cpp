#include "backends/pcmanfm/PcmanfmDesktopProgram.h"

#include "common/Logging.h"

#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <QDBusMessage>
#include <QDBusVariant>

#include <algorithm>
#include <csignal>

#include <unistd.h>

namespace hushpane {

namespace {

constexpr int kPollMs = 25;

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

PcmanfmDesktopProgram::PcmanfmDesktopProgram(Options options) : options_(std::move(options)) {}

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
    QProcess process;
    process.setProgram(options_.executable);
    process.setArguments(QStringList{profileArgument(profile())} + arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(kCommandTimeoutMs)) {
        return tr("%1 could not be started: %2").arg(options_.executable, process.errorString());
    }
    if (!process.waitForFinished(kCommandTimeoutMs)) {
        process.kill();
        process.waitForFinished(kCommandTimeoutMs);
        return tr("%1 doesn't answer (waited %2 s)")
            .arg(options_.executable)
            .arg(kCommandTimeoutMs / 1000.0);
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return tr("%1 %2 failed (exit status %3)")
            .arg(options_.executable, arguments.join(QLatin1Char(' ')))
            .arg(process.exitCode());
    }
    return std::nullopt;
}

bool PcmanfmDesktopProgram::waitUntilGone(qint64 pid) const {
    const QDeadlineTimer deadline(kCommandTimeoutMs);
    while (!deadline.hasExpired()) {
        const std::optional<Found> found = find();
        if (!found || found->pid != pid) {
            return true;
        }
        QThread::msleep(kPollMs);
    }
    return false;
}

std::optional<QString> PcmanfmDesktopProgram::restart(
    const std::function<std::optional<QString>()>& change) {
    const std::optional<Found> before = find();
    if (before && before->stopped) {
        return tr("%1 doesn't answer; nothing was changed").arg(options_.executable);
    }
    const auto keepsRunning = [this] {
        return tr("%1 keeps running for its open windows and would not read the "
                  "change; close its windows and try again. Nothing was changed")
            .arg(options_.executable);
    };
    if (before) {
        profile_ = profileOf(before->arguments).value_or(QStringLiteral("default"));
        // Refused before its desktop goes off, so the screen does not go blank for nothing.
        if (options_.readsSettingsOnlyAtStart && showsWindows(before->pid)) {
            return keepsRunning();
        }
        if (auto error = tell({QStringLiteral("--desktop-off")})) {
            return tr("%1; nothing was changed").arg(*error);
        }
        if (!waitUntilGone(before->pid) && options_.readsSettingsOnlyAtStart &&
            !endWindowless(before->pid)) {
            // The instance stays for its open windows; its desktop is off.
            tell({QStringLiteral("--desktop")});
            return keepsRunning();
        }
    }
    std::optional<QString> result = change();
    if (auto error = launch(); error && !result) {
        result = error;
    }
    return result;
}

bool PcmanfmDesktopProgram::showsWindows(qint64 pid) const {
    const std::optional<int> open = options_.openWindows ? options_.openWindows(pid) : std::nullopt;
    return open && *open > 0;
}

bool PcmanfmDesktopProgram::endWindowless(qint64 pid) const {
    const std::optional<int> open = options_.openWindows ? options_.openWindows(pid) : std::nullopt;
    if (!open || *open > 0 || options_.quitMethod.isEmpty()) {
        return false;
    }
    // pcmanfm-qt can stay after a window of its own went away, with nothing on screen.
    qCInfo(lcDesktop).noquote() << QStringLiteral("%1 (pid %2) stays without a window; ending it")
                                       .arg(options_.executable)
                                       .arg(pid);
    const QDBusMessage quit =
        QDBusMessage::createMethodCall(options_.busName, options_.desktopObjectPath,
                                       options_.desktopInterface, options_.quitMethod);
    options_.bus.value_or(QDBusConnection::sessionBus())
        .call(quit, QDBus::Block, kCommandTimeoutMs);
    return waitUntilGone(pid);
}

bool PcmanfmDesktopProgram::takesCommands(qint64 pid) const {
    if (!options_.busName.isEmpty()) {
        const QDBusConnection bus = options_.bus.value_or(QDBusConnection::sessionBus());
        const QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
        return names && names->isServiceRegistered(options_.busName).value() &&
               names->servicePid(options_.busName).value() == pid;
    }
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

bool PcmanfmDesktopProgram::drawsDesktop(int timeoutMs) const {
    if (options_.desktopProperty.isEmpty()) {
        return true;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        options_.busName, options_.desktopObjectPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << options_.desktopInterface << options_.desktopProperty;
    const QDBusConnection bus = options_.bus.value_or(QDBusConnection::sessionBus());
    const QDBusMessage reply = bus.call(get, QDBus::Block, timeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
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

bool PcmanfmDesktopProgram::waitUntilDrawing() const {
    constexpr int kAskMs = 1000;
    const QDeadlineTimer deadline(options_.launchTimeoutMs);
    while (!deadline.hasExpired()) {
        const std::optional<Found> found = find();
        if (found && takesCommands(found->pid) &&
            drawsDesktop(
                static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 1, kAskMs)))) {
            return true;
        }
        QThread::msleep(kPollMs);
    }
    return false;
}

void PcmanfmDesktopProgram::endStarted(qint64 pid) const {
    const QString dir = QStringLiteral("/proc/%1").arg(pid);
    if (pid <= 0 || readProcFile(dir + QStringLiteral("/comm")).trimmed() !=
                        options_.executable.toUtf8().left(15)) {
        return;  // gone already, or the number is another program's by now
    }
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    const QDeadlineTimer deadline(kCommandTimeoutMs);
    // Gone once its entry is, or it is a zombie waiting for its parent.
    for (char state = processState(dir); state != '?' && state != 'Z' && !deadline.hasExpired();
         state = processState(dir)) {
        QThread::msleep(kPollMs);
    }
}

std::optional<QString> PcmanfmDesktopProgram::launch() {
    // pcmanfm-qt can hang while it starts (in its volume monitor) and then never draws: the
    // hung instance is ended and the desktop started once more, so that it does not stay and
    // block every later change.
    constexpr int kAttempts = 2;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const qint64 pid = startDesktop();
        if (pid == 0) {
            return tr("%1 could not be started").arg(options_.executable);
        }
        if (waitUntilDrawing()) {
            qCInfo(lcDesktop).noquote()
                << QStringLiteral("%1 draws the desktop again").arg(options_.executable);
            return std::nullopt;
        }
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("%1 (pid %2) did not draw the desktop within %3 ms; ending it")
                   .arg(options_.executable)
                   .arg(pid)
                   .arg(options_.launchTimeoutMs);
        endStarted(pid);
    }
    return tr("%1 did not draw the desktop again").arg(options_.executable);
}

}  // namespace hushpane
