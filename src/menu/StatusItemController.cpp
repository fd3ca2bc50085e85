#include "menu/StatusItemController.h"

#include "menu/OpenMenuShortcuts.h"
#include "menu/TemplateIcon.h"
#include "platform/TrayPanel.h"
#include "services/AppUpdater.h"
#include "services/AutoHideController.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QSystemTrayIcon>

namespace hushpane {

StatusItemController::StatusItemController(DesktopController& desktop, Preferences& preferences,
                                           AppUpdater& updater, const TrayPanel* trayPanel,
                                           QObject* parent)
    : QObject(parent),
      desktop_(desktop),
      preferences_(preferences),
      updater_(updater),
      menu_(std::make_unique<QMenu>()),
      statusItem_(std::make_unique<QSystemTrayIcon>()),
      trayPanel_(trayPanel) {
    // Opening the menu redraws at once, so the title is right even before a queued redraw.
    connect(menu_.get(), &QMenu::aboutToShow, this, &StatusItemController::update);

    toggleItem_ = menu_->addAction(QString());
    connect(toggleItem_, &QAction::triggered, this, &StatusItemController::toggle);
    menu_->addSeparator();
    QAction* settings = menu_->addAction(tr("Settings…"));
    connect(settings, &QAction::triggered, this, &StatusItemController::settingsRequested);
    QAction* updates = menu_->addAction(tr("Check for Updates…"));
    connect(updates, &QAction::triggered, this, &StatusItemController::checkForUpdates);
    // A build that its package manager updates has no checks to offer.
    updates->setVisible(!updater_.isUpdatedByPackageManager());
    menu_->addSeparator();
    QAction* quitItem = menu_->addAction(tr("Quit Hushpane"));
    quitItem->setMenuRole(QAction::QuitRole);
    connect(quitItem, &QAction::triggered, this, &StatusItemController::quitRequested);
    if (!menuDrawnByHost()) {
        // Keys shown beside the items work while this menu is open, and only then. A panel that
        // draws the menu itself keeps the keyboard to itself: it gets no keys to show.
        settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
        quitItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
        new OpenMenuShortcuts(*menu_);
    }

    // One menu whichever button opened it. A panel that draws it opens it on the right button
    // and passes the left one on as the icon's activation, which opens the settings; an XEmbed
    // tray reports the left button only, and the program opens its menu there itself.
    statusItem_->setContextMenu(menu_.get());
    connect(statusItem_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason != QSystemTrayIcon::Trigger) {
                    return;
                }
                if (menuDrawnByHost()) {
                    Q_EMIT settingsRequested();
                } else {
                    openMenuAtPointer();
                }
            });
    update();

    connect(&desktop_, &DesktopController::isDesktopHiddenChanged, this,
            &StatusItemController::scheduleUpdate);
    connect(&preferences_, &Preferences::menuBarIconChanged, this,
            &StatusItemController::scheduleUpdate);
    qApp->installEventFilter(this);
    statusItem_->show();
    waitForDocking();
}

bool StatusItemController::menuDrawnByHost() const {
    return trayPanel_ != nullptr && trayPanel_->drawsMenu();
}

void StatusItemController::openMenuAtPointer() {
    if (menu_->isVisible()) {
        menu_->hide();  // a second click closes it, as in a menu bar
        return;
    }
    menu_->popup(QCursor::pos());
}

void StatusItemController::waitForDocking() {
    // The tray takes the icon in a little later; only then is there a panel around it to match.
    if (!trayPanel_ || !QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    dockingChecksLeft_ = 40;
    dockingCheck_.setInterval(250);
    connect(&dockingCheck_, &QTimer::timeout, this, [this] {
        if (!statusItem_->geometry().isEmpty() || --dockingChecksLeft_ <= 0) {
            dockingCheck_.stop();
            update();
        }
    });
    dockingCheck_.start();
}

StatusItemController::~StatusItemController() = default;

void StatusItemController::scheduleUpdate() {
    // Reactions run after the change itself has finished, and read the new values.
    QMetaObject::invokeMethod(this, &StatusItemController::update, Qt::QueuedConnection);
}

void StatusItemController::update() {
    const bool hidden = desktop_.isDesktopHidden();
    toggleItem_->setText(hidden ? tr("Show Desktop Icons") : tr("Hide Desktop Icons"));
    currentImage_ = menuBarIconImage(preferences_.menuBarIcon(), hidden);
    const TrayPanelLook look =
        trayPanel_ ? trayPanel_->look(statusItem_->geometry()) : TrayPanelLook{};
    colours_ = trayIconColours(look);
    statusItem_->setIcon(currentImage_ ? tintedTemplateIcon(currentImage_->icon, colours_)
                                       : QIcon());
    statusItem_->setToolTip(toolTip());
    Q_EMIT redrawn();
}

void StatusItemController::setAutoHide(AutoHideController& autoHide) {
    autoHide_ = &autoHide;
    connect(autoHide_, &AutoHideController::hiddenBecauseChanged, this,
            &StatusItemController::scheduleUpdate);
    scheduleUpdate();
}

QString StatusItemController::toolTip() const {
    QString state;
    if (const auto because = autoHide_ ? autoHide_->hiddenBecause() : std::nullopt) {
        state = AutoHideController::reasonText(*because);
    } else if (currentImage_) {
        state = currentImage_->accessibilityDescription;
    }
    // The panel shows it as it is: no markup, so a translation cannot break it.
    return state.isEmpty() ? QStringLiteral("Hushpane") : tr("Hushpane: %1").arg(state);
}

bool StatusItemController::eventFilter(QObject* watched, QEvent* event) {
    // A new colour scheme may come with a new panel colour.
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
        scheduleUpdate();
    }
    return QObject::eventFilter(watched, event);
}

void StatusItemController::toggle() {
    if (desktop_.wantsDesktopHidden()) {
        desktop_.show();
    } else {
        desktop_.hide();
    }
}

void StatusItemController::checkForUpdates() {
    updater_.checkForUpdates();
}

}  // namespace hushpane
