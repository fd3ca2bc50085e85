#include "update/FeedFetcherLoader.h"

#include "common/PluginLoader.h"
#include "update/UpdateLogging.h"

#include <QCoreApplication>

namespace hushpane {

std::unique_ptr<FeedFetcher> loadFeedFetcher(const QStringList& directories,
                                             const FeedFetchLimits& limits, QString* error) {
    std::unique_ptr<FeedFetcher> fetcher;
    QString reason;
    const auto take = [&](QObject* root, QString* why) {
        auto* factory = qobject_cast<FeedFetcherFactory*>(root);
        if (factory == nullptr) {
            *why = QStringLiteral("it is not the update downloader");
            return false;
        }
        fetcher = factory->createFeedFetcher(limits);
        if (!fetcher) {
            *why = QStringLiteral("it made no downloader");
        }
        return fetcher != nullptr;
    };
    if (loadPlugin(QString::fromLatin1(kFeedFetcherPluginName), directories, take, &reason,
                   lcUpdates())) {
        return fetcher;
    }
    if (error != nullptr) {
        *error =
            QCoreApplication::translate("hushpane::FeedFetcherLoader",
                                        "The update downloader (%1) couldn't be loaded: %2.")
                .arg(QString::fromLatin1(kFeedFetcherPluginName) + QStringLiteral(".so"), reason);
    }
    return nullptr;
}

}  // namespace hushpane
