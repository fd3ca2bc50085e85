#include "keyboard_shortcuts/RecorderCocoa.h"

#include "keyboard_shortcuts/Library.h"
#include "keyboard_shortcuts/LocalEventMonitor.h"
#include "keyboard_shortcuts/Localization.h"
#include "keyboard_shortcuts/SpecialKeys.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QToolButton>

namespace KeyboardShortcuts {

namespace {

constexpr int kMouseMargin = 3;
constexpr int kHeight = 24;
// QLineEdit's own margin on each side of its text, and room for the caret.
constexpr int kTextMargin = 4;
const Qt::KeyboardModifiers kShortcutModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier;

// A menu item's title as the user reads it: mnemonic markers removed.
QString plainTitle(const QString& text) {
    QString title;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size()) {
            ++i;
        }
        title += text.at(i);
    }
    return title;
}

}  // namespace

RecorderCocoa::RecorderCocoa(Library& library, const Name& name, OnChange onChange, QWidget* parent)
    : QLineEdit(parent), library_(library), shortcutName_(name), onChange_(std::move(onChange)) {
    setPlaceholderText(localized("record_shortcut"));
    setAlignment(Qt::AlignCenter);
    connect(this, &QLineEdit::textChanged, this, [this] { updateGeometry(); });
    // Keys are recorded, never typed; the caret stays hidden.
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    clearButton_ = addAction(style()->standardIcon(QStyle::SP_LineEditClearButton),
                             QLineEdit::TrailingPosition);
    clearButton_->setObjectName(QStringLiteral("clearButton"));
    connect(clearButton_, &QAction::triggered, this, &RecorderCocoa::clearTextByUser);
    warningSign_ =
        addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning), QLineEdit::LeadingPosition);
    warningSign_->setObjectName(QStringLiteral("refusalSign"));
    warningSign_->setVisible(false);
    // The clear button must not take focus from a running recording.
    for (QToolButton* button : findChildren<QToolButton*>()) {
        button->setFocusPolicy(Qt::NoFocus);
    }

    refreshFromStorage();
    resize(neededSize());

    connect(&library_, &Library::shortcutByNameDidChange, this, [this](const Name& changed) {
        if (changed == shortcutName_) {
            refreshFromStorage();
        }
    });
    connect(&library_, &Library::refusedShortcutsDidChange, this, &RecorderCocoa::updateRefusal);
    connect(&library_, &Library::boundTriggerChanged, this, [this](const Shortcut& shortcut) {
        if (!isRecording() && library_.getShortcut(shortcutName_) == shortcut) {
            refreshFromStorage();
        }
    });
}

RecorderCocoa::~RecorderCocoa() {
    if (isRecording()) {
        endRecording();
    }
}

void RecorderCocoa::setShortcutName(const Name& name) {
    const bool differs = name.rawValue() != shortcutName_.rawValue();
    shortcutName_ = name;
    if (differs) {
        refreshFromStorage();
    }
}

QSize RecorderCocoa::sizeHint() const {
    return neededSize();
}

QSize RecorderCocoa::neededSize() const {
    // As wide as the longest text it shows now or while it records, in this font and language;
    // the shortcut names of Linux desktops ("Shift+Ctrl+Alt+Super+F12") are far longer than
    // glyphs. The text is centred between the warning sign on the leading side and the clear
    // button on the trailing side, so both sides keep room for a sign.
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (const QString& shown :
         {text(), localized("record_shortcut"), localized("press_shortcut")}) {
        widest = std::max(widest, metrics.horizontalAdvance(shown));
    }
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const int sign = icon + icon / 2;
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QSize contents(widest + 2 * sign + 2 * kTextMargin, metrics.height());
    const int width =
        style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, this).width();
    return {std::max(minimumWidth, width), std::max(kHeight, QLineEdit::sizeHint().height())};
}

QSize RecorderCocoa::minimumSizeHint() const {
    return sizeHint();
}

void RecorderCocoa::refreshFromStorage() {
    const auto shortcut = library_.getShortcut(shortcutName_);
    // Where the desktop chose the keys, its keys are the shortcut.
    const QString bound = library_.boundTrigger(shortcutName_).value_or(QString());
    setText(!bound.isEmpty() ? bound : shortcut ? shortcut->description() : QString());
    updateClearButton();
    updateRefusal();
}

void RecorderCocoa::updateRefusal() {
    const auto shortcut = library_.getShortcut(shortcutName_);
    const QString text = shortcut && library_.isRefused(shortcutName_)
                             ? localized("hot_key_taken").arg(shortcut->description())
                             : QString();
    if (text == refusalText_) {
        return;
    }
    refusalText_ = text;
    warningSign_->setVisible(!text.isEmpty());
    warningSign_->setToolTip(text);
    setToolTip(text);
    setAccessibleDescription(text);
    Q_EMIT refusalDidChange();
}

void RecorderCocoa::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    // Qt hides a centred placeholder while the field has focus, which is exactly while it
    // records: draw the prompt then.
    if (!isRecording() || !text().isEmpty() || placeholderText().isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(rect(), Qt::AlignCenter, placeholderText());
}

