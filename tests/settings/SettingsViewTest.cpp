#include "settings/SettingsView.h"

#include "SettingsTestFixture.h"
#include "fakes/InMemoryHideTrigger.h"
#include "services/AutoHideController.h"
#include "settings/ElidedLabel.h"
#include "settings/FormGroup.h"
#include "settings/InlineSymbolText.h"
#include "settings/MenuBarIconPicker.h"
#include "settings/MenuBarIconTile.h"
#include "settings/SettingsPalette.h"
#include "settings/ToggleSwitch.h"
#include "settings/WallpaperThumbnail.h"

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace hushpane;
using namespace hushpane::settings;
using Call = test::InMemoryLoginItemService::Call;
using Status = LoginItemService::Status;

namespace {

const QString kRestartFailure =
    QStringLiteral("Couldn't restart Finder: No such file or directory");

class SettingsViewTest : public test::SettingsFixture {
protected:
    SettingsView& makeView(const SettingsView::ShortcutRowFactory& factory = {},
                           const QString& version = QStringLiteral("1.4.2")) {
        view =
            std::make_unique<SettingsView>(prefs, desktop, updater, loginItems, version, factory);
        QObject::connect(view.get(), &SettingsView::quitRequested, [this] { ++quits; });
        view->resize(view->sizeHint());
        view->show();
        view->layout()->activate();
        return *view;
    }
    template <typename T>
    T* child(const QString& name) {
        return find<T>(view.get(), name);
    }
    ToggleSwitch* toggle(const QString& name) { return child<ToggleSwitch>(name); }
    // A real click in the middle of the control.
    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    QStringList visibleRowNames(const QString& section) {
        QStringList names;
        for (QWidget* row : child<FormGroup>(section)->visibleRows()) {
            names.append(row->objectName());
        }
        return names;
    }

    // Hidden desktop with the custom wallpaper on and a picture set: every
    // wallpaperSettingsChanged() then sets the picture on the display once more.
    void prepareCustomWallpaper() {
        picture = QUrl::fromLocalFile(pictures.filePath(QStringLiteral("beach.jpg")));
        QImage(8, 6, QImage::Format_RGB32).save(picture.toLocalFile(), "JPG");
        workspace.files.insert(picture.toLocalFile());
        prefs.setCustomWallpaperURL(picture);
        desktop.hide();
    }
    qsizetype pictureSets() const {
        return std::count_if(workspace.setCalls.begin(), workspace.setCalls.end(),
                             [this](const auto& call) { return call.url == picture; });
    }

    std::unique_ptr<SettingsView> view;
    QTemporaryDir pictures;
    QUrl picture;
};

}  // namespace

TEST_F(SettingsViewTest, DesktopSectionHasTheErrorRowExactlyWhileThereIsAnError) {
    makeView();
    const QStringList threeRows{QStringLiteral("hideDesktopRow"), QStringLiteral("shortcutRow"),
                                QStringLiteral("desktopCaptionRow")};
    EXPECT_EQ(visibleRowNames(QStringLiteral("desktopSection")), threeRows);
    EXPECT_EQ(child<QLabel>(QStringLiteral("desktopCaption"))->text(),
              QStringLiteral("The in-memory desktop forgets its icons."));
    EXPECT_EQ(child<QLabel>(QStringLiteral("desktopInUse"))->text(),
              QStringLiteral("Desktop in use: in-memory desktop"));

    // The restart fails: the switch stays off, and the error shows as a fourth row.
    desktopSwitch.failure = kRestartFailure;
    click(toggle(QStringLiteral("hideDesktop")));
    EXPECT_FALSE(toggle(QStringLiteral("hideDesktop"))->isChecked());
    EXPECT_EQ(visibleRowNames(QStringLiteral("desktopSection")),
              threeRows + QStringList{QStringLiteral("errorRow")});
    auto* errorText = child<QLabel>(QStringLiteral("errorText"));
    EXPECT_EQ(errorText->text(), kRestartFailure);
    EXPECT_EQ(errorText->palette().color(QPalette::WindowText), warningColor(view->palette()));

    // A good show clears the error, and the row goes.
    desktopSwitch.failure.reset();
    desktop.show();
    EXPECT_EQ(visibleRowNames(QStringLiteral("desktopSection")), threeRows);
    EXPECT_FALSE(toggle(QStringLiteral("hideDesktop"))->isChecked());
}

