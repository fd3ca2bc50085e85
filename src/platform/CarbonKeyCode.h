#pragma once

#include <QtGlobal>

namespace hushpane {

// A key position as a Carbon virtual key code: what stored shortcuts hold and what the
// platform services speak, whatever the platform's own key numbering is. Signed and wide
// because stored values can be anything; services refuse what they cannot map.
using CarbonKeyCode = qint64;

}  // namespace hushpane
