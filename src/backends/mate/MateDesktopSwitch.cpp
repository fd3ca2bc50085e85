#include "backends/mate/MateDesktopSwitch.h"

#include <QCoreApplication>
#include <QStringList>

namespace hushpane {

MateDesktopSwitch::MateDesktopSwitch(SettingsStore& store, DesktopProgram& caja)
    : GSettingsDesktopSwitch(
          store, caja, {QString::fromLatin1(kSchema), QString::fromLatin1(kKey), QMetaType::Bool},
          QStringLiteral("MATE")) {}

QStringList MateDesktopSwitch::cajaCommand() {
    return {QStringLiteral("caja"), QStringLiteral("-n"), QStringLiteral("--force-desktop")};
}

QString MateDesktopSwitch::explanation() const {
    return QCoreApplication::translate(
        "hushpane::MateDesktopSwitch",
        "caja stops drawing the files, folders and disks on the desktop; the "
        "wallpaper and open windows stay. Showing them starts caja's desktop "
        "again if it ended.");
}

}  // namespace hushpane
