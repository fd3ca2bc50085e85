#include "LibraryFixture.h"

#include "keyboard_shortcuts/Localization.h"
#include "keyboard_shortcuts/SpecialKeys.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTranslator>

using namespace KeyboardShortcuts;

namespace {

const QString kReplacement = QString(QChar(0xFFFD));

}  // namespace

TEST(Key, CatalogueHasTheNamedCodes) {
    EXPECT_EQ(Key::allNamed.size(), 113u);
    QSet<qint64> codes;
    for (Key key : Key::allNamed) {
        codes.insert(key.rawValue);
    }
    EXPECT_EQ(codes.size(), 113) << "named keys must not share a code";
    EXPECT_EQ(Key::a.rawValue, 0);
    EXPECT_EQ(Key::return_.rawValue, 36);
    EXPECT_EQ(Key::f17.rawValue, 64);
    EXPECT_EQ(Key::keypadPlus.rawValue, 69);
    EXPECT_EQ(Key(-5).rawValue, -5);
    EXPECT_EQ(specialKeyCount(), 53);
}

TEST(Modifiers, CarbonBitsMapBothWaysAndDropEverythingElse) {
    EXPECT_EQ(carbonModifiers(Qt::MetaModifier), 256);
    EXPECT_EQ(carbonModifiers(Qt::ShiftModifier), 512);
    EXPECT_EQ(carbonModifiers(Qt::AltModifier), 2048);
    EXPECT_EQ(carbonModifiers(Qt::ControlModifier), 4096);
    EXPECT_EQ(carbonModifiers(FunctionModifier), 0x20000);
    EXPECT_EQ(carbonModifiers(Qt::KeypadModifier | Qt::GroupSwitchModifier), 0);

    EXPECT_EQ(modifierFlags(0x1900), Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    // Caps lock (0x400) and the right-hand bits drop.
    EXPECT_EQ(normalizedCarbonModifiers(0x400 | 0x100 | 0x2000 | 0x4000), 0x100);
    EXPECT_EQ(normalizedCarbonModifiers(-1), 0x100 | 0x200 | 0x800 | 0x1000 | 0x20000);
}

TEST_F(LibraryTest, ConstructionNormalisesButDecodingKeepsTheStoredMask) {
    const Shortcut made(2, 0x400 | 0x100);
    EXPECT_EQ(made.carbonModifiers(), 256);

    const auto decoded =
        Shortcut::fromJson(QStringLiteral(R"({"carbonKeyCode":2,"carbonModifiers":1280})"));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->carbonModifiers(), 1280);
    EXPECT_FALSE(*decoded == made);
    EXPECT_EQ(decoded->presentableDescription(), QStringLiteral("Super+D"));
    EXPECT_EQ(made.presentableDescription(), QStringLiteral("Super+D"));
}

TEST_F(LibraryTest, DisplayTextsInSymbols) {
    const auto symbols = [](const Shortcut& shortcut) {
        return shortcut.presentableDescription(ShortcutNotation::symbols);
    };
    EXPECT_EQ(controlOptionCommandD().carbonKeyCode(), 2);
    EXPECT_EQ(controlOptionCommandD().carbonModifiers(), 6400);
    EXPECT_EQ(symbols(controlOptionCommandD()), QStringLiteral("⌃⌥⌘D"));

    // Order is fixed whatever order the modifiers came in.
    EXPECT_EQ(symbols(Shortcut(Key::k, Qt::MetaModifier | Qt::ShiftModifier)),
              QStringLiteral("⇧⌘K"));
    EXPECT_EQ(symbols(Shortcut(Key::a, FunctionModifier | Qt::ControlModifier)),
              QStringLiteral("⌃🌐︎A"));

    EXPECT_EQ(symbols(Shortcut(Key::f15)), QStringLiteral("F15"));
    EXPECT_EQ(symbols(Shortcut(Key::f20)), QStringLiteral("F20"));
    EXPECT_EQ(symbols(Shortcut(Key::keypadEnter)), QStringLiteral("↩⃣"));
    EXPECT_EQ(symbols(Shortcut(Key::keypadClear)), QStringLiteral("☒⃣"));
    EXPECT_EQ(symbols(Shortcut(Key::help)), QStringLiteral("?⃝"));
    EXPECT_EQ(symbols(Shortcut(Key::space, Qt::ControlModifier)), QStringLiteral("⌃Space"));

    // Keys the layout cannot turn into exactly one character.
    EXPECT_EQ(symbols(Shortcut(Key::mute, Qt::MetaModifier)), QStringLiteral("⌘") + kReplacement);
    EXPECT_EQ(symbols(Shortcut(Key::command)), kReplacement);
    layout.characters.insert(Key::q.rawValue, QStringLiteral("ab"));
    EXPECT_EQ(symbols(Shortcut(Key::q)), kReplacement);
    layout.characters.insert(Key::q.rawValue, QStringLiteral("e\u0301"));  // one grapheme
    EXPECT_EQ(symbols(Shortcut(Key::q)), QStringLiteral("E\u0301"));
}

