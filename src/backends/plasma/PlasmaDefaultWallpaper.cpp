#include "backends/plasma/PlasmaDefaultWallpaper.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace hushpane {

namespace {

const QString kBreeze = QStringLiteral("org.kde.breeze.desktop");
const QString kBreezeWallpaper = QStringLiteral("Next");

// One key of a KDE settings file found under the XDG folders of `location`; empty when the
// file or the key is missing.
QString keyIn(QStandardPaths::StandardLocation location, const QString& file, const QString& key) {
    const QString path = QStandardPaths::locate(location, file);
    return path.isEmpty() ? QString() : QSettings(path, QSettings::IniFormat).value(key).toString();
}

QString lookAndFeel() {
    const QString name = keyIn(QStandardPaths::GenericConfigLocation, QStringLiteral("kdeglobals"),
                               QStringLiteral("KDE/LookAndFeelPackage"));
    // A package name is one path segment; anything else is no package Plasma would load.
    return name.isEmpty() || name.contains(QLatin1Char('/')) ? kBreeze : name;
}

QString wallpaperOf(const QString& lookAndFeel) {
    const QString name =
        keyIn(QStandardPaths::GenericDataLocation,
              QStringLiteral("plasma/look-and-feel/%1/contents/defaults").arg(lookAndFeel),
              QStringLiteral("Wallpaper/Image"));
    return name.isEmpty() ? kBreezeWallpaper : name;
}

}  // namespace

std::optional<QString> PlasmaDefaultWallpaper::folder() {
    const QString name = wallpaperOf(lookAndFeel());
    if (QDir::isAbsolutePath(name)) {
        return QFileInfo(name).isDir() ? std::optional(QDir::cleanPath(name)) : std::nullopt;
    }
    if (name.contains(QLatin1Char('/'))) {
        return std::nullopt;
    }
    const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                 QStringLiteral("wallpapers/") + name,
                                                 QStandardPaths::LocateDirectory);
    if (found.isEmpty()) {
        return std::nullopt;
    }
    return QDir::cleanPath(found);
}

bool PlasmaDefaultWallpaper::isDefault(const QString& path) {
    const std::optional<QString> own = folder();
    return own && !path.isEmpty() && QDir::cleanPath(path) == *own;
}

}  // namespace hushpane
