#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace KeyboardShortcuts {
class Library;
}

namespace hushpane {

class DesktopKeybindings;

// Where the settings show how to bind the shortcut in the desktop's own keyboard settings.
struct ShortcutHelp {
    enum class Shown {
        never,
        // The session gives programs no global shortcut.
        always,
        // The desktop picks the keys (a portal), and shows it while it has bound none.
        whileUnbound,
    };
    Shown shown = Shown::never;
    // Adds the keybinding where the desktop's settings can be written (GNOME); may be null.
    DesktopKeybindings* keybindings = nullptr;
};

// Under the shortcut recorder where the shortcut cannot or does not work as a global shortcut:
// says so, offers the URL command to copy for the desktop's own keyboard settings, where those
// settings can be written (GNOME) adds the keybinding with the recorded keys when asked, and
// where the desktop declined the shortcut, asks it again on request.
class DesktopShortcutHint : public QWidget {
    Q_OBJECT
public:
    static const QString& explanation();
    static QString unboundExplanation();
    static const QString& command();

    DesktopShortcutHint(KeyboardShortcuts::Library& library, const ShortcutHelp& help,
                        QWidget* parent = nullptr);

    QLineEdit* commandField() const { return commandField_; }
    QPushButton* copyButton() const { return copyButton_; }
    // Null where the desktop's settings cannot be written.
    QPushButton* addButton() const { return addButton_; }
    QLabel* result() const { return result_; }
    // Null unless the desktop picks the keys.
    QPushButton* askAgainButton() const { return askAgainButton_; }

private:
    void addKeybinding();
    void updateVisibility();

    KeyboardShortcuts::Library& library_;
    ShortcutHelp help_;
    QPushButton* askAgainButton_ = nullptr;
    QLineEdit* commandField_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QLabel* result_ = nullptr;
};

}  // namespace hushpane