TEST_F(LibraryTest, DisplayTextsInNames) {
    const auto names = [](const Shortcut& shortcut) {
        return shortcut.presentableDescription(ShortcutNotation::names);
    };
    EXPECT_EQ(names(controlOptionCommandD()), QStringLiteral("Ctrl+Alt+Super+D"));
    // Shift first, Super after Ctrl and Alt, as the desktops write it.
    EXPECT_EQ(names(Shortcut(Key::k, Qt::ControlModifier | Qt::ShiftModifier)),
              QStringLiteral("Shift+Ctrl+K"));
    EXPECT_EQ(names(Shortcut::fromStoredValues(Key::a.rawValue, -1)),
              QStringLiteral("Shift+Ctrl+Alt+Super+Fn+A"));

    // Named keys read as Qt's native text names them.
    const QList<std::pair<Key, const char*>> named{{Key::f5, "F5"},
                                                   {Key::return_, "Return"},
                                                   {Key::delete_, "Backspace"},
                                                   {Key::deleteForward, "Del"},
                                                   {Key::escape, "Esc"},
                                                   {Key::space, "Space"},
                                                   {Key::tab, "Tab"},
                                                   {Key::pageUp, "PgUp"},
                                                   {Key::home, "Home"},
                                                   {Key::leftArrow, "Left"},
                                                   {Key::help, "Ins"},
                                                   {Key::keypadEnter, "Num+Enter"},
                                                   {Key::keypad5, "Num+5"},
                                                   {Key::keypadPlus, "Num++"}};
    for (const auto& [key, name] : named) {
        EXPECT_EQ(names(Shortcut(key)), QString::fromUtf8(name)) << key.rawValue;
        EXPECT_EQ(
            names(Shortcut(key)),
            QKeySequence::fromString(QString::fromUtf8(name)).toString(QKeySequence::NativeText))
            << "the same text as Qt's for " << name;
    }
    EXPECT_EQ(names(Shortcut(Key::mute, Qt::MetaModifier)),
              QStringLiteral("Super+") + kReplacement);
    // The default on this platform.
    EXPECT_EQ(controlOptionCommandD().description(), names(controlOptionCommandD()));
}

TEST_F(LibraryTest, DisplayFollowsTheLayoutOnEveryCall) {
    const Shortcut y(Key::y, Qt::MetaModifier);
    EXPECT_EQ(y.presentableDescription(), QStringLiteral("Super+Y"));
    layout.characters.insert(Key::y.rawValue, QStringLiteral("z"));
    EXPECT_EQ(y.presentableDescription(), QStringLiteral("Super+Z"));
}

TEST_F(LibraryTest, OutOfRangeCodesShowTheReplacementWithoutAskingTheLayout) {
    layout.lookups = 0;
    EXPECT_EQ(Shortcut(70000, 0x100).presentableDescription(ShortcutNotation::symbols),
              QStringLiteral("⌘") + kReplacement);
    EXPECT_EQ(Shortcut(-1, 0).presentableDescription(), kReplacement);
    EXPECT_EQ(Shortcut::fromStoredValues(std::numeric_limits<qint64>::max(), -1)
                  .presentableDescription(ShortcutNotation::symbols),
              QStringLiteral("⌃⌥⇧⌘🌐︎") + kReplacement);
    EXPECT_EQ(layout.lookups, 0);
}

TEST(Shortcut, WithoutALibraryKeysHaveNoCharacter) {
    ASSERT_EQ(Library::current(), nullptr);
    EXPECT_EQ(Shortcut(Key::a, Qt::MetaModifier).presentableDescription(),
              QStringLiteral("Super+") + kReplacement);
    EXPECT_EQ(Shortcut(Key::f5).presentableDescription(), QStringLiteral("F5"));
}

TEST_F(LibraryTest, MenuKeyEquivalents) {
    EXPECT_EQ(commandShiftK().menuItemKeyEquivalent(), QStringLiteral("k"));
    EXPECT_EQ(Shortcut(Key::space).menuItemKeyEquivalent(), QStringLiteral(" "));
    EXPECT_EQ(Shortcut(Key::f1).menuItemKeyEquivalent(), QString(QChar(0xF704)));
    EXPECT_EQ(Shortcut(Key::f20).menuItemKeyEquivalent(), QString(QChar(0xF717)));
    EXPECT_EQ(Shortcut(Key::return_).menuItemKeyEquivalent(), QStringLiteral("↩"));
    EXPECT_FALSE(Shortcut(Key::keypad5).menuItemKeyEquivalent());
    EXPECT_FALSE(Shortcut(Key::mute).menuItemKeyEquivalent());

    EXPECT_EQ(controlOptionCommandD().keySequence(),
              QKeySequence(Qt::CTRL | Qt::ALT | Qt::META | Qt::Key_D));
    EXPECT_EQ(Shortcut(Key::f5, Qt::ShiftModifier).keySequence(),
              QKeySequence(Qt::SHIFT | Qt::Key_F5));
    EXPECT_TRUE(Shortcut(Key::keypad5, Qt::MetaModifier).keySequence().isEmpty());
}

