// The settings window and the tray menu as a German user sees them (the test runs under
// LANG=de_DE.UTF-8 with the built translations): German texts, and none cut off or pushed out
// of the 480-pixel window. Screenshots go to <build>/german/ for a look.

#include "app/ToggleShortcut.h"
#include "app/Translations.h"
#include "backends/mate/MateDesktopSwitch.h"
#include "fakes/InMemoryHotKeyService.h"
#include "fakes/InMemoryKeyboardLayout.h"
#include "gsettings/InMemorySettingsStore.h"
#include "keyboard_shortcuts/Library.h"
#include "keyboard_shortcuts/RecorderCocoa.h"
#include "menu/StatusItemController.h"
#include "settings/ElidedLabel.h"
#include "settings/InlineSymbolText.h"
#include "settings/SettingsTestFixture.h"
#include "settings/SettingsWindowController.h"
#include "support/TestPaths.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QToolButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>

using namespace hushpane;

namespace {

QString screenshotDirectory() {
    const QString directory = test::buildDirectory() + QStringLiteral("/german");
    QDir().mkpath(directory);
    return directory;
}

class GermanTexts : public test::SettingsFixture {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(QLocale::system().language(), QLocale::German) << "run with LANG=de_DE.UTF-8";
        ASSERT_TRUE(Translations::install(
            QLocale::system(),
            {test::buildDirectory() + QStringLiteral("/share/hushpane/translations")}));
    }

    void showSettings() {
        controller = std::make_unique<SettingsWindowController>(
            prefs, desktop, updater, loginItems, QStringLiteral("0.1.0"),
            [this](const QString& label, QWidget* parent) {
                return makeToggleShortcutRow(library, label, parent);
            },
            nullptr);
        controller->show();
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::processEvents();
        }
        ASSERT_NE(controller->window(), nullptr);
    }

    // The recorder's text is drawn whole between the signs on either side of it.
    static void expectRecorderTextWhole(const QWidget* window) {
        for (const auto* recorder : window->findChildren<KeyboardShortcuts::RecorderCocoa*>()) {
            // The text is centred between the signs shown on either side.
            int left = recorder->contentsRect().left();
            int right = recorder->contentsRect().right();
            for (const QToolButton* sign : recorder->findChildren<QToolButton*>()) {
                if (!sign->isVisibleTo(window)) {
                    continue;
                }
                if (sign->geometry().center().x() < recorder->width() / 2) {
                    left = std::max(left, sign->geometry().right());
                } else {
                    right = std::min(right, sign->geometry().left());
                }
            }
            const QString shown =
                recorder->text().isEmpty() ? recorder->placeholderText() : recorder->text();
            EXPECT_LE(recorder->fontMetrics().horizontalAdvance(shown), right - left - 4)
                << "cut off in the recorder: " << shown.toStdString();
        }
    }

    // Every text in `window` is drawn whole and inside the window.
    static void expectNothingOverflows(const QWidget* window) {
        const QRect inside = window->rect();
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(window) || label->text().isEmpty()) {
                continue;
            }
            const QRect where(label->mapTo(window, QPoint(0, 0)), label->size());
            EXPECT_TRUE(inside.contains(where)) << label->text().toStdString();
            if (!label->wordWrap() && label->textFormat() != Qt::RichText) {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                          label->contentsRect().width())
                    << "cut off: " << label->text().toStdString();
            } else {
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << "cut off: " << label->text().toStdString();
            }
        }
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            // A field's own sign buttons show icons, their texts are for screen readers.
            if (!button->isVisibleTo(window) || button->text().isEmpty() ||
                qobject_cast<const QLineEdit*>(button->parentWidget()) != nullptr) {
                continue;
            }
            const QRect where(button->mapTo(window, QPoint(0, 0)), button->size());
            EXPECT_TRUE(inside.contains(where)) << button->text().toStdString();
            EXPECT_LE(button->sizeHint().width(), button->width())
                << "cut off: " << button->text().toStdString();
        }
        expectRecorderTextWhole(window);
        for (const auto* elided : window->findChildren<settings::ElidedLabel*>()) {
            if (elided->isVisibleTo(window) && !elided->text().isEmpty()) {
                EXPECT_EQ(elided->displayedText(), elided->text()) << "shortened";
            }
        }
    }

    test::InMemoryHotKeyService hotKeys;
    test::InMemoryKeyboardLayout layout;
    KeyboardShortcuts::Library library{defaults, hotKeys, layout};
    std::unique_ptr<SettingsWindowController> controller;
};

QStringList texts(const QWidget* root) {
    QStringList found;
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        found.append(label->text());
    }
    for (const QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        found.append(button->text());
    }
    for (const auto* caption : root->findChildren<settings::InlineSymbolText*>()) {
        found.append(caption->plainText());
    }
    return found;
}

}  // namespace

