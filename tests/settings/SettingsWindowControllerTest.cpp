#include "settings/SettingsWindowController.h"

#include "SettingsTestFixture.h"
#include "settings/ToggleSwitch.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

using namespace hushpane;

namespace {

enum class Policy { regular, accessory };

class SettingsWindowControllerTest : public test::SettingsFixture {
protected:
    void makeController(QMenu* menu = nullptr) {
        controller = std::make_unique<SettingsWindowController>(
            prefs, desktop, updater, loginItems, QStringLiteral("0.1.0"),
            SettingsView::ShortcutRowFactory{}, menu);
        QObject::connect(controller.get(), &SettingsWindowController::visibilityChanged, [this] {
            // What the application does with it: the Dock rule.
            seenVisible.append(controller->isWindowVisible());
            policy = prefs.showDockIcon() || controller->isWindowVisible() ? Policy::regular
                                                                           : Policy::accessory;
        });
    }
    // Queued work, and the layout passes it starts.
    static void runQueued() {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::processEvents();
        }
    }
    // Centred on its screen, but never with the title bar above the screen's top.
    void expectCentred() const {
        const QRect frame = controller->window()->frameGeometry();
        const QRect available = controller->window()->screen()->availableGeometry();
        EXPECT_NEAR(frame.center().x(), available.center().x(), 2);
        const int centredTop = available.center().y() - frame.height() / 2;
        EXPECT_NEAR(frame.top(), std::max(centredTop, available.top()), 2);
    }

    std::unique_ptr<SettingsWindowController> controller;
    QList<bool> seenVisible;
    Policy policy = Policy::accessory;
};

}  // namespace

TEST_F(SettingsWindowControllerTest, ShowIsQueuedAndMakesTheWindowOnce) {
    makeController();
    controller->show();
    controller->show();
    EXPECT_EQ(controller->window(), nullptr);
    EXPECT_FALSE(controller->isWindowVisible());
    EXPECT_TRUE(seenVisible.isEmpty());

    runQueued();
    QWidget* window = controller->window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Hushpane Settings"));
    // Both requests presented the same window, each telling the owner.
    EXPECT_EQ(seenVisible, (QList<bool>{true, true}));
    EXPECT_EQ(policy, Policy::regular);
    EXPECT_EQ(loginItems.statusReads, 1);
}

TEST_F(SettingsWindowControllerTest, WindowIsFixedAt480WideAndAsTallAsItsForm) {
    QMenu mainMenu;
    QMenu* desktopMenu = mainMenu.addMenu(QStringLiteral("Desktop"));
    makeController(&mainMenu);
    controller->show();
    runQueued();
    QWidget* window = controller->window();
    ASSERT_NE(window, nullptr);

    // The window's own menu bar shows the main menu's menus.
    const auto* menu = window->findChild<QMenuBar*>();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().first()->menu(), desktopMenu);
    EXPECT_EQ(window->width(), 480);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());  // not resizable
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(window->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_FALSE(window->testAttribute(Qt::WA_DeleteOnClose));

    // Everything fits: the form's natural height, nothing cut off.
    SettingsView* view = controller->view();
    EXPECT_EQ(view->height(), view->sizeHint().height());
    EXPECT_EQ(window->height(), view->height() + menu->sizeHint().height());
    const QWidget* quitRow = view->findChild<QWidget*>(QStringLiteral("quitRow"));
    EXPECT_LE(quitRow->mapTo(view, QPoint(0, quitRow->height())).y(), view->height());

    // The error row makes the window taller and goes again with the error.
    const int height = window->height();
    desktopSwitch.failure = QStringLiteral("Couldn't restart Finder: No such file or directory");
    desktop.hide();
    runQueued();
    EXPECT_GT(window->height(), height);
    desktopSwitch.failure.reset();
    desktop.show();
    runQueued();
    EXPECT_EQ(window->height(), height);
}

TEST_F(SettingsWindowControllerTest, ClosingTellsTheOwnerOnlyAfterTheWindowHasGone) {
    makeController();
    controller->show();
    runQueued();
    QWidget* window = controller->window();
    seenVisible.clear();

    window->close();
    EXPECT_TRUE(seenVisible.isEmpty());  // queued, not during the close
    EXPECT_EQ(policy, Policy::regular);
    runQueued();
    EXPECT_EQ(seenVisible, QList<bool>{false});
    // Dock icon off: back to a tray-only application.
    EXPECT_EQ(policy, Policy::accessory);
    EXPECT_EQ(controller->window(), window);

    // With the Dock icon on it stays.
    prefs.setShowDockIcon(true);
    controller->show();
    runQueued();
    window->close();
    runQueued();
    EXPECT_EQ(policy, Policy::regular);
}

TEST_F(SettingsWindowControllerTest, AnOpenWindowStaysPutAndAClosedOneComesBackCentred) {
    makeController();
    controller->show();
    runQueued();
    QWidget* window = controller->window();
    expectCentred();

    // The user moved it: another request leaves it where it is.
    window->move(10, 20);
    controller->show();
    runQueued();
    EXPECT_EQ(window->pos(), QPoint(10, 20));

    // The form keeps its state between openings: the login item is not read again.
    controller->view()
        ->findChild<settings::ToggleSwitch*>(QStringLiteral("launchAtLogin"))
        ->click();
    EXPECT_TRUE(controller->view()->launchAtLogin());
    window->close();
    runQueued();
    loginItems.current = LoginItemService::Status::notRegistered;
    controller->show();
    runQueued();
    EXPECT_EQ(controller->window(), window);
    EXPECT_TRUE(window->isVisible());
    expectCentred();
    EXPECT_TRUE(controller->view()->launchAtLogin());
    EXPECT_EQ(loginItems.statusReads, 1);
}

TEST_F(SettingsWindowControllerTest, AMinimisedWindowIsRestored) {
    makeController();
    controller->show();
    runQueued();
    QWidget* window = controller->window();
    window->setWindowState(window->windowState() | Qt::WindowMinimized);
    ASSERT_TRUE(window->isMinimized());
    controller->show();
    runQueued();
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
}
