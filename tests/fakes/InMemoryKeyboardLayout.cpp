#include "fakes/InMemoryKeyboardLayout.h"

namespace hushpane::test {

InMemoryKeyboardLayout::InMemoryKeyboardLayout() {
    const std::pair<CarbonKeyCode, const char*> us[] = {
        {0, "a"},  {11, "b"}, {8, "c"},  {2, "d"},  {14, "e"},  {3, "f"},  {5, "g"},  {4, "h"},
        {34, "i"}, {38, "j"}, {40, "k"}, {37, "l"}, {46, "m"},  {45, "n"}, {31, "o"}, {35, "p"},
        {12, "q"}, {15, "r"}, {1, "s"},  {17, "t"}, {32, "u"},  {9, "v"},  {13, "w"}, {7, "x"},
        {16, "y"}, {6, "z"},  {29, "0"}, {18, "1"}, {19, "2"},  {20, "3"}, {21, "4"}, {23, "5"},
        {22, "6"}, {26, "7"}, {28, "8"}, {25, "9"}, {42, "\\"}, {50, "`"}, {43, ","}, {24, "="},
        {27, "-"}, {47, "."}, {39, "'"}, {41, ";"}, {44, "/"},  {33, "["}, {30, "]"},
    };
    for (const auto& [code, text] : us) {
        characters.insert(code, QString::fromUtf8(text));
    }
}

std::optional<QString> InMemoryKeyboardLayout::characterForKey(CarbonKeyCode carbonKeyCode) {
    ++lookups;
    const auto it = characters.constFind(carbonKeyCode);
    if (it == characters.cend()) {
        return std::nullopt;
    }
    return *it;
}

}  // namespace hushpane::test
