#pragma once

#include "update/FeedFetcher.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace hushpane {

// The downloader plugin's file name, without the platform's suffix.
inline constexpr auto kFeedFetcherPluginName = "hushpane-http-feed-fetcher";

// Loads the downloader plugin from the first of `directories` (pluginDirectories()) that holds
// one and makes a fetcher. Null, with a sentence for people in `error`, when no plugin can be
// loaded.
std::unique_ptr<FeedFetcher> loadFeedFetcher(const QStringList& directories,
                                             const FeedFetchLimits& limits, QString* error);

}  // namespace hushpane
