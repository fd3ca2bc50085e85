#include "app/DesktopShortcutHint.h"

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
    QString path = QCoreApplication::applicationFilePath();
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

DesktopShortcutHint::DesktopShortcutHint(KeyboardShortcuts::Library& library,
                                         DesktopKeybindings& keybindings, QWidget* parent)
    : QWidget(parent), library_(library), keybindings_(keybindings) {
    setObjectName(QStringLiteral("desktopShortcutHint"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);

    auto* text = new QLabel(explanation(), this);
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

    if (keybindings_.isAvailable()) {
        addButton_ = new QPushButton(tr("Add to GNOME's Keyboard Shortcuts"), this);
        addButton_->setObjectName(QStringLiteral("addKeybinding"));
        addButton_->setAutoDefault(false);
        connect(addButton_, &QPushButton::clicked, this, &DesktopShortcutHint::addKeybinding);
        layout->addWidget(addButton_, 0, Qt::AlignLeading);
    }
    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("result"));
    result_->setWordWrap(true);
    result_->setTextFormat(Qt::PlainText);
    result_->hide();
    layout->addWidget(result_);
}

void DesktopShortcutHint::addKeybinding() {
    const auto shortcut = library_.getShortcut(toggleDesktopName());
    if (!shortcut) {
        result_->setText(tr("Record a shortcut first."));
        result_->show();
        return;
    }
    const auto error =
        keybindings_.addKeybinding(tr("Hushpane: hide or show desktop icons"), runnableCommand(),
                                   shortcut->carbonKeyCode(), shortcut->carbonModifiers());
    result_->setText(
        error ? tr("Couldn't add the shortcut: %1").arg(*error)
              : tr("Added: %1 now hides or shows the desktop icons.").arg(shortcut->description()));
    result_->show();
}

}  // namespace hushpane
