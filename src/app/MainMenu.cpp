#include "app/MainMenu.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

#include <utility>

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

QAction* addItem(QMenu* menu, const QString& title, const QKeySequence& key = {}) {
    QAction* item = menu->addAction(title);
    if (!key.isEmpty()) {
        item->setShortcut(key);
    }
    return item;
}

// An item that does its work itself, whoever holds the menu.
template <typename Action>
void addCommand(QMenu* menu, const QString& title, const QKeySequence& key, Action action) {
    QAction* item = addItem(menu, title, key);
    QObject::connect(item, &QAction::triggered, item, std::move(action));
}

void hideApplication() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isWindow() && w->isVisible()) {
            w->hide();
        }
    }
}

}  // namespace

MainMenu makeMainMenu() {
    MainMenu items;
    auto* mainMenu = new QMenu(nullptr);
    items.menu = mainMenu;

    // The application menu; macOS shows the application's name as its title.
    QMenu* app = mainMenu->addMenu(QStringLiteral("Hushpane"));
    items.about = addItem(app, MainMenuText::tr("About Hushpane"));
    items.about->setMenuRole(QAction::AboutRole);
    app->addSeparator();
    items.settings =
        addItem(app, MainMenuText::tr("Settings…"), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    items.settings->setMenuRole(QAction::PreferencesRole);
    items.checkForUpdates = addItem(app, MainMenuText::tr("Check for Updates…"));
    items.checkForUpdates->setMenuRole(QAction::ApplicationSpecificRole);
    app->addSeparator();
    addCommand(app, MainMenuText::tr("Hide Hushpane"), QKeySequence(Qt::CTRL | Qt::Key_H),
               hideApplication);
    app->addSeparator();
    items.quit =
        addItem(app, MainMenuText::tr("Quit Hushpane"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    items.quit->setMenuRole(QAction::QuitRole);

    QMenu* desktop = mainMenu->addMenu(MainMenuText::tr("Desktop"));
    items.toggleDesktop = addItem(desktop, MainMenuText::tr("Toggle Desktop Icons"));

    QMenu* edit = mainMenu->addMenu(MainMenuText::tr("Edit"));
    addCommand(edit, MainMenuText::tr("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
               [] { sendToFocus("undo"); });
    addCommand(edit, MainMenuText::tr("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
               [] { sendToFocus("redo"); });
    edit->addSeparator();
    addCommand(edit, MainMenuText::tr("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X),
               [] { sendToFocus("cut"); });
    addCommand(edit, MainMenuText::tr("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C),
               [] { sendToFocus("copy"); });
    addCommand(edit, MainMenuText::tr("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
               [] { sendToFocus("paste"); });
    addCommand(edit, MainMenuText::tr("Select All"), QKeySequence(Qt::CTRL | Qt::Key_A),
               [] { sendToFocus("selectAll"); });

    QMenu* window = mainMenu->addMenu(MainMenuText::tr("Window"));
    addCommand(window, MainMenuText::tr("Close"), QKeySequence(Qt::CTRL | Qt::Key_W), [] {
        if (QWidget* w = QApplication::activeWindow()) {
            w->close();
        }
    });
    addCommand(window, MainMenuText::tr("Minimize"), QKeySequence(Qt::CTRL | Qt::Key_M), [] {
        if (QWidget* w = QApplication::activeWindow()) {
            w->showMinimized();
        }
    });
    return items;
}

}  // namespace hushpane
