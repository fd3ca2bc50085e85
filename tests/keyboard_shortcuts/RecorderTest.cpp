#include "LibraryFixture.h"

#include "fakes/InMemoryDesktopKeybindings.h"
#include "keyboard_shortcuts/MenuShortcutStyle.h"
#include "keyboard_shortcuts/Recorder.h"
#include "keyboard_shortcuts/RecorderCocoa.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace KeyboardShortcuts;

namespace {

struct AlertSeen {
    bool shown = false;
    QString text;
    QString informativeText;
    QStringList buttons;
};

// Answers the next alert with the button at `index` and notes what it said.
void answerNextAlert(int index, AlertSeen* seen) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, index, seen] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box == nullptr || !box->isVisible()) {
                continue;
            }
            seen->shown = true;
            seen->text = box->text();
            seen->informativeText = box->informativeText();
            for (QAbstractButton* button : box->buttons()) {
                seen->buttons.append(button->text());
            }
            timer->stop();
            timer->deleteLater();
            box->buttons().value(index, box->buttons().value(0))->click();
            return;
        }
    });
    timer->start();
}

class RecorderTest : public LibraryTest {
protected:
    void SetUp() override {
        toggle = std::make_unique<Name>(QStringLiteral("toggleDesktop"), controlOptionCommandD());
        auto* column = new QVBoxLayout(&window);
        before = new QLineEdit(&window);
        column->addWidget(before);
        recorder = new RecorderCocoa(
            *library, *toggle, [this](const std::optional<Shortcut>& s) { changes.append(s); },
            &window);
        column->addWidget(recorder);
        outside = new QLabel(QStringLiteral("elsewhere"), &window);
        column->addWidget(outside);
        QObject::connect(library.get(), &Library::recorderActiveStatusDidChange, &window,
                         [this](bool isActive) { activeStatus.append(isActive); });
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QCoreApplication::processEvents();
    }

    void startRecording() {
        // A person clicks some event-loop turns after the window came to the front.
        QCoreApplication::processEvents();
        QTest::mouseClick(recorder, Qt::LeftButton);
        ASSERT_TRUE(recorder->isRecording());
    }

    std::optional<Shortcut> stored() const { return getShortcut(*toggle); }

    std::unique_ptr<Name> toggle;
    QList<std::optional<Shortcut>> changes;
    QList<bool> activeStatus;
    // Last, so the window and its recorder go before what their callbacks write to.
    QWidget window;
    QLineEdit* before = nullptr;
    RecorderCocoa* recorder = nullptr;
    QLabel* outside = nullptr;
};

const Qt::KeyboardModifiers kCommandShift = Qt::MetaModifier | Qt::ShiftModifier;

}  // namespace

TEST_F(RecorderTest, ShowsTheStoredShortcutAndDoesNotRecordByItself) {
    EXPECT_EQ(recorder->text(), QStringLiteral("Ctrl+Alt+Super+D"));
    EXPECT_TRUE(recorder->clearButton()->isVisible());
    EXPECT_EQ(recorder->placeholderText(), QStringLiteral("Record Shortcut"));
    EXPECT_EQ(recorder->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    // At least the usual width, wider where the text needs it.
    EXPECT_GE(recorder->sizeHint().width(), RecorderCocoa::minimumWidth);
    EXPECT_EQ(recorder->width(), recorder->sizeHint().width());
    EXPECT_GT(recorder->width(), recorder->fontMetrics().horizontalAdvance(recorder->text()));
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_TRUE(activeStatus.isEmpty());

    // A window whose only focusable widget is the recorder.
    QWidget alone;
    auto* own = new RecorderCocoa(*library, *toggle, {}, &alone);
    alone.show();
    alone.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&alone));
    QCoreApplication::processEvents();
    EXPECT_FALSE(own->isRecording());
    EXPECT_FALSE(isPaused());
}

