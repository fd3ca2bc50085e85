#include "app/MainMenu.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

namespace hushpane {

namespace {

// The menus' titles, translated in the context hushpane::MainMenu.
struct MainMenuText {
    Q_DECLARE_TR_FUNCTIONS(hushpane::MainMenu)
};

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
    addItem(app, MainMenuText::tr("About Hushpane"), actions.showAbout)
        ->setMenuRole(QAction::AboutRole);
    app->addSeparator();
    addItem(app, MainMenuText::tr("Settings…"), actions.showSettings,
            QKeySequence(Qt::CTRL | Qt::Key_Comma))
        ->setMenuRole(QAction::PreferencesRole);
    addItem(app, MainMenuText::tr("Check for Updates…"), actions.checkForUpdates)
        ->setMenuRole(QAction::ApplicationSpecificRole);
    app->addSeparator();
    addItem(app, MainMenuText::tr("Hide Hushpane"), actions.hideApplication,
            QKeySequence(Qt::CTRL | Qt::Key_H));
    app->addSeparator();
    addItem(app, MainMenuText::tr("Quit Hushpane"), actions.quit,
            QKeySequence(Qt::CTRL | Qt::Key_Q))
        ->setMenuRole(QAction::QuitRole);

    QMenu* desktop = mainMenu->addMenu(MainMenuText::tr("Desktop"));
    QAction* toggle =
        addItem(desktop, MainMenuText::tr("Toggle Desktop Icons"), actions.toggleDesktop);
    if (actions.bindToggleShortcut) {
        actions.bindToggleShortcut(toggle);
    }

    QMenu* edit = mainMenu->addMenu(MainMenuText::tr("Edit"));
    addItem(
        edit, MainMenuText::tr("Undo"), [] { sendToFocus("undo"); },
        QKeySequence(Qt::CTRL | Qt::Key_Z));
    addItem(
        edit, MainMenuText::tr("Redo"), [] { sendToFocus("redo"); },
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addSeparator();
    addItem(
        edit, MainMenuText::tr("Cut"), [] { sendToFocus("cut"); },
        QKeySequence(Qt::CTRL | Qt::Key_X));
    addItem(
        edit, MainMenuText::tr("Copy"), [] { sendToFocus("copy"); },
        QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(
        edit, MainMenuText::tr("Paste"), [] { sendToFocus("paste"); },
        QKeySequence(Qt::CTRL | Qt::Key_V));
    addItem(
        edit, MainMenuText::tr("Select All"), [] { sendToFocus("selectAll"); },
        QKeySequence(Qt::CTRL | Qt::Key_A));

    QMenu* window = mainMenu->addMenu(MainMenuText::tr("Window"));
    addItem(
        window, MainMenuText::tr("Close"),
        [] {
            if (QWidget* w = QApplication::activeWindow()) {
                w->close();
            }
        },
        QKeySequence(Qt::CTRL | Qt::Key_W));
    addItem(
        window, MainMenuText::tr("Minimize"),
        [] {
            if (QWidget* w = QApplication::activeWindow()) {
                w->showMinimized();
            }
        },
        QKeySequence(Qt::CTRL | Qt::Key_M));
    return mainMenu;
}

}  // namespace hushpane
