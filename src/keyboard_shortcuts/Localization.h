#pragma once

#include <QString>

namespace KeyboardShortcuts {

// The library's texts are looked up by key in the translation context "KeyboardShortcuts";
// with no translation installed the English text stands in.
QString localized(const char* key);

}  // namespace KeyboardShortcuts