TEST_F(RecorderTest, CommandShiftKIsStoredShownAndEndsRecording) {
    startRecording();
    EXPECT_EQ(recorder->placeholderText(), QStringLiteral("Press Shortcut"));
    EXPECT_TRUE(isPaused());

    QTest::keyClick(recorder, Qt::Key_K, kCommandShift);
    EXPECT_EQ(stored(), commandShiftK());
    EXPECT_EQ(recorder->text(), QStringLiteral("Shift+Super+K"));
    EXPECT_TRUE(recorder->clearButton()->isVisible());
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_FALSE(recorder->hasFocus());
    EXPECT_EQ(recorder->placeholderText(), QStringLiteral("Record Shortcut"));
    EXPECT_FALSE(isPaused());
    EXPECT_EQ(changes, (QList<std::optional<Shortcut>>{commandShiftK()}));
    EXPECT_EQ(activeStatus, (QList<bool>{true, false}));
    EXPECT_TRUE(hotKeys.isRegistered(40, 768));
    EXPECT_FALSE(hotKeys.isRegistered(2, 6400));
}

TEST_F(RecorderTest, KeysWithoutAModifierBeepAndStoreNothing) {
    startRecording();
    QSignalSpy beeps(recorder, &RecorderCocoa::beeped);
    QTest::keyClick(recorder, Qt::Key_K);
    QTest::keyClick(recorder, Qt::Key_K, Qt::ShiftModifier);
    QTest::keyClick(recorder, Qt::Key_Left);
    QTest::keyClick(recorder, Qt::Key_Backtab, Qt::ShiftModifier);  // shift-Tab is no Tab
    EXPECT_EQ(beeps.count(), 4) << "the modifier keys themselves do not beep";
    EXPECT_EQ(stored(), controlOptionCommandD());
    EXPECT_TRUE(recorder->isRecording());
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(RecorderTest, FunctionKeysMayStandAlone) {
    startRecording();
    QTest::keyClick(recorder, Qt::Key_F5);
    EXPECT_EQ(stored(), Shortcut(Key::f5));
    EXPECT_EQ(recorder->text(), QStringLiteral("F5"));

    startRecording();
    QTest::keyClick(recorder, Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(stored(), Shortcut(Key::f6, Qt::ShiftModifier));
}

TEST_F(RecorderTest, EscapeKeepsTheOldValueAndEscapeWithAModifierIsAnAttempt) {
    startRecording();
    QTest::keyClick(recorder, Qt::Key_Escape);
    EXPECT_EQ(stored(), controlOptionCommandD());
    EXPECT_FALSE(recorder->isRecording());

    startRecording();
    QTest::keyClick(recorder, Qt::Key_Escape, Qt::ControlModifier);
    EXPECT_EQ(stored(), Shortcut(Key::escape, Qt::ControlModifier));
}

TEST_F(RecorderTest, DeleteClearsAndKeepsFocus) {
    startRecording();
    QTest::keyClick(recorder, Qt::Key_Backspace);
    EXPECT_FALSE(stored());
    EXPECT_EQ(domain.values.value(toggle->userDefaultsKey()), QVariant(false));
    EXPECT_EQ(changes, (QList<std::optional<Shortcut>>{std::nullopt}));
    EXPECT_TRUE(recorder->text().isEmpty());
    EXPECT_FALSE(recorder->clearButton()->isVisible());
    EXPECT_TRUE(recorder->hasFocus());
    EXPECT_TRUE(recorder->isRecording());

    // Nothing to clear: nothing happens.
    const int writes = domain.setCount;
    QTest::keyClick(recorder, Qt::Key_Delete);
    EXPECT_EQ(domain.setCount, writes);
    EXPECT_EQ(changes.size(), 1);
    EXPECT_TRUE(recorder->isRecording());
}

TEST_F(RecorderTest, TheClearButtonClearsWithoutRecording) {
    recorder->clearButton()->trigger();
    EXPECT_FALSE(stored());
    EXPECT_TRUE(recorder->isRecording()) << "it takes focus after clearing";
}

// The button as a person reaches it: a press and a release of the mouse on the button, which
// the window routes to the field's child under the pointer.
TEST_F(RecorderTest, AClickOnTheClearButtonClears) {
    for (const bool recording : {false, true}) {
        setShortcut(commandShiftK(), *toggle);
        QCoreApplication::processEvents();
        if (recording) {
            startRecording();
        }
        QWidget* button = nullptr;
        for (QToolButton* child : recorder->findChildren<QToolButton*>()) {
            if (child->isVisible()) {
                button = child;
            }
        }
        ASSERT_NE(button, nullptr) << "the clear button is shown";
        const QPoint centre = button->mapTo(&window, button->rect().center());
        QWidget* under = window.childAt(centre);
        ASSERT_EQ(under, button) << "nothing covers the button";
        QTest::mouseClick(under, Qt::LeftButton, {}, button->rect().center());
        EXPECT_FALSE(stored()) << "recording: " << recording;
        EXPECT_TRUE(recorder->text().isEmpty());
        EXPECT_TRUE(recorder->isRecording()) << "it keeps focus to record the next one";
        recorder->clearFocus();
        QCoreApplication::processEvents();
    }
}

// The prompt shows while recording an empty field, also though the text is centred (Qt hides
// a centred placeholder while the field has focus).
TEST_F(RecorderTest, AnEmptyFieldPromptsWhileRecording) {
    setShortcut(std::nullopt, *toggle);
    startRecording();
    ASSERT_TRUE(recorder->text().isEmpty());
    EXPECT_EQ(recorder->placeholderText(), QStringLiteral("Press Shortcut"));
    const QImage withPrompt = recorder->grab().toImage();
    recorder->setPlaceholderText(QString());
    const QImage without = recorder->grab().toImage();
    EXPECT_NE(withPrompt, without) << "the prompt is drawn";
}

// Only a held keyboard sees combinations other clients grab; every way out lets it go.
TEST_F(RecorderTest, HoldsTheKeyboardOnlyWhileRecording) {
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    const std::function<void()> waysOut[] = {
        [this] { QTest::keyClick(recorder, Qt::Key_Escape); },
        [this] { QTest::mouseClick(outside, Qt::LeftButton); },
        [this] { before->setFocus(Qt::MouseFocusReason); },
        [this] { QTest::keyClick(recorder, Qt::Key_K, kCommandShift); },
        [this] { window.hide(); },
    };
    int way = 0;
    for (const auto& wayOut : waysOut) {
        startRecording();
        EXPECT_EQ(QWidget::keyboardGrabber(), recorder);
        wayOut();
        EXPECT_FALSE(recorder->isRecording()) << way;
        EXPECT_EQ(QWidget::keyboardGrabber(), nullptr) << way;
        ++way;
    }
}

TEST_F(RecorderTest, AShortcutOfAMainMenuItemShowsTheAlertAndStoresNothing) {
    QMenuBar menuBar;
    QMenu* file = menuBar.addMenu(QStringLiteral("&File"));
    QAction* quit = file->addAction(QStringLiteral("&Quit Hushpane"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    int quits = 0;
    QObject::connect(quit, &QAction::triggered, [&] { ++quits; });
    setMainMenu(&menuBar);

    startRecording();
    AlertSeen seen;
    answerNextAlert(0, &seen);
    QTest::keyClick(recorder, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(seen.shown);
    EXPECT_TRUE(seen.text.contains(QStringLiteral("“Quit Hushpane”"))) << qPrintable(seen.text);
    EXPECT_EQ(stored(), controlOptionCommandD());
    EXPECT_EQ(quits, 0) << "the menu item did not fire";
    EXPECT_TRUE(QTest::qWaitFor([&] { return recorder->isRecording(); }))
        << "recording again after the alert";
    EXPECT_EQ(activeStatus, (QList<bool>{true, false, true}));

    // The menu item that shows this recorder's own shortcut is no conflict: recording the
    // same keys again asks nothing.
    QAction* toggleItem = file->addAction(QStringLiteral("Hide Desktop Icons"));
    setShortcut(*library, toggleItem, *toggle);
    bool alerted = false;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&alerted] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                alerted = true;
                box->buttons().value(0)->click();
            }
        }
    });
    closer.start();
    QTest::keyClick(recorder, Qt::Key_D, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    closer.stop();
    EXPECT_FALSE(alerted);
    EXPECT_EQ(stored(), controlOptionCommandD());
    EXPECT_FALSE(recorder->isRecording());
}

TEST_F(RecorderTest, ASystemShortcutAsksAndTheSecondButtonStoresIt) {
    const Shortcut system(Key::deleteForward, Qt::ControlModifier | Qt::AltModifier);
    hotKeys.symbolicHotKeys = {{true, system.carbonKeyCode(), system.carbonModifiers()},
                               {true, Key::f12.rawValue, 0}};

    startRecording();
    AlertSeen first;
    answerNextAlert(0, &first);
    QTest::keyClick(recorder, Qt::Key_Delete, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_TRUE(first.shown);
    EXPECT_EQ(first.buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Use Anyway")}));
    EXPECT_FALSE(first.informativeText.isEmpty());
    EXPECT_EQ(stored(), controlOptionCommandD());
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder->isRecording(); }));

    AlertSeen second;
    answerNextAlert(1, &second);
    QTest::keyClick(recorder, Qt::Key_Delete, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_TRUE(second.shown);
    EXPECT_EQ(stored(), system);
    EXPECT_FALSE(recorder->isRecording());

    // Plain F12 never asks.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    startRecording();
    AlertSeen none;
    QTest::keyClick(recorder, Qt::Key_F12);
    EXPECT_FALSE(none.shown);
    EXPECT_EQ(stored(), Shortcut(Key::f12));
}

TEST_F(RecorderTest, TheGlobalShortcutDoesNothingWhileRecording) {
    int toggles = 0;
    onKeyUp(*toggle, [&] { ++toggles; });
    startRecording();
    hotKeys.press(2, 6400);
    hotKeys.release(2, 6400);
    EXPECT_EQ(toggles, 0);
    QTest::keyClick(recorder, Qt::Key_Escape);
    hotKeys.release(2, 6400);
    EXPECT_EQ(toggles, 1);
}

TEST_F(RecorderTest, TabMovesOnAndStartsRecordingInTheNextField) {
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(recorder->hasFocus());
    EXPECT_TRUE(recorder->isRecording());
    QTest::keyClick(recorder, Qt::Key_Tab);
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_FALSE(recorder->hasFocus());
    EXPECT_EQ(stored(), controlOptionCommandD());
}

TEST_F(RecorderTest, ClicksOutsideTheMarginEndRecordingAndReachTheirTarget) {
    startRecording();
    // Just outside the field, inside the 3-point margin: swallowed.
    const QPoint nearby = recorder->geometry().topLeft() + QPoint(-2, 5);
    QTest::mouseClick(&window, Qt::LeftButton, {}, nearby);
    EXPECT_TRUE(recorder->isRecording());

    int releases = 0;
    struct Counter : QObject {
        int* count;
        explicit Counter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::MouseButtonRelease) {
                ++*count;
            }
            return false;
        }
    } counter(&releases);
    outside->installEventFilter(&counter);
    QTest::mouseClick(outside, Qt::LeftButton);
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_EQ(releases, 1);
}

