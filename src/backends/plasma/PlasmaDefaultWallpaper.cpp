#include "backends/plasma/PlasmaDefaultWallpaper.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace hushpane {

namespace {

const QString kBreeze = QStringLiteral("org.kde.breeze.desktop");
const QString kBreezeWallpaper = QStringLiteral("Next");

QString lookAndFeel() {
    const QString globals =
        QStandardPaths::locate(QStandardPaths::GenericConfigLocation, QStringLiteral("kdeglobals"));
    if (globals.isEmpty()) {
        return kBreeze;
    }
    const QString name = QSettings(globals, QSettings::IniFormat)
                             .value(QStringLiteral("KDE/LookAndFeelPackage"))
                             .toString();
    // A package name is one path segment; anything else is no package Plasma would load.
    return name.isEmpty() || name.contains(QLatin1Char('/')) ? kBreeze : name;
}

QString wallpaperOf(const QString& lookAndFeel) {
    const QString defaults = QStandardPaths::locate(
        QStandardPaths::GenericDataLocation,
        QStringLiteral("plasma/look-and-feel/%1/contents/defaults").arg(lookAndFeel));
    if (defaults.isEmpty()) {
        return kBreezeWallpaper;
    }
    const QString name = QSettings(defaults, QSettings::IniFormat)
                             .value(QStringLiteral("Wallpaper/Image"))
                             .toString();
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
