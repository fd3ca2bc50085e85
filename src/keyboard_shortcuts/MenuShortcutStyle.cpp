#include "keyboard_shortcuts/MenuShortcutStyle.h"

#include "keyboard_shortcuts/ShortcutNotation.h"

#include <QHash>
#include <QStyleOptionMenuItem>

#include <optional>

namespace KeyboardShortcuts {

namespace {

// Qt's native text of keys a desktop bound -> the desktop's words for them.
QHash<QString, QString>& desktopWords() {
    static QHash<QString, QString> words;
    return words;
}

// The shortcut part in the platform's notation, or nothing when `native` is not Qt's native
// text of a key sequence.
std::optional<QString> inNotation(const QString& native) {
    if (const auto words = desktopWords().constFind(native); words != desktopWords().cend()) {
        return *words;
    }
    const QKeySequence sequence = QKeySequence::fromString(native, QKeySequence::NativeText);
    if (sequence.isEmpty() || sequence.toString(QKeySequence::NativeText) != native) {
        return std::nullopt;
    }
    return keySequenceText(sequence);
}

}  // namespace

MenuShortcutStyle::MenuShortcutStyle(QStyle* base) : QProxyStyle(base) {}

void MenuShortcutStyle::writeInDesktopWords(const QKeySequence& keys, const QString& words) {
    const QString native = keys.toString(QKeySequence::NativeText);
    if (words.isEmpty()) {
        desktopWords().remove(native);
    } else if (!native.isEmpty()) {
        desktopWords().insert(native, words);
    }
}

QStyleOptionMenuItem MenuShortcutStyle::rewritten(const QStyleOptionMenuItem& option) {
    QStyleOptionMenuItem result(option);
    if (platformNotation() == ShortcutNotation::symbols) {
        return result;
    }
    const qsizetype tab = option.text.indexOf(u'\t');
    if (tab < 0) {
        return result;
    }
    const QString native = option.text.mid(tab + 1);
    const auto shown = inNotation(native);
    if (!shown || *shown == native) {
        return result;
    }
    result.text = option.text.left(tab + 1) + *shown;
    // The menu measured the native text; ours may be wider ("Super" for "Meta").
    const int wider =
        option.fontMetrics.horizontalAdvance(*shown) - option.fontMetrics.horizontalAdvance(native);
    if (wider > 0) {
        result.reservedShortcutWidth += wider;
    }
    return result;
}

void MenuShortcutStyle::drawControl(ControlElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    if (element == CE_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            const QStyleOptionMenuItem shown = rewritten(*item);
            QProxyStyle::drawControl(element, &shown, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QSize MenuShortcutStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                          const QSize& size, const QWidget* widget) const {
    if (type == CT_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            // Measured as the menu means it, with the native text; the room the longer text
            // needs on top is ours to add.
            QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
            result.rwidth() += rewritten(*item).reservedShortcutWidth - item->reservedShortcutWidth;
            return result;
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

}  // namespace KeyboardShortcuts