TEST_F(RecorderTest, FollowsStoresMadeElsewhere) {
    RecorderCocoa other(*library, *toggle);
    setShortcut(commandShiftK(), *toggle);
    EXPECT_EQ(recorder->text(), QStringLiteral("Shift+Super+K"));
    EXPECT_EQ(other.text(), QStringLiteral("Shift+Super+K"));
    setShortcut(std::nullopt, *toggle);
    EXPECT_TRUE(recorder->text().isEmpty());
    EXPECT_FALSE(recorder->clearButton()->isVisible());
}

TEST_F(RecorderTest, AWindowLosingActivationEndsRecording) {
    startRecording();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_FALSE(isPaused());
}

TEST_F(RecorderTest, ARecorderThatIsNotRecordingLeavesAnotherOnesPauseAlone) {
    startRecording();
    {
        QWidget otherWindow;
        auto* idle = new RecorderCocoa(*library, Name(QStringLiteral("other")), {}, &otherWindow);
        Q_UNUSED(idle);
    }
    EXPECT_TRUE(isPaused());
    EXPECT_EQ(activeStatus, QList<bool>{true});
}

TEST_F(RecorderTest, TheLabelledRowAndRenaming) {
    Recorder row(*library, QStringLiteral("Keyboard shortcut"), *toggle);
    row.resize(400, 40);
    row.show();
    ASSERT_NE(row.label(), nullptr);
    EXPECT_EQ(row.label()->text(), QStringLiteral("Keyboard shortcut"));
    EXPECT_LT(row.label()->geometry().x(), row.control()->geometry().x());
    EXPECT_EQ(row.control()->width(), row.control()->sizeHint().width());

    Recorder bare(*library, *toggle);
    EXPECT_EQ(bare.label(), nullptr);

    // Same name: the field is left as it is.
    row.control()->setText(QStringLiteral("untouched"));
    row.setName(Name::fromRawValue(QStringLiteral("toggleDesktop")));
    EXPECT_EQ(row.control()->text(), QStringLiteral("untouched"));
    // Another name shows that name's shortcut.
    const Name other(QStringLiteral("other"), commandShiftK());
    row.setName(other);
    EXPECT_EQ(row.control()->text(), QStringLiteral("Shift+Super+K"));
    EXPECT_EQ(row.control()->shortcutName().rawValue(), QStringLiteral("other"));
}