// Its own section after the Desktop one: a switch per trigger that writes its preference, off
// and saying why where the trigger cannot work; the Desktop section says why the icons went.
TEST_F(SettingsViewTest, HideAutomaticallyHasASwitchPerTriggerAndSaysWhyTheIconsWent) {
    test::InMemoryHideTrigger sharing;
    sharing.unavailable = QStringLiteral("PipeWire is not running");
    test::InMemoryHideTrigger mirroring;
    AutoHideController autoHide(desktop, prefs);
    autoHide.setTrigger(AutoHideController::Trigger::screenShared, &sharing);
    autoHide.setTrigger(AutoHideController::Trigger::mirrored, &mirroring);
    autoHide.start();
    makeView().setAutoHide(autoHide);
    ASSERT_GE(view->sections().size(), 2);
    EXPECT_EQ(view->sections().at(1)->objectName(), QStringLiteral("autoHideSection"));

    ToggleSwitch* shared = toggle(QStringLiteral("hideWhileScreenShared"));
    EXPECT_FALSE(shared->isEnabled());
    EXPECT_EQ(shared->accessibleDescription(), sharing.unavailable);

    ToggleSwitch* mirrored = toggle(QStringLiteral("hideWhileMirrored"));
    EXPECT_FALSE(mirrored->isChecked());
    click(mirrored);
    EXPECT_TRUE(prefs.hideWhileMirrored());
    EXPECT_TRUE(mirroring.started);
    EXPECT_FALSE(child<QWidget>(QStringLiteral("autoHideReasonRow"))->isVisible());

    mirroring.setActive(true);
    EXPECT_TRUE(toggle(QStringLiteral("hideDesktop"))->isChecked());
    EXPECT_TRUE(child<QWidget>(QStringLiteral("autoHideReasonRow"))->isVisible());
    EXPECT_EQ(child<QLabel>(QStringLiteral("autoHideReason"))->text(),
              QStringLiteral("Hidden while a display is mirrored"));

    prefs.setHideWhileMirrored(false);
    EXPECT_FALSE(mirrored->isChecked());
}

TEST_F(SettingsViewTest, HideSwitchDrivesTheControllerAndOnlyEverShowsItsState) {
    makeView();
    ToggleSwitch* hide = toggle(QStringLiteral("hideDesktop"));
    EXPECT_FALSE(hide->isChecked());

    click(hide);
    EXPECT_EQ(desktopSwitch.calls, (QList<bool>{false}));
    EXPECT_TRUE(desktop.isDesktopHidden());
    EXPECT_TRUE(hide->isChecked());

    // Changes made elsewhere (the tray, the shortcut) show at once.
    desktop.show();
    EXPECT_FALSE(hide->isChecked());
    desktop.hide();
    EXPECT_TRUE(hide->isChecked());

    click(hide);
    EXPECT_EQ(desktopSwitch.calls, (QList<bool>{false, true, false, true}));
    EXPECT_FALSE(hide->isChecked());
}

TEST_F(SettingsViewTest, ShortcutRowHoldsTheRecorderOrKeepsItsPlaceWithTheLabel) {
    QString askedLabel;
    QPointer<QWidget> made;
    makeView([&](const QString& label, QWidget* parent) {
        askedLabel = label;
        made = new QLabel(QStringLiteral("recorder"), parent);
        return made.data();
    });
    EXPECT_EQ(askedLabel, QStringLiteral("Keyboard shortcut"));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->parentWidget(), child<QWidget>(QStringLiteral("shortcutRow")));

    makeView();
    auto* row = child<QWidget>(QStringLiteral("shortcutRow"));
    EXPECT_EQ(find<QLabel>(row, QStringLiteral("title"))->text(),
              QStringLiteral("Keyboard shortcut"));
}

