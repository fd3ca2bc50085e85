#pragma once

#include <QString>

namespace hushpane::settings {

// A symbol as words, for screen readers: "four squares" rather than the symbol's name.
QString spokenSymbolName(const QString& symbolName);

}  // namespace hushpane::settings
