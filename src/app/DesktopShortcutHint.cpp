#include "app/DesktopShortcutHint.h"

#include "app/AppInfo.h"
#include "app/ToggleShortcut.h"
#include "keyboard_shortcuts/Library.h"
#include "platform/DesktopKeybindings.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace hushpane {

namespace {

// The desktop runs the command without our PATH guarantees: the program's own path when the
// plain name would not find it.
QString runnableCommand() {
    const QString url = QStringLiteral("hushpane://toggle");
    if (!QStandardPaths::findExecutable(QStringLiteral("hushpane")).isEmpty()) {
        return QStringLiteral("hushpane ") + url;
    }
    QString path = AppInfo::launcherPath();
    if (path.contains(QLatin1Char(' '))) {
        path = QLatin1Char('"') + path + QLatin1Char('"');
    }
    return path + QLatin1Char(' ') + url;
}

}  // namespace

const QString& DesktopShortcutHint::explanation() {
    static const QString text = QStringLiteral(
        "This desktop doesn't let programs set global shortcuts; bind `hushpane "
        "hushpane://toggle` in the desktop's keyboard settings");
    return text;
}

const QString& DesktopShortcutHint::command() {
    static const QString text = QStringLiteral("hushpane hushpane://toggle");
    return text;
}

QString DesktopShortcutHint::unboundExplanation() {
    return tr(
        "The desktop hasn't bound this shortcut, so it does nothing yet. Set it for "
        "Hushpane in the desktop's keyboard settings, or bind `hushpane "
        "hushpane://toggle` there.");
}

DesktopShortcutHint::DesktopShortcutHint(KeyboardShortcuts::Library& library,
                                         const ShortcutHelp& help, QWidget* parent)
    : QWidget(parent), library_(library), help_(help) {
    setObjectName(QStringLiteral("desktopShortcutHint"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);

    const bool whileUnbound = help_.shown == ShortcutHelp::Shown::whileUnbound;
    auto* text = new QLabel(whileUnbound ? unboundExplanation() : explanation(), this);
    text->setObjectName(QStringLiteral("explanation"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);
    layout->addWidget(text);

    auto* commandRow = new QHBoxLayout;
    commandField_ = new QLineEdit(command(), this);
    commandField_->setObjectName(QStringLiteral("command"));
    commandField_->setReadOnly(true);
    commandField_->setAccessibleName(tr("Command to bind"));
    copyButton_ = new QPushButton(tr("Copy"), this);
    copyButton_->setObjectName(QStringLiteral("copyCommand"));
    copyButton_->setAutoDefault(false);
    connect(copyButton_, &QPushButton::clicked, this, [this] {
        QApplication::clipboard()->setText(commandField_->text());
        commandField_->selectAll();
    });
    commandRow->addWidget(commandField_, 1);
    commandRow->addWidget(copyButton_);
    layout->addLayout(commandRow);

    auto* buttons = new QHBoxLayout;
    if (whileUnbound) {
        askAgainButton_ = new QPushButton(tr("Ask the Desktop Again"), this);
        askAgainButton_->setObjectName(QStringLiteral("askAgain"));
        askAgainButton_->setAutoDefault(false);
        connect(askAgainButton_, &QPushButton::clicked, this,
                [this] { library_.askDesktopAgain(); });
        buttons->addWidget(askAgainButton_);
    }
    if (help_.keybindings != nullptr && help_.keybindings->isAvailable()) {
        addButton_ = new QPushButton(tr("Add to GNOME's Keyboard Shortcuts"), this);
        addButton_->setObjectName(QStringLiteral("addKeybinding"));
        addButton_->setAutoDefault(false);
        connect(addButton_, &QPushButton::clicked, this, &DesktopShortcutHint::addKeybinding);
        buttons->addWidget(addButton_);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("result"));
    result_->setWordWrap(true);
    result_->setTextFormat(Qt::PlainText);
    result_->hide();
    layout->addWidget(result_);

    if (whileUnbound) {
        connect(&library_, &KeyboardShortcuts::Library::boundTriggerChanged, this,
                &DesktopShortcutHint::updateVisibility);
        connect(&library_, &KeyboardShortcuts::Library::shortcutByNameDidChange, this,
                &DesktopShortcutHint::updateVisibility);
        updateVisibility();
    }
}

void DesktopShortcutHint::updateVisibility() {
    // Hidden while the desktop has not answered yet, and once it bound keys.
    setVisible(library_.isUnboundByDesktop(toggleDesktopName()));
}

void DesktopShortcutHint::addKeybinding() {
    const auto shortcut = library_.getShortcut(toggleDesktopName());
    if (!shortcut) {
        result_->setText(tr("Record a shortcut first."));
        result_->show();
        return;
    }
    const auto error = help_.keybindings->addKeybinding(
        tr("Hushpane: hide or show desktop icons"), runnableCommand(), shortcut->carbonKeyCode(),
        shortcut->carbonModifiers());
    result_->setText(
        error ? tr("Couldn't add the shortcut: %1").arg(*error)
              : tr("Added: %1 now hides or shows the desktop icons.").arg(shortcut->description()));
    result_->show();
}

}  // namespace hushpane