TEST_F(SettingsViewTest, WallpaperRowIsDisabledWhileTheCustomWallpaperIsOff) {
    prepareCustomWallpaper();
    int dialogs = 0;
    makeView();
    view->setWallpaperDialogRunner([&](QFileDialog&) {
        ++dialogs;
        return std::nullopt;
    });
    auto* row = child<QWidget>(QStringLiteral("wallpaperRow"));
    auto* choose = child<QPushButton>(QStringLiteral("chooseWallpaper"));
    ToggleSwitch* use = toggle(QStringLiteral("useCustomWallpaper"));
    EXPECT_FALSE(row->isEnabled());
    EXPECT_FALSE(choose->isEnabled());
    EXPECT_TRUE(use->isEnabled());
    click(choose);
    EXPECT_EQ(dialogs, 0);

    // Turning it on while hidden puts the picture up at once; off brings the own one back.
    click(use);
    EXPECT_TRUE(prefs.useCustomWallpaper());
    EXPECT_TRUE(row->isEnabled());
    EXPECT_EQ(pictureSets(), 1);
    click(choose);
    EXPECT_EQ(dialogs, 1);

    click(use);
    EXPECT_FALSE(prefs.useCustomWallpaper());
    EXPECT_FALSE(row->isEnabled());
    EXPECT_EQ(workspace.setCalls.last().url,
              QUrl::fromLocalFile(QStringLiteral("/usr/share/backgrounds/own.png")));

    // A change made elsewhere is followed too (and applied); the first look applies nothing.
    const qsizetype before = workspace.setCalls.size();
    prefs.setUseCustomWallpaper(true);
    EXPECT_TRUE(use->isChecked());
    EXPECT_EQ(workspace.setCalls.size(), before + 1);
    makeView();
    EXPECT_EQ(workspace.setCalls.size(), before + 1);
}

TEST_F(SettingsViewTest, FileLineShowsTheNameOrNoImageChosen) {
    makeView();
    auto* name = child<ElidedLabel>(QStringLiteral("wallpaperFileName"));
    auto* thumbnail = child<WallpaperThumbnail>(QStringLiteral("thumbnail"));
    EXPECT_EQ(name->text(), QStringLiteral("No image chosen"));
    EXPECT_EQ(thumbnail->url(), std::nullopt);
    EXPECT_EQ(child<QLabel>(QStringLiteral("wallpaperCaption"))->text(),
              SettingsView::wallpaperDescription());

    const QString longName = QStringLiteral(
        "a-very-long-holiday-picture-name-from-the-beach-at-"
        "sunset-with-the-whole-family-2026.jpeg");
    const QUrl url = QUrl::fromLocalFile(QStringLiteral("/gone/") + longName);
    prefs.setCustomWallpaperURL(url);
    EXPECT_EQ(name->text(), longName);
    EXPECT_EQ(thumbnail->url(), url);

    // Too long for its line: shortened in the middle, start and extension kept.
    const QString shown = name->displayedText();
    EXPECT_LT(shown.size(), longName.size());
    EXPECT_TRUE(shown.contains(u'…'));
    EXPECT_TRUE(shown.startsWith(QStringLiteral("a-very")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral(".jpeg")));
    EXPECT_EQ(name->height(), name->fontMetrics().height());

    prefs.setCustomWallpaperURL(std::nullopt);
    EXPECT_EQ(name->text(), QStringLiteral("No image chosen"));
}

TEST_F(SettingsViewTest, ChooserStartsInTheRightFolderAndStoresWhatWasChosen) {
    prepareCustomWallpaper();
    prefs.setUseCustomWallpaper(true);
    prefs.setCustomWallpaperURL(std::nullopt);
    const QString homePictures =
        QStandardPaths::standardLocations(QStandardPaths::PicturesLocation).value(0);
    ASSERT_FALSE(homePictures.isEmpty());
    QDir().mkpath(homePictures);
    makeView();
    const qsizetype before = pictureSets();

    QString title, prompt, directory;
    QFileDialog::FileMode mode{};
    QStringList filters;
    std::optional<QUrl> answer;
    view->setWallpaperDialogRunner([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        prompt = dialog.labelText(QFileDialog::Accept);
        directory = dialog.directory().absolutePath();
        mode = dialog.fileMode();
        filters = dialog.nameFilters();
        return answer;
    });

    // Nothing chosen yet: the Pictures folder. Cancelling changes nothing.
    view->chooseWallpaper();
    EXPECT_EQ(title, QStringLiteral("Choose a Wallpaper"));
    EXPECT_EQ(prompt, QStringLiteral("Use"));
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    ASSERT_EQ(filters.size(), 1);
    EXPECT_TRUE(filters.first().startsWith(QStringLiteral("Images (")));
    EXPECT_TRUE(filters.first().contains(QStringLiteral("*.png")));
    EXPECT_TRUE(filters.first().contains(QStringLiteral("*.jpg")));
    EXPECT_FALSE(filters.first().contains(QStringLiteral("*)")));
    EXPECT_EQ(directory, homePictures);
    EXPECT_EQ(prefs.customWallpaperURL(), std::nullopt);
    EXPECT_EQ(pictureSets(), before);

    // A choice is stored and applied at once (the desktop is hidden).
    answer = picture;
    view->chooseWallpaper();
    EXPECT_EQ(prefs.customWallpaperURL(), picture);
    EXPECT_EQ(pictureSets(), before + 1);
    EXPECT_EQ(child<ElidedLabel>(QStringLiteral("wallpaperFileName"))->text(),
              QStringLiteral("beach.jpg"));

    // Next time it starts beside that picture; choosing the same file applies it again.
    view->chooseWallpaper();
    EXPECT_EQ(directory, QDir(pictures.path()).absolutePath());
    EXPECT_EQ(pictureSets(), before + 2);
}

