#include "settings/SettingsWindowController.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace hushpane {

namespace {

// The settings window: it tells its controller when a close went through.
class SettingsWindow : public QWidget {
public:
    explicit SettingsWindow(std::function<void()> onClosed) : onClosed_(std::move(onClosed)) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        QWidget::closeEvent(event);
        if (event->isAccepted() && onClosed_) {
            onClosed_();
        }
    }

private:
    std::function<void()> onClosed_;
};

}  // namespace

SettingsWindowController::SettingsWindowController(Preferences& preferences,
                                                   DesktopController& desktop, AppUpdater& updater,
                                                   LoginItemService& loginItems, QString version,
                                                   SettingsView::ShortcutRowFactory makeShortcutRow,
                                                   QMenu* mainMenu, std::function<void()> quit,
                                                   std::function<void()> onVisibilityChange,
                                                   QObject* parent)
    : QObject(parent),
      preferences_(preferences),
      desktop_(desktop),
      updater_(updater),
      loginItems_(loginItems),
      version_(std::move(version)),
      makeShortcutRow_(std::move(makeShortcutRow)),
      mainMenu_(mainMenu),
      quit_(std::move(quit)),
      onVisibilityChange_(std::move(onVisibilityChange)) {}

SettingsWindowController::~SettingsWindowController() = default;

void SettingsWindowController::show() {
    // Never synchronously: a request from a menu action runs after that action returned.
    QMetaObject::invokeMethod(this, &SettingsWindowController::present, Qt::QueuedConnection);
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
        center();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (onVisibilityChange_) {
        onVisibilityChange_();
    }
    // The callback may have changed how the application presents itself; bring it forward
    // once more.
    window_->raise();
    window_->activateWindow();
}

std::unique_ptr<QWidget> SettingsWindowController::makeWindow() {
    auto window = std::make_unique<SettingsWindow>([this] { windowDidClose(); });
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
    // 480 wide and exactly as tall as the form, following it when a row comes or goes.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (mainMenu_) {
        auto* menuBar = new QMenuBar(window.get());
        menuBar->addActions(mainMenu_->actions());
        layout->setMenuBar(menuBar);
    }
    view_ = new SettingsView(preferences_, desktop_, updater_, loginItems_, version_,
                             makeShortcutRow_, quit_, window.get());
    layout->addWidget(view_);
    view_->setFocus();
    layout->activate();
    return window;
}

void SettingsWindowController::center() {
    window_->layout()->activate();
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
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (onVisibilityChange_) {
                onVisibilityChange_();
            }
        },
        Qt::QueuedConnection);
}

}  // namespace hushpane
