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

// Under the shortcut recorder where this session gives programs no global shortcut: says so,
// offers the URL command to copy for the desktop's own keyboard settings, and, where those
// settings can be written (GNOME), adds the keybinding with the recorded keys when asked.
class DesktopShortcutHint : public QWidget {
    Q_OBJECT
public:
    static const QString& explanation();
    static const QString& command();

    DesktopShortcutHint(KeyboardShortcuts::Library& library, DesktopKeybindings& keybindings,
                        QWidget* parent = nullptr);

    QLineEdit* commandField() const { return commandField_; }
    QPushButton* copyButton() const { return copyButton_; }
    // Null where the desktop's settings cannot be written.
    QPushButton* addButton() const { return addButton_; }
    QLabel* result() const { return result_; }

private:
    void addKeybinding();

    KeyboardShortcuts::Library& library_;
    DesktopKeybindings& keybindings_;
    QLineEdit* commandField_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QLabel* result_ = nullptr;
};

}  // namespace hushpane