TEST_F(SettingsViewTest, IconPickerSelectsExactlyOneTileAndWritesTheChoice) {
    prefs.setMenuBarIcon(MenuBarIcon::moon);
    makeView();
    auto* picker = child<MenuBarIconPicker>(QStringLiteral("iconPicker"));
    const QList<MenuBarIconTile*>& tiles = picker->tiles();
    ASSERT_EQ(tiles.size(), 10);

    const auto selected = [&] {
        QStringList names;
        for (MenuBarIconTile* tile : tiles) {
            QAccessibleInterface* access = QAccessible::queryAccessibleInterface(tile);
            EXPECT_EQ(access->state().checked, tile->isSelected());
            if (tile->isSelected()) {
                names.append(tile->icon().rawValue());
            }
        }
        return names;
    };
    EXPECT_EQ(selected(), QStringList{QStringLiteral("moon")});
    // In catalogue order, one row, each named for its look.
    for (qsizetype i = 0; i < tiles.size(); ++i) {
        EXPECT_EQ(tiles[i]->icon(), MenuBarIcon::allCases()[i]);
        EXPECT_EQ(tiles[i]->toolTip(), tiles[i]->icon().name());
        EXPECT_EQ(tiles[i]->accessibleName(), tiles[i]->icon().name());
        EXPECT_EQ(tiles[i]->height(), 30);
        EXPECT_GE(tiles[i]->width(), 28);
        EXPECT_EQ(tiles[i]->y(), tiles[0]->y());
        if (i > 0) {
            EXPECT_EQ(tiles[i]->x() - tiles[i - 1]->geometry().right() - 1, 6);
        }
    }
    EXPECT_EQ(picker->hint()->plainText(),
              QStringLiteral("Moon: [moon] while icons are showing, [moon.fill] while the desktop "
                             "is hidden."));

    QSignalSpy changes(&prefs, &Preferences::menuBarIconChanged);
    click(tiles[3]);
    EXPECT_EQ(prefs.menuBarIcon(), MenuBarIcon::eye);
    EXPECT_EQ(selected(), QStringList{QStringLiteral("eye")});
    // The selected tile again: written, no change.
    click(tiles[3]);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(selected(), QStringList{QStringLiteral("eye")});

    // Hidden: every tile shows its hidden look; the sentence stays the same.
    const QString hint = picker->hint()->plainText();
    desktop.hide();
    for (MenuBarIconTile* tile : tiles) {
        EXPECT_EQ(tile->symbolName(), tile->icon().hiddenSymbol());
    }
    EXPECT_EQ(picker->hint()->plainText(), hint);
    desktop.show();
    EXPECT_EQ(tiles[0]->symbolName(), QStringLiteral("rectangle.grid.2x2"));
}

