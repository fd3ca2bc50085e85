#include "settings/SettingsWindowController.h"

#include "settings/SettingsWindow.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace hushpane {

SettingsWindowController::SettingsWindowController(Preferences& preferences,
                                                   DesktopController& desktop, AppUpdater& updater,
                                                   LoginItemService& loginItems, QString version,
                                                   SettingsView::ShortcutRowFactory makeShortcutRow,
                                                   QMenu* mainMenu, QObject* parent)
    : QObject(parent),
      preferences_(preferences),
      desktop_(desktop),
      updater_(updater),
      loginItems_(loginItems),
      version_(std::move(version)),
      makeShortcutRow_(std::move(makeShortcutRow)),
      mainMenu_(mainMenu) {}

SettingsWindowController::~SettingsWindowController() = default;

void SettingsWindowController::show() {
    // Never synchronously: a request from a menu action runs after that action returned.
    QMetaObject::invokeMethod(this, &SettingsWindowController::present, Qt::QueuedConnection);
}

void SettingsWindowController::setTexts(const SettingsTexts& texts) {
    texts_ = texts;
    if (view_) {
        view_->setTexts(texts_);
    }
}

void SettingsWindowController::present() {
    if (!window_) {
        window_ = makeWindow();
    }
    if (window_->isMinimized()) {
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    }
    // An open window stays where the user put it; a closed one comes back centred.
    if (!window_->isVisible()) {
        fitToScreen();
        center();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    Q_EMIT visibilityChanged();
    // The owner may have changed how the application presents itself; bring it forward once
    // more.
    window_->raise();
    window_->activateWindow();
}

std::unique_ptr<QWidget> SettingsWindowController::makeWindow() {
    auto window = std::make_unique<settings::SettingsWindow>();
    connect(window.get(), &settings::SettingsWindow::closed, this,
            &SettingsWindowController::windowDidClose);
    window->setObjectName(QStringLiteral("settingsWindow"));
    window->setWindowTitle(tr("Hushpane Settings"));
    // Titled, closable and minimisable; not resizable (the layout fixes the size).
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    // Closing it only hides it; it never ends the application.
    window->setAttribute(Qt::WA_QuitOnClose, false);

    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (mainMenu_) {
        auto* menuBar = new QMenuBar(window.get());
        menuBar->addActions(mainMenu_->actions());
        layout->setMenuBar(menuBar);
    }
    // The form keeps its natural height; on a screen too short for it, it scrolls.
    scrollArea_ = new QScrollArea(window.get());
    scrollArea_->setObjectName(QStringLiteral("settingsScrollArea"));
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setWidgetResizable(true);
    view_ =
        new SettingsView(preferences_, desktop_, updater_, loginItems_, version_, makeShortcutRow_);
    connect(view_, &SettingsView::quitRequested, this, &SettingsWindowController::quitRequested);
    view_->setTexts(texts_);
    if (autoHide_) {
        view_->setAutoHide(*autoHide_);
    }
    scrollArea_->setWidget(view_);
    layout->addWidget(scrollArea_);
    view_->setFocus();
    // A row that comes or goes changes the form's height, and the window follows.
    view_->installEventFilter(this);
    window->installEventFilter(this);
    return window;
}

bool SettingsWindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::LayoutRequest) {
        QMetaObject::invokeMethod(this, &SettingsWindowController::fitToScreen,
                                  Qt::QueuedConnection);
    } else if (watched == window_.get() &&
               (event->type() == QEvent::Move || event->type() == QEvent::Show)) {
        // The window manager's frame is known only once the window is on screen; the window is
        // fitted again when it turns out larger than the first guess.
        const QRect frame = window_->frameGeometry();
        const QRect inner = window_->geometry();
        const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                               frame.right() - inner.right(), frame.bottom() - inner.bottom());
        if (margins != knownFrame_) {
            knownFrame_ = margins;
            QMetaObject::invokeMethod(this, &SettingsWindowController::fitToScreen,
                                      Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void SettingsWindowController::fitToScreen() {
    if (!window_ || !view_) {
        return;
    }
    QScreen* screen = window_->screen();
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    const QLayout* layout = window_->layout();
    const int menuHeight = layout->menuBar() ? layout->menuBar()->sizeHint().height() : 0;
    const QSize form = view_->sizeHint();
    const int wanted = form.height() + menuHeight;
    int height = wanted;
    if (screen) {
        const int room =
            screen->availableGeometry().height() - knownFrame_.top() - knownFrame_.bottom();
        height = std::min(wanted, std::max(room, menuHeight + 1));
    }
    const bool scrolls = height < wanted;
    const int width =
        form.width() + (scrolls ? scrollArea_->verticalScrollBar()->sizeHint().width() : 0);
    window_->setFixedSize(width, height);
    keepOnScreen();
}

void SettingsWindowController::keepOnScreen() {
    QScreen* screen = window_->screen();
    if (!screen || !window_->isVisible()) {
        return;
    }
    const QRect available = screen->availableGeometry();
    QRect frame = window_->frameGeometry();
    frame.setSize(window_->size().grownBy(knownFrame_));
    if (frame.bottom() > available.bottom()) {
        frame.moveBottom(available.bottom());
    }
    frame.moveTop(std::max(frame.top(), available.top()));
    if (frame.topLeft() != window_->frameGeometry().topLeft()) {
        window_->move(frame.topLeft());
    }
}

void SettingsWindowController::center() {
    QScreen* screen = window_->screen();
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return;
    }
    const QRect available = screen->availableGeometry();
    QRect frame = window_->frameGeometry();
    frame.moveCenter(available.center());
    // On a screen too short for it the title bar stays reachable.
    frame.moveTop(std::max(frame.top(), available.top()));
    window_->move(frame.topLeft());
}

void SettingsWindowController::windowDidClose() {
    // During the close the window still counts as visible; the owner must see it gone.
    QMetaObject::invokeMethod(this, &SettingsWindowController::visibilityChanged,
                              Qt::QueuedConnection);
}

}  // namespace hushpane
