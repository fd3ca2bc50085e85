#include "app/DesktopDriverSelector.h"

#include "common/Logging.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>

#include <algorithm>
#include <memory>
#include <optional>

#include <unistd.h>

namespace hushpane {

namespace {

bool namesDesktop(const QString& names, const QStringList& wanted) {
    const QStringList given = names.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& name : given) {
        if (wanted.contains(name.trimmed(), Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

// One entry of a process's environment ("DISPLAY=:1" for the prefix "DISPLAY="), or empty.
QByteArray environmentEntry(const QString& procDir, const QByteArray& prefix) {
    QFile environ(procDir + QStringLiteral("/environ"));
    if (!environ.open(QIODevice::ReadOnly)) {
        return {};
    }
    // Bounded: an environment is a few kilobytes.
    const QList<QByteArray> entries = environ.read(1 << 20).split('\0');
    for (const QByteArray& entry : entries) {
        if (entry.startsWith(prefix)) {
            return entry;
        }
    }
    return {};
}

// This user's processes by name, from /proc: read once, as detection asks for several names.
QMultiHash<QByteArray, QString> userProcesses() {
    QMultiHash<QByteArray, QString> processes;
    const uint uid = ::getuid();
    const QStringList pids =
        QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& pid : pids) {
        if (pid.isEmpty() || !pid.front().isDigit()) {
            continue;
        }
        const QString dir = QStringLiteral("/proc/") + pid;
        if (QFileInfo(dir).ownerId() != uid) {
            continue;
        }
        QFile comm(dir + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly)) {
            processes.insert(comm.read(64).trimmed(), dir);
        }
    }
    return processes;
}

// Whether a process of this user draws on this session's display under `name`. A process name
// is at most 15 bytes in /proc, so longer names are compared by that prefix. Desktops of other
// sessions of the same user (another display) do not count.
bool runsOnThisDisplay(const QMultiHash<QByteArray, QString>& processes, const QString& name) {
    const QByteArray variable =
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ? "WAYLAND_DISPLAY" : "DISPLAY";
    const QByteArray prefix = variable + '=';
    const QByteArray display = prefix + qgetenv(variable.constData());
    const auto [first, last] = processes.equal_range(name.toUtf8().left(15));
    return std::any_of(
        first, last, [&](const QString& dir) { return environmentEntry(dir, prefix) == display; });
}

}  // namespace

DesktopEnvironment DesktopEnvironment::ofThisSession() {
    DesktopEnvironment environment;
    environment.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    environment.sessionDesktop = qEnvironmentVariable("XDG_SESSION_DESKTOP");
    environment.ownsBusName = [](const QString& name) {
        // Asks the bus itself, which never activates the name's service.
        const QDBusConnection bus = QDBusConnection::sessionBus();
        const QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
        return names && names->isServiceRegistered(name).value();
    };
    environment.runsProcess =
        [processes = std::make_shared<std::optional<QMultiHash<QByteArray, QString>>>()](
            const QString& name) {
            if (!*processes) {
                *processes = userProcesses();
            }
            return runsOnThisDisplay(**processes, name);
        };
    return environment;
}

QString DesktopEnvironment::described() const {
    QStringList parts;
    if (!currentDesktop.isEmpty()) {
        parts.append(QStringLiteral("XDG_CURRENT_DESKTOP=") + currentDesktop);
    }
    if (!sessionDesktop.isEmpty()) {
        parts.append(QStringLiteral("XDG_SESSION_DESKTOP=") + sessionDesktop);
    }
    if (parts.isEmpty()) {
        return QStringLiteral("XDG_CURRENT_DESKTOP is not set");
    }
    return parts.join(QStringLiteral(", "));
}

DesktopDriverSelector::DesktopDriverSelector(QList<DesktopDriverEntry> entries)
    : entries_(std::move(entries)) {}

const DesktopDriverEntry* DesktopDriverSelector::byName(const QString& name) const {
    for (const DesktopDriverEntry& entry : entries_) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &entry;
        }
    }
    return nullptr;
}

DesktopDriverSelector::Choice DesktopDriverSelector::choose(
    const QString& storedChoice, const DesktopEnvironment& environment) const {
    const QString stored = storedChoice.trimmed();
    QString note;
    if (!stored.isEmpty() && stored.compare(QLatin1String(kAutomatic), Qt::CaseInsensitive) != 0) {
        if (const DesktopDriverEntry* entry = byName(stored)) {
            return {
                entry,
                QStringLiteral("chosen in the preferences (desktopDriver=%1)").arg(entry->name)};
        }
        note = QStringLiteral("; the stored desktopDriver \"%1\" is none of %2")
                   .arg(stored, choiceNames().join(QStringLiteral(", ")));
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Ignoring the unknown desktopDriver \"%1\"").arg(stored);
    }
    for (const DesktopDriverEntry& entry : entries_) {
        if (entry.detectable && (namesDesktop(environment.currentDesktop, entry.desktopNames) ||
                                 namesDesktop(environment.sessionDesktop, entry.desktopNames))) {
            return {&entry,
                    QStringLiteral("named by the session (%1)").arg(environment.described())};
        }
    }
    const auto firstWith = [this](const QStringList DesktopDriverEntry::*list,
                                  const std::function<bool(const QString&)>& test) -> Choice {
        if (!test) {
            return {};
        }
        for (const DesktopDriverEntry& entry : entries_) {
            if (!entry.detectable) {
                continue;
            }
            for (const QString& name : entry.*list) {
                if (test(name)) {
                    return {&entry, name};
                }
            }
        }
        return {};
    };
    if (Choice owner = firstWith(&DesktopDriverEntry::busNames, environment.ownsBusName);
        owner.entry) {
        owner.why = QStringLiteral("its desktop owns the bus name %1").arg(owner.why);
        return owner;
    }
    if (Choice process = firstWith(&DesktopDriverEntry::processNames, environment.runsProcess);
        process.entry) {
        process.why = QStringLiteral("its desktop program %1 runs").arg(process.why);
        return process;
    }
    return {nullptr, environment.described() + note};
}

QStringList DesktopDriverSelector::choiceNames() const {
    QStringList names{QString::fromLatin1(kAutomatic)};
    for (const DesktopDriverEntry& entry : entries_) {
        names.append(entry.name);
    }
    return names;
}

QStringList DesktopDriverSelector::detectableNames() const {
    QStringList names;
    for (const DesktopDriverEntry& entry : entries_) {
        if (entry.detectable) {
            names.append(entry.name);
        }
    }
    return names;
}

}  // namespace hushpane
