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
    finderDomain_.setValue(QString::fromLatin1(kCreateDesktopKey), QVariant(createsDesktop));
    const bool synchronized = finderDomain_.synchronize();
    qCInfo(lcDesktop).noquote() << QStringLiteral(
                                       "Finder CreateDesktop set to %1 (synchronized: %2); "
                                       "relaunching Finder")
                                       .arg(boolText(createsDesktop), boolText(synchronized));
    return relaunchFinder();
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

}  // namespace hushpane
