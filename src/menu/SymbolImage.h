#pragma once

#include "services/MenuBarIcon.h"

#include <QIcon>
#include <QString>

#include <optional>

namespace hushpane {

// A system symbol image as the status item draws it.
struct SymbolImage {
    QIcon icon;
    QString symbolName;                // the symbol actually drawn (after any fallback)
    QString accessibilityDescription;  // "Desktop hidden" / "Desktop shown"
    bool isTemplate = false;           // drawn in the panel's own colour
};

// Where the application's symbol pictures are: "<root>/<name>.svg".
inline constexpr auto kSymbolRoot = ":/symbols";

// The look's symbol for the state as a template image; falls back to the grid look's symbol
// for the same state when this look's symbol is unknown, and to nothing when that is unknown
// too.
std::optional<SymbolImage> menuBarIconImage(MenuBarIcon look, bool hidden,
                                            const QString& symbolRoot = kSymbolRoot);

// A symbol image by name from the application's symbol set, or nothing when there is none.
std::optional<QIcon> systemSymbolImage(const QString& name, const QString& symbolRoot);

}  // namespace hushpane
