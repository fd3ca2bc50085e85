#include "app/MainMenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

namespace hushpane {

namespace {

// Edit commands go to whatever has the keyboard focus, if it can do them.
void sendToFocus(const char* method) {
    if (QWidget* focus = QApplication::focusWidget()) {
        QMetaObject::invokeMethod(focus, method);
    }
}

QAction* addItem(QMenu* menu, const QString& title, const std::function<void()>& action,
                 const QKeySequence& key = {}) {
    QAction* item = menu->addAction(title);
    if (!key.isEmpty()) {
        item->setShortcut(key);
    }
    if (action) {
        QObject::connect(item, &QAction::triggered, item, action);
    }
    return item;
}

}  // namespace

QMenu* makeMainMenu(const MainMenuActions& actions) {
    auto* mainMenu = new QMenu(nullptr);

    // The application menu; macOS shows the application's name as its title.
    QMenu* app = mainMenu->addMenu(QStringLiteral("Hushpane"));
    addItem(app, QStringLiteral("About Hushpane"), actions.showAbout)
        ->setMenuRole(QAction::AboutRole);
    app->addSeparator();
    addItem(app, QStringLiteral("Settings…"), actions.showSettings,
            QKeySequence(Qt::CTRL | Qt::Key_Comma))
        ->setMenuRole(QAction::PreferencesRole);
    addItem(app, QStringLiteral("Check for Updates…"), actions.checkForUpdates)
        ->setMenuRole(QAction::ApplicationSpecificRole);
    app->addSeparator();
    addItem(app, QStringLiteral("Hide Hushpane"), actions.hideApplication,
            QKeySequence(Qt::CTRL | Qt::Key_H));
    app->addSeparator();
    addItem(app, QStringLiteral("Quit Hushpane"), actions.quit, QKeySequence(Qt::CTRL | Qt::Key_Q))
        ->setMenuRole(QAction::QuitRole);

    QMenu* desktop = mainMenu->addMenu(QStringLiteral("Desktop"));
    QAction* toggle =
        addItem(desktop, QStringLiteral("Toggle Desktop Icons"), actions.toggleDesktop);
    if (actions.bindToggleShortcut) {
        actions.bindToggleShortcut(toggle);
    }

    QMenu* edit = mainMenu->addMenu(QStringLiteral("Edit"));
    addItem(
        edit, QStringLiteral("Undo"), [] { sendToFocus("undo"); },
        QKeySequence(Qt::CTRL | Qt::Key_Z));
    addItem(
        edit, QStringLiteral("Redo"), [] { sendToFocus("redo"); },
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addSeparator();
    addItem(
        edit, QStringLiteral("Cut"), [] { sendToFocus("cut"); },
        QKeySequence(Qt::CTRL | Qt::Key_X));
    addItem(
        edit, QStringLiteral("Copy"), [] { sendToFocus("copy"); },
        QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(
        edit, QStringLiteral("Paste"), [] { sendToFocus("paste"); },
        QKeySequence(Qt::CTRL | Qt::Key_V));
    addItem(
        edit, QStringLiteral("Select All"), [] { sendToFocus("selectAll"); },
        QKeySequence(Qt::CTRL | Qt::Key_A));

    QMenu* window = mainMenu->addMenu(QStringLiteral("Window"));
    addItem(
        window, QStringLiteral("Close"),
        [] {
            if (QWidget* w = QApplication::activeWindow()) {
                w->close();
            }
        },
        QKeySequence(Qt::CTRL | Qt::Key_W));
    addItem(
        window, QStringLiteral("Minimize"),
        [] {
            if (QWidget* w = QApplication::activeWindow()) {
                w->showMinimized();
            }
        },
        QKeySequence(Qt::CTRL | Qt::Key_M));
    return mainMenu;
}

}  // namespace hushpane
