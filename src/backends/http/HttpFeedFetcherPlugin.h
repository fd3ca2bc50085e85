#pragma once

#include "update/FeedFetcher.h"

#include <QObject>

namespace hushpane {

// The downloader plugin: Qt's network module and the TLS and proxy libraries behind it are
// loaded with it, on the first update check, instead of at every start of the program.
class HttpFeedFetcherPlugin : public QObject, public FeedFetcherFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID HUSHPANE_FEED_FETCHER_FACTORY_IID)
    Q_INTERFACES(hushpane::FeedFetcherFactory)
public:
    std::unique_ptr<FeedFetcher> createFeedFetcher(const FeedFetchLimits& limits) override;
};

}  // namespace hushpane
