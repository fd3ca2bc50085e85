#include "SettingsTestFixture.h"
#include "fakes/InMemoryHotKeyService.h"
#include "fakes/InMemoryKeyboardLayout.h"
#include "keyboard_shortcuts/KeyboardShortcuts.h"
#include "keyboard_shortcuts/Recorder.h"
#include "settings/SettingsWindowController.h"

#include <QLabel>
#include <QTest>

using namespace hushpane;

namespace {

// The form with the library's real recorder in its shortcut row.
class SettingsRecorderTest : public test::SettingsFixture {
protected:
    void SetUp() override {
        name = std::make_unique<KeyboardShortcuts::Name>(
            QStringLiteral("toggleDesktop"),
            KeyboardShortcuts::Shortcut(KeyboardShortcuts::Key::d,
                                        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        controller = std::make_unique<SettingsWindowController>(
            prefs, desktop, updater, loginItems, QStringLiteral("0.1.0"),
            [this](const QString& label, QWidget* parent) {
                return new KeyboardShortcuts::Recorder(library, label, *name, {}, parent);
            },
            nullptr);
    }
    void present() {
        controller->show();
        QCoreApplication::processEvents();
        ASSERT_TRUE(QTest::qWaitForWindowActive(controller->window()));
        QCoreApplication::processEvents();
    }

    test::InMemoryHotKeyService hotKeys;
    test::InMemoryKeyboardLayout layout;
    KeyboardShortcuts::Library library{defaults, hotKeys, layout};
    std::unique_ptr<KeyboardShortcuts::Name> name;
    std::unique_ptr<SettingsWindowController> controller;
};

}  // namespace

TEST_F(SettingsRecorderTest, SitsInTheShortcutRowAndDoesNotRecordWhenTheWindowOpens) {
    present();
    auto* recorder = controller->window()->findChild<KeyboardShortcuts::Recorder*>();
    ASSERT_NE(recorder, nullptr);
    EXPECT_EQ(recorder->parentWidget()->objectName(), QStringLiteral("shortcutRow"));
    EXPECT_EQ(recorder->label()->text(), QStringLiteral("Keyboard shortcut"));
    KeyboardShortcuts::RecorderCocoa* field = recorder->control();
    EXPECT_EQ(field->text(), QStringLiteral("Ctrl+Alt+Super+D"));
    EXPECT_EQ(field->width(), field->sizeHint().width());
    EXPECT_GE(field->width(), KeyboardShortcuts::RecorderCocoa::minimumWidth);
    // The field ends at the row's trailing inset, like the switches above it.
    const QWidget* row = recorder->parentWidget();
    const auto* hide = controller->view()->findChild<QWidget*>(QStringLiteral("hideDesktop"));
    EXPECT_EQ(field->mapTo(row, QPoint(field->width(), 0)).x(),
              hide->mapTo(hide->parentWidget(), QPoint(hide->width(), 0)).x());
    EXPECT_FALSE(field->isRecording());

    // Closed and opened again: still not recording by itself.
    controller->window()->close();
    QCoreApplication::processEvents();
    present();
    EXPECT_FALSE(field->isRecording());

    // A click starts it, as anywhere else.
    QTest::mouseClick(field, Qt::LeftButton);
    EXPECT_TRUE(field->isRecording());
}