TEST(ShortcutJson, RoundTripAndRejections) {
    const Shortcut shortcut(Key::d, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString text = shortcut.toJson();
    EXPECT_TRUE(text.contains(QStringLiteral("\"carbonKeyCode\":2")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"carbonModifiers\":6400")));
    EXPECT_EQ(Shortcut::fromJson(text), shortcut);

    // Extra members are ignored, integral reals and large values are integers.
    EXPECT_EQ(Shortcut::fromJson(
                  QStringLiteral(R"({"carbonModifiers":6400.0,"x":[1],"carbonKeyCode":2})")),
              shortcut);
    const auto large = Shortcut::fromJson(QStringLiteral(
        R"({"carbonKeyCode":9007199254740993,"carbonModifiers":-9223372036854775808})"));
    ASSERT_TRUE(large);
    EXPECT_EQ(large->carbonKeyCode(), 9007199254740993LL);
    EXPECT_EQ(large->carbonModifiers(), std::numeric_limits<qint64>::min());

    for (const char* junk : {
             "",
             "not json",
             "[2, 6400]",
             "2",
             "null",
             R"({"carbonKeyCode":2})",
             R"({"carbonKeyCode":"2","carbonModifiers":6400})",
             R"({"carbonKeyCode":2,"carbonModifiers":true})",
             R"({"carbonKeyCode":2.5,"carbonModifiers":0})",
             R"({"carbonKeyCode":1e300,"carbonModifiers":0})",
             R"({"carbonKeyCode":99999999999999999999,"carbonModifiers":0})",
             R"({"carbonKeyCode":2,"carbonModifiers":null})",
         }) {
        EXPECT_FALSE(Shortcut::fromJson(QString::fromUtf8(junk))) << junk;
    }
}

TEST(ShortcutHash, EqualShortcutsHashAlike) {
    QSet<Shortcut> set;
    set.insert(Shortcut(2, 256));
    set.insert(Shortcut(2, 256 | 0x400));  // normalises to the same
    set.insert(Shortcut(256, 2));          // fields are not interchangeable
    EXPECT_EQ(set.size(), 2);
}

TEST(ShortcutFromEvent, KeyEventsWithoutScanCodesUseTheQtKey) {
    const QKeyEvent commandShiftK(QEvent::KeyPress, Qt::Key_K,
                                  Qt::MetaModifier | Qt::ShiftModifier);
    const auto shortcut = Shortcut::fromEvent(commandShiftK);
    ASSERT_TRUE(shortcut);
    EXPECT_EQ(shortcut->carbonKeyCode(), 40);
    EXPECT_EQ(shortcut->carbonModifiers(), 256 | 512);

    // Shifted punctuation is still its key position; caps lock and keypad flags drop.
    const auto exclam = Shortcut::fromEvent(
        QKeyEvent(QEvent::KeyRelease, Qt::Key_Exclam, Qt::ShiftModifier | Qt::ControlModifier));
    ASSERT_TRUE(exclam);
    EXPECT_EQ(exclam->carbonKeyCode(), Key::one.rawValue);
    EXPECT_EQ(exclam->carbonModifiers(), 512 | 4096);

    const auto keypad5 =
        Shortcut::fromEvent(QKeyEvent(QEvent::KeyPress, Qt::Key_5, Qt::KeypadModifier));
    ASSERT_TRUE(keypad5);
    EXPECT_EQ(keypad5->carbonKeyCode(), Key::keypad5.rawValue);
    EXPECT_EQ(keypad5->carbonModifiers(), 0);
    const auto five = Shortcut::fromEvent(QKeyEvent(QEvent::KeyPress, Qt::Key_5, {}));
    ASSERT_TRUE(five);
    EXPECT_EQ(five->carbonKeyCode(), Key::five.rawValue);
    EXPECT_EQ(Shortcut::fromEvent(QKeyEvent(QEvent::KeyPress, Qt::Key_Enter, {}))->carbonKeyCode(),
              Key::keypadEnter.rawValue);
    EXPECT_EQ(Shortcut::fromEvent(QKeyEvent(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier))
                  ->carbonKeyCode(),
              Key::tab.rawValue);
}

