#pragma once

#include "keyboard_shortcuts/Name.h"
#include "keyboard_shortcuts/Shortcut.h"

#include <QLineEdit>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

namespace KeyboardShortcuts {

class Library;
class LocalEventMonitor;

// The field in which the user records the shortcut of one name. It shows the stored shortcut
// with a clear button while there is text; taking focus (a click, or Tab) starts recording:
// the next key press is refused with a beep or an alert, or stored for the name. While it
// records, global shortcuts do nothing. The library must outlive the field.
class RecorderCocoa : public QLineEdit {
    Q_OBJECT
public:
    // Never narrower than this, also for short shortcuts.
    static constexpr int minimumWidth = 130;
    using OnChange = std::function<void(const std::optional<Shortcut>&)>;

    RecorderCocoa(Library& library, const Name& name, OnChange onChange = {},
                  QWidget* parent = nullptr);
    ~RecorderCocoa() override;

    const Name& shortcutName() const { return shortcutName_; }
    // A name with other text shows that name's shortcut; an equal name is only kept.
    void setShortcutName(const Name& name);

    bool isRecording() const { return eventMonitor_ != nullptr; }
    QAction* clearButton() const { return clearButton_; }

    // Another program holds the stored shortcut: the field shows a warning sign and says so
    // in its tool tip; refusalText() is that sentence, or empty.
    bool isShowingRefusal() const { return !refusalText_.isEmpty(); }
    const QString& refusalText() const { return refusalText_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // A key press was refused (the system beep sounds as well).
    void beeped();
    void refusalDidChange();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The size the field needs for its texts; the size hint, also during construction.
    QSize neededSize() const;
    bool handleEvent(QObject* receiver, QEvent* event);
    bool handleKeyPress(QKeyEvent& event);
    void startRecording();
    void endRecording();
    void refreshFromStorage();
    void updateClearButton();
    void updateRefusal();
    void clearTextByUser();
    void preventBecomingKey();
    void giveUpFocus();
    void takeFocusBack();
    void beep();
    // The index of the button chosen (0 for the first).
    int showAlert(const QString& message, const QString& informativeText = {},
                  const QStringList& buttons = {});

    Library& library_;
    Name shortcutName_;
    OnChange onChange_;
    bool canBecomeKey_ = false;
    // Set while focus is being taken back after an alert or a clear, so the window's
    // re-activation does not count as choosing the recorder by itself.
    bool takingFocusBack_ = false;
    std::unique_ptr<LocalEventMonitor> eventMonitor_;
    QAction* clearButton_ = nullptr;
    QAction* warningSign_ = nullptr;
    QString refusalText_;
    QPointer<QWidget> observedWindow_;
};

}  // namespace KeyboardShortcuts
