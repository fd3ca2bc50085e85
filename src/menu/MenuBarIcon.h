#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace hushpane {

// A system symbol image as the status item draws it.
struct SymbolImage {
    QIcon icon;
    QString symbolName;                // the symbol actually drawn (after any fallback)
    QString accessibilityDescription;  // "Desktop hidden" / "Desktop shown"
    bool isTemplate = false;           // drawn in the panel's own colour
};

// The looks the user can pick for the status item, each with a symbol for the shown and one
// for the hidden desktop.
class MenuBarIcon {
public:
    enum Case { grid, lamp, desktop, eye, squares, dots, wand, star, moon, dot };

    constexpr MenuBarIcon(Case c = grid) : case_(c) {}  // NOLINT: a value of the enumeration

    // Exact, case-sensitive match of the raw value; nothing for any other text.
    static std::optional<MenuBarIcon> fromRawValue(QStringView rawValue);
    static const QList<MenuBarIcon>& allCases();

    Case value() const { return case_; }
    QString rawValue() const;
    QString id() const { return rawValue(); }
    QString name() const;
    QString shownSymbol() const;
    QString hiddenSymbol() const;
    QString symbol(bool hidden) const { return hidden ? hiddenSymbol() : shownSymbol(); }

    // The symbol for the state as a template image; falls back to the grid look's symbol for
    // the same state when this look's symbol is unknown, and to nothing when that is unknown
    // too. Symbols are looked up as "<symbolRoot>/<name>.svg".
    std::optional<SymbolImage> image(bool hidden, const QString& symbolRoot = kSymbolRoot) const;

    static constexpr auto kSymbolRoot = ":/symbols";

    friend bool operator==(MenuBarIcon a, MenuBarIcon b) { return a.case_ == b.case_; }

private:
    Case case_;
};

inline size_t qHash(MenuBarIcon icon, size_t seed = 0) {
    return ::qHash(static_cast<int>(icon.value()), seed);
}

// A symbol image by name from the application's symbol set, or nothing when there is none.
std::optional<QIcon> systemSymbolImage(const QString& name, const QString& symbolRoot);

}  // namespace hushpane