TEST_F(SettingsViewTest, GeneralAndUpdateSwitchesWriteThroughAndFollowTheirSources) {
    prefs.setShowDockIcon(true);
    updateService.automatic = false;
    makeView();
    ToggleSwitch* dock = toggle(QStringLiteral("showInDock"));
    ToggleSwitch* automatic = toggle(QStringLiteral("automaticUpdates"));
    EXPECT_TRUE(dock->isChecked());
    EXPECT_FALSE(automatic->isChecked());

    click(dock);
    EXPECT_FALSE(prefs.showDockIcon());
    EXPECT_EQ(defaults.objectForKey(QStringLiteral("showDockIcon")), QVariant(false));
    prefs.setShowDockIcon(true);
    EXPECT_TRUE(dock->isChecked());
    // From the keyboard too.
    dock->setFocus();
    QTest::keyClick(dock, Qt::Key_Space);
    EXPECT_FALSE(prefs.showDockIcon());
    EXPECT_FALSE(dock->isChecked());
    prefs.setShowDockIcon(true);

    click(automatic);
    EXPECT_TRUE(updateService.automatic);
    EXPECT_EQ(updateService.automaticWrites, 1);
    updater.setAutomaticallyChecksForUpdates(false);
    EXPECT_FALSE(automatic->isChecked());

    // The check button waits for the service to allow a check.
    auto* check = child<QPushButton>(QStringLiteral("checkForUpdates"));
    EXPECT_EQ(check->text(), QStringLiteral("Check for Updates…"));
    EXPECT_FALSE(check->isEnabled());
    click(check);
    EXPECT_EQ(updateService.checks, 0);
    updateService.report(true);
    QCoreApplication::processEvents();
    ASSERT_TRUE(check->isEnabled());
    click(check);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(updateService.checks, 1);
}

TEST_F(SettingsViewTest, VersionAndQuitRows) {
    makeView();
    auto* versionRow = child<QWidget>(QStringLiteral("versionRow"));
    EXPECT_EQ(find<QLabel>(versionRow, QStringLiteral("title"))->text(),
              QStringLiteral("Hushpane 1.4.2"));
    EXPECT_EQ(find<QLabel>(versionRow, QStringLiteral("subtitle"))->text(),
              QStringLiteral("New versions install from updates.hushpane.example."));
    auto* quitRow = child<QWidget>(QStringLiteral("quitRow"));
    EXPECT_EQ(find<QLabel>(quitRow, QStringLiteral("title"))->text(),
              QStringLiteral("Quit Hushpane"));
    click(child<QPushButton>(QStringLiteral("quit")));
    EXPECT_EQ(quits, 1);

    // No version: the product name and one blank; no update source: no half sentence.
    updateService.source.clear();
    makeView({}, QString());
    versionRow = child<QWidget>(QStringLiteral("versionRow"));
    EXPECT_EQ(find<QLabel>(versionRow, QStringLiteral("title"))->text(),
              QStringLiteral("Hushpane "));
    EXPECT_EQ(find<QLabel>(versionRow, QStringLiteral("subtitle"))->text(),
              QStringLiteral("No update source is set up."));

    // Six sections, the last without a header.
    QStringList headers;
    for (QLabel* label : view->findChildren<QLabel*>(QStringLiteral("header"))) {
        headers.append(label->text());
    }
    EXPECT_EQ(headers, (QStringList{QStringLiteral("Desktop"), QStringLiteral("Wallpaper"),
                                    QStringLiteral("Menu Bar"), QStringLiteral("General"),
                                    QStringLiteral("Updates")}));
    EXPECT_EQ(view->sections().size(), 6);
}