namespace {

// Fusion, noting the text of every menu item it draws.
class RecordingStyle : public QProxyStyle {
public:
    RecordingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            item != nullptr && element == CE_MenuItem) {
            drawn.append(item->text);
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    mutable QStringList drawn;
};

}  // namespace

TEST_F(RecorderTest, MenuFieldAndScreenReaderWriteTheShortcutAlike) {
    auto* recording = new RecordingStyle;
    MenuShortcutStyle style(recording);
    QMenu menu;
    menu.setStyle(&style);
    QAction* toggleItem = menu.addAction(QStringLiteral("Hide Desktop Icons"));
    setShortcut(*library, toggleItem, *toggle);
    menu.addAction(QStringLiteral("Redo"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    menu.popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    // The bound item shows its shortcut one turn later.
    QCoreApplication::processEvents();
    menu.grab();
    EXPECT_EQ(recording->drawn.mid(0, 2),
              (QStringList{QStringLiteral("Hide Desktop Icons\tCtrl+Alt+Super+D"),
                           QStringLiteral("Redo\tShift+Ctrl+Z")}))
        << recording->drawn.join(u'|').toStdString();
    // Room for the longer text.
    const QFontMetrics metrics = menu.fontMetrics();
    EXPECT_GE(menu.width(), metrics.horizontalAdvance(QStringLiteral("Hide Desktop Icons")) +
                                metrics.horizontalAdvance(QStringLiteral("Ctrl+Alt+Super+D")));
    menu.hide();

    EXPECT_EQ(recorder->text(), QStringLiteral("Ctrl+Alt+Super+D"));
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(recorder);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(QAccessible::Value), QStringLiteral("Ctrl+Alt+Super+D"));

    // The refusal line says it alike too (RefusedHotKeyTest).
}

TEST_F(RecorderTest, TheSystemAlertNamesTheDesktopActionWhereTheDesktopTells) {
    hushpane::test::InMemoryDesktopKeybindings desktopKeybindings;
    library->setDesktopKeybindings(&desktopKeybindings);
    const Shortcut showDesktop(Key::d, Qt::MetaModifier);
    desktopKeybindings.actions.insert({showDesktop.carbonKeyCode(), showDesktop.carbonModifiers()},
                                      QStringLiteral("Show desktop"));
    const Shortcut lock(Key::l, Qt::MetaModifier);
    hotKeys.symbolicHotKeys = {{true, lock.carbonKeyCode(), lock.carbonModifiers()}};

    startRecording();
    AlertSeen named;
    answerNextAlert(0, &named);
    QTest::keyClick(recorder, Qt::Key_D, Qt::MetaModifier);
    ASSERT_TRUE(named.shown);
    EXPECT_EQ(named.text, QStringLiteral("This keyboard shortcut cannot be used as it's already "
                                         "used by the desktop for “Show desktop”."));
    EXPECT_EQ(named.buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Use Anyway")}));
    EXPECT_EQ(stored(), controlOptionCommandD());

    // Where the desktop cannot tell, the alert says what it always said.
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder->isRecording(); }));
    AlertSeen generic;
    answerNextAlert(0, &generic);
    QTest::keyClick(recorder, Qt::Key_L, Qt::MetaModifier);
    ASSERT_TRUE(generic.shown);
    EXPECT_EQ(generic.text, QStringLiteral("This keyboard shortcut cannot be used as it's already "
                                           "a system-wide keyboard shortcut."));
    library->setDesktopKeybindings(nullptr);
}