void RecorderCocoa::updateClearButton() {
    clearButton_->setVisible(!text().isEmpty());
}

void RecorderCocoa::clearTextByUser() {
    if (text().isEmpty()) {
        return;
    }
    clear();
    library_.setShortcut(std::nullopt, shortcutName_);
    if (onChange_) {
        onChange_(std::nullopt);
    }
    updateClearButton();
    // Keeps focus after the user cleared it.
    takeFocusBack();
}

// Joining and leaving a window

void RecorderCocoa::showEvent(QShowEvent* event) {
    QLineEdit::showEvent(event);
    QWidget* current = window();
    if (observedWindow_ != current) {
        if (observedWindow_) {
            observedWindow_->removeEventFilter(this);
        }
        observedWindow_ = current;
        if (current != this) {
            current->installEventFilter(this);
        }
    }
    preventBecomingKey();
}

void RecorderCocoa::hideEvent(QHideEvent* event) {
    QLineEdit::hideEvent(event);
    if (isRecording()) {
        endRecording();
    }
}

bool RecorderCocoa::eventFilter(QObject* watched, QEvent* event) {
    if (watched == observedWindow_) {
        if (event->type() == QEvent::WindowDeactivate) {
            if (isRecording()) {
                endRecording();
            }
            if (hasFocus()) {
                clearFocus();
            }
        } else if ((event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) &&
                   !takingFocusBack_) {
            preventBecomingKey();
        }
        // The user may just have closed the program that held the shortcut.
        if ((event->type() == QEvent::WindowActivate ||
             event->type() == QEvent::WindowDeactivate) &&
            library_.hasRefusedShortcuts()) {
            library_.retryRefusedShortcuts();
        }
    }
    return QLineEdit::eventFilter(watched, event);
}

void RecorderCocoa::preventBecomingKey() {
    // When the window opens or comes to the front it must not pick the recorder as its first
    // focus, or recording would start by itself; a click or a later Tab reaches it normally.
    canBecomeKey_ = false;
    setFocusPolicy(Qt::NoFocus);
    QPointer<RecorderCocoa> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self) {
            self->canBecomeKey_ = true;
            self->setFocusPolicy(Qt::StrongFocus);
        }
    });
}

// Recording

void RecorderCocoa::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (takingFocusBack_) {
        takingFocusBack_ = false;
    } else if (!canBecomeKey_ &&
               (reason == Qt::ActiveWindowFocusReason || reason == Qt::TabFocusReason ||
                reason == Qt::BacktabFocusReason)) {
        // The window handed focus back to its remembered focus widget on activation.
        QPointer<RecorderCocoa> self(this);
        QMetaObject::invokeMethod(
            this,
            [self] {
                if (self && self->hasFocus() && !self->isRecording()) {
                    self->clearFocus();
                }
            },
            Qt::QueuedConnection);
        return;
    }
    startRecording();
}

void RecorderCocoa::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (isRecording()) {
        endRecording();
    }
}

void RecorderCocoa::startRecording() {
    setPlaceholderText(localized("press_shortcut"));
    update();
    updateClearButton();
    library_.setPaused(true);
    // Combinations another client grabs (the desktop's shortcuts, our own hot key) never
    // reach a focused window; holding the keyboard brings every one here. endRecording, which
    // every way out passes, lets go.
    grabKeyboard();
    Q_EMIT library_.recorderActiveStatusDidChange(true);
    QPointer<RecorderCocoa> self(this);
    eventMonitor_ = std::make_unique<LocalEventMonitor>(
        QList<QEvent::Type>{QEvent::KeyPress, QEvent::ShortcutOverride, QEvent::MouseButtonRelease},
        [self](QObject* receiver, QEvent* event) {
            // Gone: swallow.
            return self ? self->handleEvent(receiver, event) : true;
        });
}

void RecorderCocoa::endRecording() {
    // Only the recorder that records lifts the pause, so another one's recording stays safe.
    const bool wasRecording = isRecording();
    eventMonitor_.reset();
    setPlaceholderText(localized("record_shortcut"));
    updateClearButton();
    if (wasRecording) {
        releaseKeyboard();
        library_.setPaused(false);
        Q_EMIT library_.recorderActiveStatusDidChange(false);
    }
}

void RecorderCocoa::giveUpFocus() {
    takingFocusBack_ = false;
    if (hasFocus()) {
        clearFocus();
    }
    if (isRecording()) {
        endRecording();
    }
}

void RecorderCocoa::takeFocusBack() {
    canBecomeKey_ = true;
    setFocusPolicy(Qt::StrongFocus);
    if (hasFocus()) {
        if (!isRecording()) {
            startRecording();
        }
        return;
    }
    // After an alert the window may come back to the front only later; focus follows then.
    takingFocusBack_ = true;
    if (!window()->isActiveWindow()) {
        window()->activateWindow();
    }
    setFocus(Qt::OtherFocusReason);
    if (hasFocus() && !isRecording()) {
        takingFocusBack_ = false;
        startRecording();
    }
}