TEST_F(SettingsViewTest, LaunchAtLoginIsReadOnceAndPutBackWhenTheServiceFails) {
    loginItems.current = Status::enabled;
    makeView();
    ToggleSwitch* login = toggle(QStringLiteral("launchAtLogin"));
    EXPECT_TRUE(login->isChecked());
    EXPECT_EQ(loginItems.statusReads, 1);

    // Unregistering fails while the item stays enabled: back on, and that change registers
    // again (which succeeds).
    loginItems.unregisterError = QStringLiteral("denied");
    click(login);
    EXPECT_TRUE(login->isChecked());
    EXPECT_EQ(loginItems.calls, (QList<Call>{Call::unregisterItem, Call::registerItem}));

    // Registering fails and the item is not enabled: off, followed by an unregistration that
    // fails too, which ends the chain.
    loginItems.current = Status::notRegistered;
    loginItems.registerError = QStringLiteral("denied");
    loginItems.calls.clear();
    makeView();
    login = toggle(QStringLiteral("launchAtLogin"));
    click(login);
    EXPECT_FALSE(login->isChecked());
    EXPECT_FALSE(view->launchAtLogin());
    EXPECT_EQ(loginItems.calls, (QList<Call>{Call::registerItem, Call::unregisterItem}));

    // Registered but awaiting approval: the switch keeps what the user gave it.
    loginItems.registerError.reset();
    loginItems.unregisterError.reset();
    loginItems.statusAfterRegister = Status::requiresApproval;
    loginItems.calls.clear();
    click(login);
    EXPECT_TRUE(login->isChecked());
    EXPECT_EQ(loginItems.calls, QList<Call>{Call::registerItem});
    // The service is not asked again while the form lives; a new form reads "off".
    EXPECT_EQ(loginItems.status(), Status::requiresApproval);
    makeView();
    EXPECT_FALSE(toggle(QStringLiteral("launchAtLogin"))->isChecked());
}

TEST_F(SettingsViewTest, AFlippingLoginItemStatusCannotLoopForever) {
    makeView();
    loginItems.registerError = QStringLiteral("denied");
    loginItems.unregisterError = QStringLiteral("denied");
    bool enabled = false;
    loginItems.statusOverride = [&] {
        enabled = !enabled;
        return enabled ? Status::notRegistered : Status::enabled;
    };
    click(toggle(QStringLiteral("launchAtLogin")));
    EXPECT_EQ(loginItems.calls, (QList<Call>{Call::registerItem, Call::unregisterItem}));
    // It shows what the service said last.
    EXPECT_TRUE(toggle(QStringLiteral("launchAtLogin"))->isChecked());
}

namespace {

// Every label a screen reader reads, from the form's accessibility tree.
void collectAccessible(QAccessibleInterface* node, QList<QAccessibleInterface*>& out) {
    if (!node || node->state().invisible) {
        return;
    }
    out.append(node);
    for (int i = 0; i < node->childCount(); ++i) {
        collectAccessible(node->child(i), out);
    }
}

// A symbol's own name ("rectangle.grid.2x2", "moon.fill") is no word a listener knows. (Those
// without a dot, like "moon", are words.)
bool readsASymbolName(const QString& text) {
    QStringList symbols{QStringLiteral("exclamationmark.triangle.fill")};
    for (const MenuBarIcon look : MenuBarIcon::allCases()) {
        symbols << look.shownSymbol() << look.hiddenSymbol();
    }
    for (const QString& symbol : symbols) {
        if (!symbol.contains(u'.')) {
            continue;
        }
        const QRegularExpression word(QStringLiteral("(^|[^a-z.])") +
                                      QRegularExpression::escape(symbol) +
                                      QStringLiteral("($|[^a-z.])"));
        if (word.match(text).hasMatch()) {
            return true;
        }
    }
    return text.contains(u'[');
}

}  // namespace

TEST_F(SettingsViewTest, TheTextsSayWhereTheProgramShowsItselfOnThisDesktop) {
    makeView();
    const auto texts = [&] {
        QStringList all;
        for (QLabel* label : view->findChildren<QLabel*>()) {
            all.append(label->text());
        }
        return all.join(u'\n');
    };
    // The Finder's own wording, as long as nobody says otherwise.
    EXPECT_TRUE(texts().contains(QStringLiteral("\nMenu Bar\n")));
    EXPECT_TRUE(texts().contains(QStringLiteral("Show in Dock")));
    EXPECT_TRUE(texts().contains(
        QStringLiteral("Shows your desktop again and removes the menu bar icon until you open "
                       "the app.")));

    view->setTexts(SettingsTexts::linuxDesktop());
    const QString linux = texts();
    EXPECT_FALSE(linux.contains(QStringLiteral("Menu Bar")));
    EXPECT_FALSE(linux.contains(QStringLiteral("Dock")));
    EXPECT_FALSE(linux.contains(QStringLiteral("menu bar")));
    EXPECT_TRUE(linux.contains(QStringLiteral("Panel Icon")));
    EXPECT_TRUE(linux.contains(QStringLiteral("Show in task bar")));
    EXPECT_EQ(toggle(QStringLiteral("showInDock"))->accessibleName(),
              QStringLiteral("Show in task bar"));
}