TEST(ShortcutFromEvent, FunctionFlagNeverComesFromAnEvent) {
    const auto f5 = Shortcut::fromEvent(
        QKeyEvent(QEvent::KeyPress, Qt::Key_F5, ModifierFlags(FunctionModifier)));
    ASSERT_TRUE(f5);
    EXPECT_EQ(*f5, Shortcut(Key::f5));
}

TEST(ShortcutFromEvent, NonKeyEventsAndUnknownKeysGiveNothing) {
    EXPECT_FALSE(Shortcut::fromEvent(QKeyEvent(QEvent::ShortcutOverride, Qt::Key_K, {})));
    // A modifier key alone only changes the modifier state.
    EXPECT_FALSE(
        Shortcut::fromEvent(QKeyEvent(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier)));
    EXPECT_FALSE(Shortcut::fromEvent(QKeyEvent(QEvent::KeyPress, Qt::Key_Super_L, {})));
    EXPECT_FALSE(Shortcut::fromEvent(QKeyEvent(QEvent::KeyRelease, Qt::Key_CapsLock, {})));
    EXPECT_FALSE(Shortcut::fromEvent(QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, {})));
    EXPECT_FALSE(Shortcut::fromEvent(QKeyEvent(QEvent::KeyPress, Qt::Key_Launch0, {})));
}

TEST_F(LibraryTest, MenuSearchMatchesKeyEquivalentAndMaskDepthFirst) {
    QMenu menu;
    QAction* quit = menu.addAction(QStringLiteral("Quit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    menu.addSeparator();
    QMenu* desktop = menu.addMenu(QStringLiteral("Desktop"));
    QAction* first = desktop->addAction(QStringLiteral("Toggle"));
    first->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    QAction* later = menu.addAction(QStringLiteral("Same again"));
    later->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));

    EXPECT_EQ(Shortcut(Key::q, Qt::ControlModifier).menuItemWithMatchingShortcut(&menu), quit);
    EXPECT_EQ(Shortcut(Key::q, Qt::ControlModifier | Qt::ShiftModifier)
                  .menuItemWithMatchingShortcut(&menu),
              nullptr);
    EXPECT_EQ(Shortcut(Key::d, Qt::ControlModifier | Qt::ShiftModifier)
                  .menuItemWithMatchingShortcut(&menu),
              first);
    EXPECT_EQ(Shortcut(Key::d, Qt::ControlModifier).menuItemWithMatchingShortcut(&menu), nullptr);
}

TEST_F(LibraryTest, UpperCaseKeyEquivalentCountsAsShift) {
    QMenu menu;
    QAction* item = menu.addAction(QStringLiteral("Duplicate"));
    setShortcut(item, Shortcut(Key::d, Qt::MetaModifier));
    item->setProperty("keyboardShortcutsKeyEquivalent", QStringLiteral("D"));

    EXPECT_EQ(
        Shortcut(Key::d, Qt::MetaModifier | Qt::ShiftModifier).menuItemWithMatchingShortcut(&menu),
        item);
    EXPECT_EQ(Shortcut(Key::d, Qt::MetaModifier).menuItemWithMatchingShortcut(&menu), nullptr);
}

TEST_F(LibraryTest, MenuSearchSeesFunctionAndArrowKeysOfPlainActions) {
    QMenu menu;
    QAction* help = menu.addAction(QStringLiteral("Help"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    QAction* back = menu.addAction(QStringLiteral("Back"));
    back->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    EXPECT_EQ(Shortcut(Key::f1).menuItemWithMatchingShortcut(&menu), help);
    EXPECT_EQ(Shortcut(Key::leftArrow, Qt::AltModifier).menuItemWithMatchingShortcut(&menu), back);
    // A keypad shortcut has no key equivalent and so matches nothing.
    QAction* empty = menu.addAction(QStringLiteral("No shortcut"));
    EXPECT_EQ(Shortcut(Key::keypad1).menuItemWithMatchingShortcut(&menu), nullptr);
    Q_UNUSED(empty);
}

TEST_F(LibraryTest, TextsComeFromTheLibrarysTranslationContext) {
    struct German : QTranslator {
        QString translate(const char* context, const char* source, const char*,
                          int) const override {
            if (qstrcmp(context, "KeyboardShortcuts") == 0 && qstrcmp(source, "space_key") == 0) {
                return QStringLiteral("leertaste");
            }
            return {};
        }
        bool isEmpty() const override { return false; }
    } german;
    EXPECT_EQ(localized("record_shortcut"), QStringLiteral("Record Shortcut"));
    QCoreApplication::installTranslator(&german);
    EXPECT_EQ(
        Shortcut(Key::space, Qt::MetaModifier).presentableDescription(ShortcutNotation::symbols),
        QStringLiteral("⌘Leertaste"));
    EXPECT_EQ(localized("record_shortcut"), QStringLiteral("Record Shortcut"));
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(Shortcut(Key::space).presentableDescription(ShortcutNotation::symbols),
              QStringLiteral("Space"));
}