void RecorderCocoa::beep() {
    QApplication::beep();
    Q_EMIT beeped();
}

bool RecorderCocoa::handleEvent(QObject* receiver, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        // A release from the display reaches the window first and only then the widget under
        // the pointer: it is judged there, where the clear button can be told apart.
        if (!receiver->isWidgetType()) {
            return false;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton) {
            return false;
        }
        const QPoint local = mapFromGlobal(mouse->globalPosition().toPoint());
        const QRect area =
            rect().adjusted(-kMouseMargin, -kMouseMargin, kMouseMargin, kMouseMargin);
        if (!area.contains(local)) {
            giveUpFocus();
            return false;
        }
        // The clear button still works while recording.
        if (qobject_cast<QToolButton*>(receiver) != nullptr && receiver->parent() == this) {
            return false;
        }
        return true;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim every key, so no menu action fires while recording; the press comes next.
        if (key->key() != Qt::Key_Tab) {
            event->accept();
            return true;
        }
        return false;
    }
    return handleKeyPress(*key);
}

bool RecorderCocoa::handleKeyPress(QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & kShortcutModifiers;
    const int key = event.key();

    // A modifier on its own is the start of a combination, not an attempt.
    if (isModifierKey(key)) {
        return true;
    }
    if (modifiers == Qt::NoModifier && key == Qt::Key_Tab) {
        // Focus moves on to the next field as usual, which ends recording.
        return false;
    }
    if (modifiers == Qt::NoModifier && key == Qt::Key_Escape) {
        giveUpFocus();
        return true;
    }
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        if (clearButton_->isVisible()) {
            clearButton_->trigger();
        }
        return true;
    }
    if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
            Qt::NoModifier &&
        !isFunctionKey(key)) {
        beep();
        return true;
    }
    const auto shortcut = Shortcut::fromEvent(event);
    if (!shortcut) {
        beep();
        return true;
    }

    // The keys it has already: the menu item that shows them is this shortcut's own.
    const bool isOwnShortcut = library_.getShortcut(shortcutName_) == shortcut;
    if (QWidget* menu = isOwnShortcut ? nullptr : library_.mainMenu()) {
        if (QAction* item = shortcut->menuItemWithMatchingShortcut(menu->actions())) {
            giveUpFocus();
            showAlert(
                localized("keyboard_shortcut_used_by_menu_item").arg(plainTitle(item->text())));
            takeFocusBack();
            return true;
        }
    }

    const bool isPlainF12 =
        shortcut->carbonKeyCode() == Key::f12.rawValue && shortcut->carbonModifiers() == 0;
    if (!isPlainF12) {
        const QList<Shortcut> system = library_.systemShortcuts();
        // Where the desktop can tell, the alert names what the keys do there.
        const auto desktopAction = library_.desktopActionOn(*shortcut);
        const bool usedBySystem =
            desktopAction || std::any_of(system.begin(), system.end(), [&](const Shortcut& s) {
                return s.carbonKeyCode() == shortcut->carbonKeyCode() &&
                       s.carbonModifiers() == shortcut->carbonModifiers();
            });
        if (usedBySystem) {
            giveUpFocus();
            const QString message =
                desktopAction
                    ? localized("keyboard_shortcut_used_by_desktop_action").arg(*desktopAction)
                    : localized("keyboard_shortcut_used_by_system");
            const int answer = showAlert(message, localized("keyboard_shortcuts_can_be_changed"),
                                         {localized("ok"), localized("force_use_shortcut")});
            takeFocusBack();
            if (answer != 1) {
                return true;
            }
        }
    }

    setText(shortcut->description());
    updateClearButton();
    library_.userDefaultsSet(shortcutName_, *shortcut);
    if (onChange_) {
        onChange_(*shortcut);
    }
    giveUpFocus();
    return true;
}

int RecorderCocoa::showAlert(const QString& message, const QString& informativeText,
                             const QStringList& buttons) {
    QWidget* owner = window() != this ? window() : nullptr;
    QMessageBox alert(owner);
    alert.setIcon(QMessageBox::Warning);
    const QIcon appIcon = QApplication::windowIcon();
    if (!appIcon.isNull()) {
        alert.setIconPixmap(appIcon.pixmap(64));
    }
    alert.setText(message);
    alert.setInformativeText(informativeText);
    if (owner != nullptr) {
        alert.setWindowModality(Qt::WindowModal);
    }
    QList<QAbstractButton*> added;
    for (const QString& title : buttons) {
        added.append(alert.addButton(
            title, added.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::ActionRole));
    }
    if (added.isEmpty()) {
        alert.setStandardButtons(QMessageBox::Ok);
    } else {
        alert.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
        alert.setEscapeButton(added.first());
    }
    alert.exec();
    const qsizetype index = added.indexOf(alert.clickedButton());
    return index < 0 ? 0 : static_cast<int>(index);
}

}  // namespace KeyboardShortcuts
