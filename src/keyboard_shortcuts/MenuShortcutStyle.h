#pragma once

#include <QProxyStyle>

class QStyleOptionMenuItem;

namespace KeyboardShortcuts {

// Menus drawn by Qt write an action's shortcut in Qt's native text ("Meta+Ctrl+Alt+D"). This
// style, put over the application's, writes it in the platform's notation instead
// ("Ctrl+Alt+Super+D"), the way the recorder and the desktop's own menus show it. Menus a
// desktop draws itself (a StatusNotifier host's) get the keys, not a text, and are not
// affected.
class MenuShortcutStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Over the application's default style, or over `base` (which it then owns).
    explicit MenuShortcutStyle(QStyle* base = nullptr);

    // The item as it is shown: the shortcut part of its text (after the tab) rewritten, and
    // room reserved for the longer text. Items without a shortcut, or whose text after the tab
    // is not Qt's native text for keys, stay as they are.
    static QStyleOptionMenuItem rewritten(const QStyleOptionMenuItem& option);

    // Keys a desktop bound (through a portal) are written in its own words, as its recorder
    // and its menus write them: `keys` shows as `words` from now on. Empty words forget it.
    static void writeInDesktopWords(const QKeySequence& keys, const QString& words);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
};

}  // namespace KeyboardShortcuts
