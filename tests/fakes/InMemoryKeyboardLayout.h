#pragma once

#include "platform/KeyboardLayout.h"

#include <QHash>

namespace hushpane::test {

// A keyboard layout as a table from Carbon key code to the text the key types. Starts as a
// US layout.
class InMemoryKeyboardLayout : public KeyboardLayout {
public:
    InMemoryKeyboardLayout();

    std::optional<QString> characterForKey(CarbonKeyCode carbonKeyCode) override;

    QHash<CarbonKeyCode, QString> characters;
    int lookups = 0;
};

}  // namespace hushpane::test
