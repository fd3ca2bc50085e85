#include "common/PluginLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#ifndef HUSHPANE_PLUGIN_DIR_FROM_PROGRAM
#define HUSHPANE_PLUGIN_DIR_FROM_PROGRAM "../../lib/hushpane"
#endif

namespace hushpane {

QStringList pluginDirectories() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    // The build tree has the installed layout below the program, so one place serves both.
    return {
        QDir::cleanPath(programDir.filePath(QString::fromUtf8(HUSHPANE_PLUGIN_DIR_FROM_PROGRAM)))};
}

bool loadPlugin(const QString& name, const QStringList& directories,
                const std::function<bool(QObject* root, QString* reason)>& take, QString* reason,
                const QLoggingCategory& log) {
    const QString fileName = name + QStringLiteral(".so");
    QString why = QStringLiteral("it is not installed");
    for (const QString& directory : directories) {
        const QString path = QDir(directory).filePath(fileName);
        if (!QFileInfo::exists(path)) {
            continue;
        }
        QPluginLoader loader(path);
        QObject* root = loader.instance();
        if (root == nullptr) {
            why = loader.errorString();
            qCWarning(log, "Couldn't load %s: %s", qUtf8Printable(path), qUtf8Printable(why));
            continue;
        }
        if (take(root, &why)) {
            return true;
        }
    }
    if (reason != nullptr) {
        *reason = why;
    }
    return false;
}

}  // namespace hushpane
