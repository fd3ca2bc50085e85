#include "settings/SettingsView.h"

#include "platform/HideTrigger.h"
#include "platform/LoginItemService.h"
#include "services/AppUpdater.h"
#include "services/AutoHideController.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"
#include "settings/ElidedLabel.h"
#include "settings/FormGroup.h"
#include "settings/MenuBarIconPicker.h"
#include "settings/SettingsPalette.h"
#include "settings/ToggleSwitch.h"
#include "settings/WallpaperThumbnail.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace hushpane {

using settings::ElidedLabel;
using settings::FormGroup;
using settings::MenuBarIconPicker;
using settings::ToggleSwitch;
using settings::WallpaperThumbnail;

namespace {

constexpr int kRowHorizontalMargin = 12;
constexpr int kRowVerticalMargin = 7;
constexpr int kOuterMargin = 20;
constexpr int kSectionSpacing = 14;
constexpr auto kProductName = "Hushpane";

QWidget* makeRow(QWidget* parent, const QString& objectName) {
    auto* row = new QWidget(parent);
    row->setObjectName(objectName);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(kRowHorizontalMargin, kRowVerticalMargin, kRowHorizontalMargin,
                               kRowVerticalMargin);
    layout->setSpacing(12);
    return row;
}

QHBoxLayout* rowLayout(QWidget* row) {
    return static_cast<QHBoxLayout*>(row->layout());
}

QLabel* makeWrappingCaption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    settings::makeCaption(label);
    return label;
}

// A title on the leading side, optionally with a smaller subtitle under it.
QWidget* makeLabel(const QString& title, const QString& subtitle, QWidget* parent) {
    auto* stack = new QWidget(parent);
    auto* layout = new QVBoxLayout(stack);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* titleLabel = new QLabel(title, stack);
    titleLabel->setObjectName(QStringLiteral("title"));
    titleLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(titleLabel);
    if (!subtitle.isEmpty()) {
        QLabel* subtitleLabel = makeWrappingCaption(subtitle, stack);
        subtitleLabel->setObjectName(QStringLiteral("subtitle"));
        layout->addWidget(subtitleLabel);
    }
    return stack;
}

ToggleSwitch* addSwitchRow(FormGroup* group, const QString& title, const QString& objectName) {
    QWidget* row = makeRow(group, objectName + QStringLiteral("Row"));
    auto* label = new QLabel(title, row);
    label->setTextFormat(Qt::PlainText);
    auto* control = new ToggleSwitch(row);
    control->setObjectName(objectName);
    control->setAccessibleName(title);
    rowLayout(row)->addWidget(label, 1);
    rowLayout(row)->addWidget(control, 0, Qt::AlignVCenter);
    group->addRow(row);
    return control;
}

