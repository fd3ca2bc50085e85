#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace hushpane {

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

    friend bool operator==(MenuBarIcon a, MenuBarIcon b) { return a.case_ == b.case_; }

private:
    Case case_;
};

inline size_t qHash(MenuBarIcon icon, size_t seed = 0) {
    return ::qHash(static_cast<int>(icon.value()), seed);
}

}  // namespace hushpane
