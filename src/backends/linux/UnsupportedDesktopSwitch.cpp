#include "backends/linux/UnsupportedDesktopSwitch.h"

#include "common/Logging.h"

#include <QCoreApplication>

namespace hushpane {

UnsupportedDesktopSwitch::UnsupportedDesktopSwitch(QString found, QStringList supported)
    : found_(std::move(found)), supported_(std::move(supported)) {}

std::optional<QString> UnsupportedDesktopSwitch::setCreatesDesktop(bool createsDesktop) {
    if (createsDesktop) {
        return std::nullopt;  // the icons never went away
    }
    const QString error =
        QCoreApplication::translate(
            "hushpane::UnsupportedDesktopSwitch",
            "Couldn't hide the desktop icons: no supported desktop was found (%1)")
            .arg(found_);
    qCWarning(lcDesktop).noquote() << error;
    return error;
}

QString UnsupportedDesktopSwitch::description() const {
    return QCoreApplication::translate("hushpane::UnsupportedDesktopSwitch",
                                       "none (no supported desktop was found: %1)")
        .arg(found_);
}

QString UnsupportedDesktopSwitch::explanation() const {
    return QCoreApplication::translate(
               "hushpane::UnsupportedDesktopSwitch",
               "Hushpane can't hide the icons of this desktop. It drives %1; the choice "
               "\"desktopDriver\" in its preferences picks one by name.")
        .arg(supported_.join(QStringLiteral(", ")));
}

}  // namespace hushpane