QPushButton* makeButton(const QString& title, const QString& objectName, QWidget* parent) {
    auto* button = new QPushButton(title, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QWidget* addLabelledRow(FormGroup* group, const QString& objectName, const QString& title,
                        const QString& subtitle, QWidget* control) {
    QWidget* row = makeRow(group, objectName);
    rowLayout(row)->addWidget(makeLabel(title, subtitle, row), 1);
    control->setParent(row);
    rowLayout(row)->addWidget(control, 0, Qt::AlignVCenter);
    group->addRow(row);
    return row;
}

}  // namespace

const QString& SettingsView::wallpaperDescription() {
    static const QString text =
        tr("Shown on every display while the desktop is hidden. Your usual wallpaper comes back "
           "when icons return.");
    return text;
}

SettingsView::SettingsView(Preferences& preferences, DesktopController& desktop,
                           AppUpdater& updater, LoginItemService& loginItems, QString version,
                           const ShortcutRowFactory& makeShortcutRow, QWidget* parent)
    : QWidget(parent),
      preferences_(preferences),
      desktop_(desktop),
      updater_(updater),
      loginItems_(loginItems),
      version_(std::move(version)),
      // Read once: later changes made outside the application show after its next start.
      launchAtLogin_(loginItems.status() == LoginItemService::Status::enabled) {
    setObjectName(QStringLiteral("settingsView"));
    // The form itself takes the focus when the window opens, so no control starts out focused
    // (and the shortcut recorder does not start recording by itself).
    setFocusPolicy(Qt::ClickFocus);
    setFixedWidth(kWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kOuterMargin, 12, kOuterMargin, kOuterMargin);
    layout->setSpacing(0);

    // Where no icon shows, the first thing read is how to come back here.
    reachHint_ = new QLabel(this);
    reachHint_->setObjectName(QStringLiteral("reachHint"));
    reachHint_->setWordWrap(true);
    reachHint_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    reachHint_->setContentsMargins(4, 0, 4, kSectionSpacing);
    reachHint_->hide();
    layout->addWidget(reachHint_);

    buildDesktopSection(makeShortcutRow);
    buildWallpaperSection();
    buildMenuBarSection();
    buildGeneralSection();
    buildUpdatesSection();
    buildQuitSection();
}

QSize SettingsView::sizeHint() const {
    QLayout* layout = this->layout();
    const int height =
        layout->hasHeightForWidth() ? layout->heightForWidth(kWidth) : layout->sizeHint().height();
    return {kWidth, height};
}

QLabel* SettingsView::addSection(const QString& header, FormGroup* group, FormGroup* after) {
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    int position = after ? layout->indexOf(after) + 1 : layout->count();
    if (!sections_.isEmpty()) {
        layout->insertSpacing(position++, kSectionSpacing);
    }
    QLabel* label = nullptr;
    if (!header.isEmpty()) {
        label = new QLabel(header, this);
        label->setObjectName(QStringLiteral("header"));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setContentsMargins(4, 0, 0, 5);
        layout->insertWidget(position++, label);
    }
    layout->insertWidget(position, group);
    sections_.insert(after ? sections_.indexOf(after) + 1 : sections_.size(), group);
    return label;
}

void SettingsView::setAutoHide(AutoHideController& autoHide) {
    if (autoHide_) {
        return;
    }
    autoHide_ = &autoHide;
    auto* group = new FormGroup(this);
    group->setObjectName(QStringLiteral("autoHideSection"));
    struct Choice {
        AutoHideController::Trigger kind;
        QString title;
        const char* objectName;
        std::function<bool()> get;
        std::function<void(bool)> set;
        void (Preferences::*changed)();
    };
    Preferences& prefs = preferences_;
    const Choice choices[] = {
        {AutoHideController::Trigger::screenShared, tr("While the screen is shared or recorded"),
         "hideWhileScreenShared", [&prefs] { return prefs.hideWhileScreenShared(); },
         [&prefs](bool on) { prefs.setHideWhileScreenShared(on); },
         &Preferences::hideWhileScreenSharedChanged},
        {AutoHideController::Trigger::mirrored, tr("While a display is mirrored"),
         "hideWhileMirrored", [&prefs] { return prefs.hideWhileMirrored(); },
         [&prefs](bool on) { prefs.setHideWhileMirrored(on); },
         &Preferences::hideWhileMirroredChanged},
    };
    for (const Choice& choice : choices) {
        const auto unavailable = autoHide.unavailableReason(choice.kind);
        HideTrigger* trigger = autoHide.trigger(choice.kind);
        const QString subtitle =
            unavailable ? *unavailable
                        : (trigger ? trigger->limitation().value_or(QString()) : QString());
        auto* control = new ToggleSwitch;
        control->setObjectName(QString::fromLatin1(choice.objectName));
        control->setAccessibleName(choice.title);
        if (!subtitle.isEmpty()) {
            control->setAccessibleDescription(subtitle);
        }
        control->setEnabled(!unavailable);
        control->setChecked(!unavailable && choice.get());
        addLabelledRow(group, QString::fromLatin1(choice.objectName) + QStringLiteral("Row"),
                       choice.title, subtitle, control);
        connect(control, &QAbstractButton::clicked, this,
                [control, get = choice.get, set = choice.set](bool on) {
                    set(on);
                    control->setChecked(get());
                });
        connect(&preferences_, choice.changed, control,
                [control, get = choice.get] { control->setChecked(get()); });
    }
    QLabel* caption = makeWrappingCaption(
        tr("The icons come back when it ends, unless you showed or hid them yourself in the "
           "meantime."),
        group);
    caption->setObjectName(QStringLiteral("autoHideCaption"));
    QWidget* captionRow = makeRow(group, QStringLiteral("autoHideCaptionRow"));
    rowLayout(captionRow)->addWidget(caption, 1);
    group->addRow(captionRow);
    addSection(tr("Hide automatically"), group, sections_.value(0));

    connect(&autoHide, &AutoHideController::hiddenBecauseChanged, this,
            &SettingsView::showAutoHideReason);
    showAutoHideReason();
}

void SettingsView::showAutoHideReason() {
    const auto because = autoHide_ ? autoHide_->hiddenBecause() : std::nullopt;
    autoHideReason_->setText(because ? AutoHideController::reasonText(*because) : QString());
    autoHideReasonRow_->setVisible(because.has_value());
}

void SettingsView::setTexts(const SettingsTexts& texts) {
    iconSectionHeader_->setText(texts.iconSection);
    dockSwitchLabel_->setText(texts.taskBarSwitch);
    dockSwitch_->setAccessibleName(texts.taskBarSwitch);
    dockSwitch_->parentWidget()->setVisible(!texts.taskBarSwitch.isEmpty());
    quitSubtitle_->setText(texts.quitSubtitle);
    reachHint_->setText(texts.reachHint);
    reachHint_->setAccessibleName(texts.reachHint);
    reachHint_->setVisible(!texts.reachHint.isEmpty());
}

void SettingsView::buildDesktopSection(const ShortcutRowFactory& makeShortcutRow) {
    auto* group = new FormGroup(this);
    group->setObjectName(QStringLiteral("desktopSection"));

    hideSwitch_ = addSwitchRow(group, tr("Hide desktop icons"), QStringLiteral("hideDesktop"));
    connect(hideSwitch_, &QAbstractButton::clicked, this, [this](bool on) {
        if (on) {
            desktop_.hide(DesktopController::Origin::settingsWindow);
        } else {
            desktop_.show(DesktopController::Origin::settingsWindow);
        }
        // The switch never keeps a value of its own.
        showDesktopState();
    });
    autoHideReasonRow_ = makeRow(group, QStringLiteral("autoHideReasonRow"));
    autoHideReason_ = makeWrappingCaption(QString(), autoHideReasonRow_);
    autoHideReason_->setObjectName(QStringLiteral("autoHideReason"));
    rowLayout(autoHideReasonRow_)->addWidget(autoHideReason_, 1);
    autoHideReasonRow_->hide();
    group->addRow(autoHideReasonRow_);

    const QString shortcutLabel = tr("Keyboard shortcut");
    QWidget* recorder = makeShortcutRow ? makeShortcutRow(shortcutLabel, group) : nullptr;
    if (recorder) {
        // Its clear button shows only a picture; screen readers need it in words.
        if (auto* clear = recorder->findChild<QAction*>(QStringLiteral("clearButton"));
            clear && clear->text().isEmpty()) {
            clear->setText(tr("Clear shortcut"));
        }
        QWidget* row = makeRow(group, QStringLiteral("shortcutRow"));
        recorder->setParent(row);
        rowLayout(row)->setContentsMargins(kRowHorizontalMargin, 5, kRowHorizontalMargin, 5);
        rowLayout(row)->addWidget(recorder, 1);
        group->addRow(row);
    } else {
        // Until a recorder is at hand the row keeps its place with its label.
        QWidget* row = makeRow(group, QStringLiteral("shortcutRow"));
        rowLayout(row)->addWidget(makeLabel(shortcutLabel, QString(), row), 1);
        group->addRow(row);
    }

    QWidget* caption = makeRow(group, QStringLiteral("desktopCaptionRow"));
    auto* captionStack = new QVBoxLayout;
    captionStack->setSpacing(4);
    QLabel* description = makeWrappingCaption(desktop_.desktopExplanation(), caption);
    description->setObjectName(QStringLiteral("desktopCaption"));
    captionStack->addWidget(description);
    const QString drives = desktop_.desktopDescription();
    if (!drives.isEmpty()) {
        QLabel* driven = makeWrappingCaption(tr("Desktop in use: %1").arg(drives), caption);
        driven->setObjectName(QStringLiteral("desktopInUse"));
        captionStack->addWidget(driven);
    }
    rowLayout(caption)->addLayout(captionStack, 1);
    group->addRow(caption);

    errorRow_ = makeRow(group, QStringLiteral("errorRow"));
    rowLayout(errorRow_)->setSpacing(6);
    const QColor orange = settings::warningColor(palette());
    const QFont callout = settings::calloutFont(font());
    auto* triangle = new QLabel(errorRow_);
    triangle->setObjectName(QStringLiteral("errorSymbol"));
    triangle->setAccessibleName(tr("Warning"));
    const int symbolSize = QFontMetrics(callout).height() - 1;
    triangle->setPixmap(settings::symbolPixmap(QStringLiteral("exclamationmark.triangle.fill"),
                                               symbolSize, orange, devicePixelRatioF()));
    triangle->setFixedSize(symbolSize, QFontMetrics(callout).height());
    triangle->setAlignment(Qt::AlignCenter);
    errorText_ = new QLabel(errorRow_);
    errorText_->setObjectName(QStringLiteral("errorText"));
    errorText_->setWordWrap(true);
    errorText_->setTextFormat(Qt::PlainText);
    errorText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    errorText_->setFont(callout);
    QPalette errorPalette = errorText_->palette();
    errorPalette.setColor(QPalette::WindowText, orange);
    errorText_->setPalette(errorPalette);
    rowLayout(errorRow_)->addWidget(triangle, 0, Qt::AlignTop);
    rowLayout(errorRow_)->addWidget(errorText_, 1);
    group->addRow(errorRow_);

    addSection(tr("Desktop"), group);

    connect(&desktop_, &DesktopController::isDesktopHiddenChanged, this,
            &SettingsView::showDesktopState);
    connect(&desktop_, &DesktopController::lastErrorChanged, this, &SettingsView::showLastError);
    showDesktopState();
    showLastError();
}

void SettingsView::buildWallpaperSection() {
    auto* group = new FormGroup(this);
    group->setObjectName(QStringLiteral("wallpaperSection"));

    customWallpaperSwitch_ = addSwitchRow(group, tr("Use a custom wallpaper while hidden"),
                                          QStringLiteral("useCustomWallpaper"));
    connect(customWallpaperSwitch_, &QAbstractButton::clicked, this, [this](bool on) {
        preferences_.setUseCustomWallpaper(on);
        customWallpaperSwitch_->setChecked(preferences_.useCustomWallpaper());
    });

    wallpaperRow_ = makeRow(group, QStringLiteral("wallpaperRow"));
    QHBoxLayout* row = rowLayout(wallpaperRow_);
    thumbnail_ = new WallpaperThumbnail(wallpaperRow_);
    thumbnail_->setObjectName(QStringLiteral("thumbnail"));
    row->addWidget(thumbnail_, 0, Qt::AlignVCenter);
    auto* stack = new QVBoxLayout;
    stack->setSpacing(2);
    fileName_ = new ElidedLabel(wallpaperRow_);
    fileName_->setObjectName(QStringLiteral("wallpaperFileName"));
    stack->addWidget(fileName_);
    QLabel* caption = makeWrappingCaption(wallpaperDescription(), wallpaperRow_);
    caption->setObjectName(QStringLiteral("wallpaperCaption"));
    stack->addWidget(caption);
    row->addSpacing(10 - row->spacing());
    row->addLayout(stack, 1);
    QPushButton* choose =
        makeButton(tr("Choose…"), QStringLiteral("chooseWallpaper"), wallpaperRow_);
    connect(choose, &QPushButton::clicked, this, &SettingsView::chooseWallpaper);
    row->addWidget(choose, 0, Qt::AlignVCenter);
    group->addRow(wallpaperRow_);

    addSection(tr("Wallpaper"), group);

    connect(&preferences_, &Preferences::useCustomWallpaperChanged, this, [this] {
        showWallpaper();
        // Any change of the setting, not the form's first look at it.
        desktop_.wallpaperSettingsChanged();
    });
    connect(&preferences_, &Preferences::customWallpaperURLChanged, this,
            &SettingsView::showWallpaper);
    showWallpaper();
}

void SettingsView::buildMenuBarSection() {
    auto* group = new FormGroup(this);
    group->setObjectName(QStringLiteral("menuBarSection"));
    QWidget* row = makeRow(group, QStringLiteral("iconPickerRow"));
    picker_ = new MenuBarIconPicker(row);
    picker_->setObjectName(QStringLiteral("iconPicker"));
    rowLayout(row)->addWidget(picker_, 1);
    group->addRow(row);
    iconSectionHeader_ = addSection(SettingsTexts::finder().iconSection, group);

    connect(picker_, &MenuBarIconPicker::iconChosen, this,
            [this](MenuBarIcon icon) { preferences_.setMenuBarIcon(icon); });
    connect(&preferences_, &Preferences::menuBarIconChanged, this,
            [this] { picker_->setSelection(preferences_.menuBarIcon()); });
    picker_->setSelection(preferences_.menuBarIcon());
    picker_->setDesktopHidden(desktop_.isDesktopHidden());
}

void SettingsView::buildGeneralSection() {
    auto* group = new FormGroup(this);
    group->setObjectName(QStringLiteral("generalSection"));

    launchAtLoginSwitch_ =
        addSwitchRow(group, tr("Launch at login"), QStringLiteral("launchAtLogin"));
    launchAtLoginSwitch_->setChecked(launchAtLogin_);
    connect(launchAtLoginSwitch_, &QAbstractButton::clicked, this, &SettingsView::setLaunchAtLogin);

    dockSwitch_ =
        addSwitchRow(group, SettingsTexts::finder().taskBarSwitch, QStringLiteral("showInDock"));
    dockSwitchLabel_ = dockSwitch_->parentWidget()->findChild<QLabel*>();
    dockSwitch_->setChecked(preferences_.showDockIcon());
    connect(dockSwitch_, &QAbstractButton::clicked, this, [this](bool on) {
        preferences_.setShowDockIcon(on);
        dockSwitch_->setChecked(preferences_.showDockIcon());
    });
    connect(&preferences_, &Preferences::showDockIconChanged, this,
            [this] { dockSwitch_->setChecked(preferences_.showDockIcon()); });

    addSection(tr("General"), group);
}

void SettingsView::buildUpdatesSection() {
    auto* group = new FormGroup(this);
    group->setObjectName(QStringLiteral("updatesSection"));

    automaticUpdatesSwitch_ = addSwitchRow(group, tr("Automatically check for updates"),
                                           QStringLiteral("automaticUpdates"));
    automaticUpdatesSwitch_->setChecked(updater_.automaticallyChecksForUpdates());
    connect(automaticUpdatesSwitch_, &QAbstractButton::clicked, this, [this](bool on) {
        updater_.setAutomaticallyChecksForUpdates(on);
        automaticUpdatesSwitch_->setChecked(updater_.automaticallyChecksForUpdates());
    });
    connect(&updater_, &AppUpdater::automaticallyChecksForUpdatesChanged, this, [this] {
        automaticUpdatesSwitch_->setChecked(updater_.automaticallyChecksForUpdates());
    });

    checkForUpdatesButton_ =
        makeButton(tr("Check for Updates…"), QStringLiteral("checkForUpdates"), group);
    checkForUpdatesButton_->setEnabled(updater_.canCheckForUpdates());
    // AppUpdater brings the application forward before the check starts.
    connect(checkForUpdatesButton_, &QPushButton::clicked, this,
            [this] { updater_.checkForUpdates(); });
    connect(&updater_, &AppUpdater::canCheckForUpdatesChanged, checkForUpdatesButton_,
            &QWidget::setEnabled);

    const QString source = updater_.sourceDescription();
    QString subtitle = source.isEmpty() ? tr("No update source is set up.")
                                        : tr("New versions install from %1.").arg(source);
    if (updater_.isUpdatedByPackageManager()) {
        // Nothing to switch or start here: new versions come with the system's updates.
        automaticUpdatesSwitch_->parentWidget()->hide();
        checkForUpdatesButton_->hide();
        subtitle = tr("Your package manager keeps Hushpane up to date.");
    }
    addLabelledRow(group, QStringLiteral("versionRow"),
                   QLatin1StringView(kProductName) + u' ' + version_, subtitle,
                   checkForUpdatesButton_);

    addSection(tr("Updates"), group);
}

void SettingsView::buildQuitSection() {
    auto* group = new FormGroup(this);
    group->setObjectName(QStringLiteral("quitSection"));
    QPushButton* quit = makeButton(tr("Quit"), QStringLiteral("quit"), group);
    connect(quit, &QPushButton::clicked, this, &SettingsView::quitRequested);
    QWidget* row = addLabelledRow(group, QStringLiteral("quitRow"),
                                  tr("Quit %1").arg(QLatin1StringView(kProductName)),
                                  SettingsTexts::finder().quitSubtitle, quit);
    quitSubtitle_ = row->findChild<QLabel*>(QStringLiteral("subtitle"));
    addSection(QString(), group);
}

void SettingsView::showDesktopState() {
    hideSwitch_->setChecked(desktop_.isDesktopHidden());
    if (picker_) {
        picker_->setDesktopHidden(desktop_.isDesktopHidden());
    }
}

void SettingsView::showLastError() {
    const std::optional<QString>& error = desktop_.lastError();
    errorText_->setText(error.value_or(QString()));
    errorRow_->setVisible(error.has_value());
}

void SettingsView::showWallpaper() {
    const bool on = preferences_.useCustomWallpaper();
    const std::optional<QUrl> url = preferences_.customWallpaperURL();
    customWallpaperSwitch_->setChecked(on);
    wallpaperRow_->setEnabled(on);
    thumbnail_->setUrl(url);
    fileName_->setText(url ? url->fileName() : tr("No image chosen"));
}

void SettingsView::chooseWallpaper() {
    const std::optional<QUrl> chosen = settings::WallpaperChooser::choose(
        window(), preferences_.customWallpaperURL(), dialogRunner_);
    if (!chosen) {
        return;
    }
    // Also when it is the picture already set: the wallpaper is applied again.
    preferences_.setCustomWallpaperURL(chosen);
    desktop_.wallpaperSettingsChanged();
}

void SettingsView::setLaunchAtLogin(bool value) {
    if (value == launchAtLogin_) {
        return;
    }
    launchAtLogin_ = value;
    launchAtLoginSwitch_->setChecked(value);
    runLoginItemStep(value);
}

void SettingsView::runLoginItemStep(bool value) {
    // A failed call puts the switch back to what the service reports, and that change runs the
    // step again. With a steady status this ends after the second call; a status that keeps
    // flipping would bounce between registering and unregistering for ever, so two calls are
    // the most one edit makes.
    constexpr int kMostCalls = 2;
    for (int call = 0; call < kMostCalls; ++call) {
        const std::optional<QString> error =
            value ? loginItems_.registerLoginItem() : loginItems_.unregisterLoginItem();
        if (!error) {
            return;  // also when the item still awaits the user's approval
        }
        // Login-item failures are not shown; the switch just tells the truth again.
        const bool enabled = loginItems_.status() == LoginItemService::Status::enabled;
        if (enabled == launchAtLogin_) {
            return;
        }
        launchAtLogin_ = enabled;
        launchAtLoginSwitch_->setChecked(enabled);
        value = enabled;
    }
}

}  // namespace hushpane