TEST_F(SettingsViewTest, TheIconTilesAreOneRadioGroupWithOneTabStopAndArrowKeys) {
    prefs.setMenuBarIcon(MenuBarIcon::eye);
    makeView();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    auto* picker = child<MenuBarIconPicker>(QStringLiteral("iconPicker"));
    const QList<MenuBarIconTile*>& tiles = picker->tiles();
    for (MenuBarIconTile* tile : tiles) {
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(tile);
        EXPECT_EQ(access->role(), QAccessible::RadioButton) << tile->objectName().toStdString();
        EXPECT_EQ(access->state().checked, tile->icon() == MenuBarIcon::eye);
    }

    // Tab from the control before the picker reaches one tile, the selected one, then leaves.
    prefs.setUseCustomWallpaper(true);
    QWidget* before = child<QPushButton>(QStringLiteral("chooseWallpaper"));
    before->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(before->hasFocus());
    QList<QWidget*> reached;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.append(QApplication::focusWidget());
    }
    EXPECT_EQ(reached[0], tiles[3]);
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(qobject_cast<MenuBarIconTile*>(reached[i]), nullptr);
    }

    // The arrow keys choose the neighbour and take the focus along.
    tiles[3]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tiles[3], Qt::Key_Right);
    EXPECT_EQ(prefs.menuBarIcon(), MenuBarIcon::squares);
    EXPECT_TRUE(tiles[4]->hasFocus());
    QTest::keyClick(tiles[4], Qt::Key_Up);
    QTest::keyClick(tiles[3], Qt::Key_Left);
    EXPECT_EQ(prefs.menuBarIcon(), MenuBarIcon::desktop);
    QTest::keyClick(tiles[2], Qt::Key_End);
    EXPECT_EQ(prefs.menuBarIcon(), MenuBarIcon::dot);
    QTest::keyClick(tiles[9], Qt::Key_Right);  // the end stays the end
    EXPECT_EQ(prefs.menuBarIcon(), MenuBarIcon::dot);
    QTest::keyClick(tiles[9], Qt::Key_Home);
    EXPECT_EQ(prefs.menuBarIcon(), MenuBarIcon::grid);
    EXPECT_TRUE(tiles[0]->hasFocus());
    EXPECT_EQ(tiles[0]->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(tiles[9]->focusPolicy(), Qt::ClickFocus);
}

TEST_F(SettingsViewTest, AScreenReaderReadsEverythingInWords) {
    prefs.setMenuBarIcon(MenuBarIcon::moon);
    desktopSwitch.failure = kRestartFailure;
    makeView();
    desktop.hide();  // the error row and its warning sign show

    auto* picker = child<MenuBarIconPicker>(QStringLiteral("iconPicker"));
    QAccessibleInterface* hint = QAccessible::queryAccessibleInterface(picker->hint());
    EXPECT_EQ(hint->role(), QAccessible::StaticText);
    EXPECT_EQ(hint->text(QAccessible::Name),
              QStringLiteral("Moon: a moon while icons are showing, a filled moon while the "
                             "desktop is hidden."));

    QList<QAccessibleInterface*> nodes;
    collectAccessible(QAccessible::queryAccessibleInterface(view.get()), nodes);
    int named = 0;
    for (QAccessibleInterface* node : nodes) {
        const QString name = node->text(QAccessible::Name);
        const QString objectName = node->object() ? node->object()->objectName() : QString();
        EXPECT_FALSE(readsASymbolName(name)) << name.toStdString();
        switch (node->role()) {
            case QAccessible::Button:
            case QAccessible::CheckBox:
            case QAccessible::RadioButton:
            case QAccessible::Graphic:
                EXPECT_FALSE(name.trimmed().isEmpty()) << objectName.toStdString();
                ++named;
                break;
            case QAccessible::StaticText:
                // A picture in a label (the warning sign) is read by its name.
                if (auto* label = qobject_cast<QLabel*>(node->object());
                    label && label->text().isEmpty()) {
                    EXPECT_FALSE(name.trimmed().isEmpty()) << objectName.toStdString();
                }
                break;
            default:
                break;
        }
    }
    EXPECT_GE(named, 10 + 6);  // the tiles, the switches and the buttons
}
