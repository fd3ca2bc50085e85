#include "backends/mate/MateDesktopSwitch.h"

#include <QStringList>

namespace hushpane {

MateDesktopSwitch::MateDesktopSwitch(SettingsStore& store, DesktopProgram& caja)
    : GSettingsDesktopSwitch(store, caja,
                             {QString::fromLatin1(kSchema), QString::fromLatin1(kKey),
                              QMetaType::Bool},
                             QStringLiteral("MATE")) {}

QStringList MateDesktopSwitch::cajaCommand() {
    return {QStringLiteral("caja"), QStringLiteral("-n"), QStringLiteral("--force-desktop")};
}

}  // namespace hushpane
