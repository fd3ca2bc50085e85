#include "backends/xdg/XdgAutostartLoginItem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

namespace hushpane {

namespace {

bool isTrue(QStringView value) {
    return value.trimmed().compare(u"true", Qt::CaseInsensitive) == 0;
}
bool isFalse(QStringView value) {
    return value.trimmed().compare(u"false", Qt::CaseInsensitive) == 0;
}

// Whether the entry at `path` exists and would be started: desktops skip an entry that says
// Hidden=true (the user "deleted" it) or, on GNOME, X-GNOME-Autostart-enabled=false.
bool entryStarts(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return false;
    }
    bool inMainGroup = false;
    bool sawMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        if (line.startsWith(u'[')) {
            inMainGroup = line == u"[Desktop Entry]";
            sawMainGroup = sawMainGroup || inMainGroup;
            continue;
        }
        if (!inMainGroup) {
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) {
            continue;
        }
        const QStringView key = QStringView(line).left(equals).trimmed();
        const QStringView value = QStringView(line).mid(equals + 1);
        if (key == u"Hidden" && isTrue(value)) {
            return false;
        }
        if (key == u"X-GNOME-Autostart-enabled" && isFalse(value)) {
            return false;
        }
    }
    return sawMainGroup;
}

}  // namespace

XdgAutostartLoginItem::XdgAutostartLoginItem(QString executablePath, QString autostartDirectory)
    : executablePath_(std::move(executablePath)),
      autostartDirectory_(std::move(autostartDirectory)) {}

XdgAutostartLoginItem::XdgAutostartLoginItem()
    : XdgAutostartLoginItem(QCoreApplication::applicationFilePath(), defaultAutostartDirectory()) {}

QString XdgAutostartLoginItem::defaultAutostartDirectory() {
    // The base directory rules: a relative value is invalid and must be ignored.
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome)) {
        configHome = QDir::homePath() + QStringLiteral("/.config");
    }
    return configHome + QStringLiteral("/autostart");
}

std::optional<QString> XdgAutostartLoginItem::execLine(const QString& executablePath) {
    if (executablePath.isEmpty()) {
        return std::nullopt;
    }
    QString quoted;
    for (const QChar c : executablePath) {
        if (c.category() == QChar::Other_Control) {
            return std::nullopt;
        }
        // Inside a quoted argument these four are taken literally only when escaped.
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
            quoted += u'\\';
        }
        // A lone % would start a field code.
        if (c == u'%') {
            quoted += u'%';
        }
        quoted += c;
    }
    // The value is a string first: its own escaping of backslashes is undone before the
    // command line is split, so every backslash is written twice once more.
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    return u'"' + quoted + u'"';
}

QString XdgAutostartLoginItem::entryPath() const {
    return autostartDirectory_ + u'/' + QLatin1StringView(kEntryFileName);
}

LoginItemService::Status XdgAutostartLoginItem::status() const {
    if (entryStarts(entryPath())) {
        return Status::enabled;
    }
    if (executablePath_.isEmpty() || !QFileInfo(executablePath_).isExecutable()) {
        return Status::notFound;
    }
    return Status::notRegistered;
}

std::optional<QString> XdgAutostartLoginItem::registerLoginItem() {
    if (executablePath_.isEmpty() || !QFileInfo(executablePath_).isExecutable()) {
        return QCoreApplication::translate("hushpane::XdgAutostartLoginItem",
                                           "Couldn't find the program to start at login");
    }
    const std::optional<QString> exec = execLine(executablePath_);
    if (!exec) {
        return QCoreApplication::translate(
                   "hushpane::XdgAutostartLoginItem",
                   "Can't start %1 at login: its path contains control characters")
            .arg(executablePath_);
    }
    if (!QDir().mkpath(autostartDirectory_)) {
        return QCoreApplication::translate("hushpane::XdgAutostartLoginItem",
                                           "Couldn't create the folder %1")
            .arg(autostartDirectory_);
    }
    const QString contents = QStringLiteral(
                                 "[Desktop Entry]\n"
                                 "Type=Application\n"
                                 "Name=Hushpane\n"
                                 "Comment=An empty desktop on demand\n"
                                 "Exec=%1\n"
                                 "Terminal=false\n"
                                 "X-GNOME-Autostart-enabled=true\n")
                                 .arg(*exec);
    // Written whole or not at all, so a desktop never starts from half an entry.
    QSaveFile file(entryPath());
    if (!file.open(QIODevice::WriteOnly)) {
        return QCoreApplication::translate("hushpane::XdgAutostartLoginItem",
                                           "Couldn't write %1: %2")
            .arg(entryPath(), file.errorString());
    }
    file.write(contents.toUtf8());
    if (!file.commit()) {
        return QCoreApplication::translate("hushpane::XdgAutostartLoginItem",
                                           "Couldn't write %1: %2")
            .arg(entryPath(), file.errorString());
    }
    return std::nullopt;
}

std::optional<QString> XdgAutostartLoginItem::unregisterLoginItem() {
    QFile file(entryPath());
    if (!file.exists()) {
        return std::nullopt;
    }
    if (!file.remove()) {
        return QCoreApplication::translate("hushpane::XdgAutostartLoginItem",
                                           "Couldn't remove %1: %2")
            .arg(entryPath(), file.errorString());
    }
    return std::nullopt;
}

}  // namespace hushpane
