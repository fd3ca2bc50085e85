#include "LibraryFixture.h"

#include "keyboard_shortcuts/Recorder.h"
#include "support/StdoutCapture.h"

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace KeyboardShortcuts;

namespace {

// Another program holds Control-Option-Command-D when the name's default is registered.
class RefusedHotKeyTest : public LibraryTest {
protected:
    void SetUp() override {
        hotKeys.refused.insert({2, 6400}, hushpane::kEventHotKeyExistsErr);
        toggle = std::make_unique<Name>(QStringLiteral("toggleDesktop"), controlOptionCommandD());
        onKeyUp(*toggle, [this] { ++toggles; });
    }
    void holderLetsGo() { hotKeys.refused.clear(); }

    std::unique_ptr<Name> toggle;
    int toggles = 0;
};

const QString kTaken =
    QStringLiteral("Ctrl+Alt+Super+D is taken by another program; choose another shortcut");

}  // namespace

TEST_F(RefusedHotKeyTest, IsTriedAgainWithGrowingPausesUntilTheHolderLetsGo) {
    EXPECT_TRUE(library->isRefused(*toggle));
    EXPECT_FALSE(isEnabled(*toggle));
    ASSERT_TRUE(library->isRetryScheduled());
    EXPECT_EQ(library->retryInterval(), 1000);

    hushpane::test::StdoutCapture out;
    const int attempts = hotKeys.registerCount;
    ASSERT_TRUE(QTest::qWaitFor([&] { return hotKeys.registerCount > attempts; }, 3000));
    EXPECT_TRUE(library->isRefused(*toggle));
    EXPECT_EQ(library->retryInterval(), 2000) << "waits twice as long after a failed try";
    EXPECT_TRUE(out.text().isEmpty()) << "the refusal was printed once, at the first try";

    QSignalSpy changes(library.get(), &Library::refusedShortcutsDidChange);
    holderLetsGo();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !library->isRefused(*toggle); }, 5000));
    EXPECT_EQ(changes.size(), 1);
    EXPECT_FALSE(library->isRetryScheduled());
    EXPECT_TRUE(isEnabled(*toggle));
    hotKeys.press(2, 6400);
    hotKeys.release(2, 6400);
    EXPECT_EQ(toggles, 1) << "the shortcut works again";
}

TEST_F(RefusedHotKeyTest, ChoosingAnotherShortcutEndsTheRefusalAndTheRetries) {
    QSignalSpy changes(library.get(), &Library::refusedShortcutsDidChange);
    setShortcut(commandShiftK(), *toggle);
    EXPECT_FALSE(library->isRefused(*toggle));
    EXPECT_FALSE(library->hasRefusedShortcuts());
    EXPECT_FALSE(library->isRetryScheduled());
    EXPECT_EQ(changes.size(), 1);
    EXPECT_TRUE(hotKeys.isRegistered(40, 768));

    // A combination the system cannot express is not another program's: nothing to wait for.
    hotKeys.refused.insert({2, 0x1000 | 0x20000}, hushpane::kEventHotKeyInvalidErr);
    setShortcut(Shortcut::fromStoredValues(2, 0x1000 | 0x20000), *toggle);
    EXPECT_FALSE(library->isRefused(*toggle));
    EXPECT_FALSE(library->isRetryScheduled());
}

TEST_F(RefusedHotKeyTest, TheRecorderWarnsAndTriesAgainWhenItsWindowGainsOrLosesFocus) {
    QWidget window;
    auto* row = new Recorder(*library, QStringLiteral("Keyboard shortcut"), *toggle, {}, &window);
    RecorderCocoa* field = row->control();
    QWidget other;
    window.show();
    other.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    EXPECT_TRUE(field->isShowingRefusal());
    EXPECT_EQ(field->refusalText(), kTaken);
    EXPECT_EQ(field->toolTip(), kTaken);
    EXPECT_EQ(field->accessibleDescription(), kTaken);
    EXPECT_TRUE(field->findChild<QAction*>(QStringLiteral("refusalSign"))->isVisible());
    EXPECT_TRUE(row->refusalLine()->isVisibleTo(&window));
    EXPECT_EQ(row->refusalLine()->text(), kTaken);

    // The user closes the program that held it and comes back to the settings.
    holderLetsGo();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(library->isRefused(*toggle)) << "tried again when the settings lost focus";
    EXPECT_FALSE(field->isShowingRefusal());
    EXPECT_TRUE(field->toolTip().isEmpty());
    EXPECT_FALSE(field->findChild<QAction*>(QStringLiteral("refusalSign"))->isVisible());
    EXPECT_FALSE(row->refusalLine()->isVisibleTo(&window));
    EXPECT_EQ(field->text(), QStringLiteral("Ctrl+Alt+Super+D"));
}
