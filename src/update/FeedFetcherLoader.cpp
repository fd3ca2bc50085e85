#include "update/FeedFetcherLoader.h"

#include "update/UpdateLogging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#ifndef HUSHPANE_PLUGIN_DIR_FROM_PROGRAM
#define HUSHPANE_PLUGIN_DIR_FROM_PROGRAM "../../lib/hushpane"
#endif

namespace hushpane {

QStringList feedFetcherPluginDirectories() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    // The build tree has the installed layout below the program, so one place serves both.
    return {
        QDir::cleanPath(programDir.filePath(QString::fromUtf8(HUSHPANE_PLUGIN_DIR_FROM_PROGRAM)))};
}

std::unique_ptr<FeedFetcher> loadFeedFetcher(const QStringList& directories,
                                             const FeedFetchLimits& limits, QString* error) {
    const QString fileName = QString::fromLatin1(kFeedFetcherPluginName) + QStringLiteral(".so");
    QString reason = QStringLiteral("it is not installed");
    for (const QString& directory : directories) {
        const QString path = QDir(directory).filePath(fileName);
        if (!QFileInfo::exists(path)) {
            continue;
        }
        // The library stays loaded for the rest of the process: fetchers made by it may
        // outlive this loader.
        QPluginLoader loader(path);
        auto* factory = qobject_cast<FeedFetcherFactory*>(loader.instance());
        if (factory == nullptr) {
            reason = loader.errorString();
            qCWarning(lcUpdates, "Couldn't load %s: %s", qUtf8Printable(path),
                      qUtf8Printable(reason));
            continue;
        }
        if (auto fetcher = factory->createFeedFetcher(limits)) {
            return fetcher;
        }
        reason = QStringLiteral("it made no downloader");
    }
    if (error != nullptr) {
        *error = QCoreApplication::translate("hushpane::FeedFetcherLoader",
                                             "The update downloader (%1) couldn't be loaded: %2.")
                     .arg(fileName, reason);
    }
    return nullptr;
}

}  // namespace hushpane