TEST_F(GermanTexts, TheSettingsWindowSpeaksGermanAndEverythingFits) {
    showSettings();
    QWidget* window = controller->window();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Hushpane-Einstellungen"));
    const QStringList shown = texts(window);
    for (const char* german :
         {"Schreibtischsymbole ausblenden", "Tastenkürzel", "Hintergrundbild", "Allgemein",
          "Bei der Anmeldung starten", "Automatisch nach Updates suchen", "Nach Updates suchen …",
          "Updates"}) {
        EXPECT_TRUE(shown.contains(QString::fromUtf8(german))) << german;
    }
    // Longer texts and the icon look's name in the picker's caption.
    for (const char* start : {"Erscheint auf jedem Bildschirm", "Raster: "}) {
        EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [&](const QString& text) {
            return text.startsWith(QString::fromUtf8(start));
        })) << start;
    }
    for (const QString& text : shown) {
        for (const char* english : {"Hide", "Shown on", "while", "Check for", "Quit"}) {
            EXPECT_FALSE(text.contains(QString::fromUtf8(english))) << text.toStdString();
        }
    }
    EXPECT_LE(window->width(), window->screen()->availableGeometry().width());
    expectNothingOverflows(window);
    window->grab().save(screenshotDirectory() + QStringLiteral("/settings.png"));

    // The longest text there is: the error line under the switch, with a desktop's own reason.
    test::InMemorySettingsStore store;
    store.plant(QString::fromLatin1(MateDesktopSwitch::kSchema),
                QString::fromLatin1(MateDesktopSwitch::kKey), true);
    test::ScriptedDesktopProgram caja;
    caja.current = DesktopProgram::State::notAnswering;
    const std::optional<QString> reason = MateDesktopSwitch(store, caja).setCreatesDesktop(false);
    ASSERT_TRUE(reason);
    EXPECT_EQ(reason->toStdString(),
              "Der MATE-Schreibtisch konnte nicht geändert werden: caja antwortet nicht (2 s "
              "gewartet); nichts wurde geändert");
    desktopSwitch.failure = *reason;
    desktop.hide();
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::processEvents();
    }
    expectNothingOverflows(window);
    window->grab().save(screenshotDirectory() + QStringLiteral("/settings-error.png"));

    // The recorder with the longest shortcut a desktop writes, and with the refusal sign.
    library.userDefaultsSet(toggleDesktopName(),
                            KeyboardShortcuts::Shortcut(KeyboardShortcuts::Key::f12,
                                                        Qt::ShiftModifier | Qt::ControlModifier |
                                                            Qt::AltModifier | Qt::MetaModifier));
    hotKeys.refused.insert({KeyboardShortcuts::Key::f11.rawValue, 0x1000 | 0x800 | 0x200 | 0x100},
                           kEventHotKeyExistsErr);
    library.userDefaultsSet(toggleDesktopName(),
                            KeyboardShortcuts::Shortcut(KeyboardShortcuts::Key::f11,
                                                        Qt::ShiftModifier | Qt::ControlModifier |
                                                            Qt::AltModifier | Qt::MetaModifier));
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::processEvents();
    }
    auto* recorder = window->findChild<KeyboardShortcuts::RecorderCocoa*>();
    ASSERT_NE(recorder, nullptr);
    EXPECT_TRUE(recorder->isShowingRefusal());
    expectRecorderTextWhole(window);
    window->grab().save(screenshotDirectory() + QStringLiteral("/settings-recorder.png"));
}

TEST_F(GermanTexts, TheTrayMenuSpeaksGerman) {
    StatusItemController status(desktop, prefs, updater);
    QStringList titles;
    for (const QAction* action : status.menu()->actions()) {
        if (!action->isSeparator()) {
            titles.append(action->text());
        }
    }
    EXPECT_EQ(titles.join(u'|').toStdString(),
              "Schreibtischsymbole ausblenden|Einstellungen …|Nach Updates suchen …|"
              "Hushpane beenden");
    desktop.hide();
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(status.menu()->actions().first()->text().toStdString(),
              "Schreibtischsymbole einblenden");

    QMenu* menu = status.menu();
    menu->popup(QPoint(0, 0));
    QCoreApplication::processEvents();
    // A menu is as wide as its longest item: it fits on the screen and shows every title.
    EXPECT_LE(menu->width(), menu->screen()->availableGeometry().width() / 2);
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            EXPECT_LE(menu->fontMetrics().horizontalAdvance(action->text()),
                      menu->actionGeometry(const_cast<QAction*>(action)).width())
                << action->text().toStdString();
        }
    }
    menu->grab().save(screenshotDirectory() + QStringLiteral("/tray-menu.png"));
    menu->hide();
}
