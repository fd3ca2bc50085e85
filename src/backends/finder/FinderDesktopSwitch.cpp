#include "backends/finder/FinderDesktopSwitch.h"

#include "common/Logging.h"
#include "platform/PreferenceDomain.h"
#include "platform/ProcessLauncher.h"

#include <QCoreApplication>

namespace hushpane {

namespace {

QString boolText(bool b) {
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

}  // namespace

FinderDesktopSwitch::FinderDesktopSwitch(PreferenceDomain& finderDomain, ProcessLauncher& launcher,
                                         QString killallPath)
    : finderDomain_(finderDomain), launcher_(launcher), killallPath_(std::move(killallPath)) {}

bool FinderDesktopSwitch::readsAsCreatesDesktop(const std::optional<QVariant>& stored) {
    if (!stored) {
        return true;
    }
    switch (stored->typeId()) {
        case QMetaType::Bool:
            return stored->toBool();
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return stored->toLongLong() != 0;
        case QMetaType::Double:
            return stored->toDouble() != 0.0;
        case QMetaType::QString: {
            // Exact words after lowercasing only: " no", "off" and "00" all read as true.
            const QString s = stored->toString().toLower();
            return !(s == u"false" || s == u"no" || s == u"0");
        }
        default:
            return true;
    }
}

bool FinderDesktopSwitch::createsDesktop() {
    return readsAsCreatesDesktop(finderDomain_.copyValue(QString::fromLatin1(kCreateDesktopKey)));
}

std::optional<QString> FinderDesktopSwitch::setCreatesDesktop(bool createsDesktop) {
    const QString key = QString::fromLatin1(kCreateDesktopKey);
    const std::optional<QVariant> before = finderDomain_.copyValue(key);
    finderDomain_.setValue(key, QVariant(createsDesktop));
    if (!finderDomain_.synchronize()) {
        // Finder would read the old value anyway: a restart changes nothing but closes its
        // windows. The unsaved value is taken back so no later write stores it by surprise.
        finderDomain_.setValue(key, before);
        // The store says why (a full disk, a folder that is a file, a file it may not read);
        // that is what the user needs to put it right.
        QString reason = finderDomain_.lastError();
        while (reason.endsWith(u'.')) {
            reason.chop(1);
        }
        if (reason.isEmpty()) {
            reason = QCoreApplication::translate("hushpane::FinderDesktopSwitch",
                                                 "the Finder preferences couldn't be saved");
        }
        qCCritical(lcDesktop).noquote()
            << QStringLiteral("Finder CreateDesktop not set to %1: %2; Finder not restarted")
                   .arg(boolText(createsDesktop), reason);
        return (createsDesktop
                    ? QCoreApplication::translate("hushpane::FinderDesktopSwitch",
                                                  "Couldn't show the desktop icons: %1.")
                    : QCoreApplication::translate("hushpane::FinderDesktopSwitch",
                                                  "Couldn't hide the desktop icons: %1."))
            .arg(reason);
    }
    qCInfo(lcDesktop).noquote() << QStringLiteral(
                                       "Finder CreateDesktop set to %1; relaunching Finder")
                                       .arg(boolText(createsDesktop));
    if (auto error = relaunchFinder()) {
        // Not applied, so not kept: the next Finder would otherwise hide the icons by surprise.
        finderDomain_.setValue(key, before);
        finderDomain_.synchronize();
        return error;
    }
    return std::nullopt;
}

std::optional<QString> FinderDesktopSwitch::relaunchFinder() {
    const ProcessLauncher::Launch launch =
        launcher_.launch(killallPath_, {QStringLiteral("Finder")});
    if (!launch.process) {
        qCCritical(lcDesktop).noquote()
            << QStringLiteral("Couldn't run killall: %1").arg(launch.errorDescription);
        return QCoreApplication::translate("hushpane::FinderDesktopSwitch",
                                           "Couldn't restart Finder: %1")
            .arg(launch.errorDescription);
    }
    // Blocks the main thread until killall is done; it takes milliseconds.
    const int status = launcher_.waitUntilExit(*launch.process);
    if (status != 0) {
        qCCritical(lcDesktop).noquote()
            << QStringLiteral("killall Finder exited with status %1").arg(status);
    }
    return std::nullopt;
}

QString FinderDesktopSwitch::description() const {
#ifdef Q_OS_MACOS
    return QStringLiteral("Finder");
#else
    return QCoreApplication::translate(
        "hushpane::FinderDesktopSwitch",
        "Finder-compatible preferences: no supported desktop was found");
#endif
}

QString FinderDesktopSwitch::explanation() const {
    return QCoreApplication::translate(
        "hushpane::FinderDesktopSwitch",
        "Hides every file, folder and disk on the desktop so only the wallpaper shows. Finder "
        "restarts for a moment each time, which closes any open Finder windows.");
}

}  // namespace hushpane
