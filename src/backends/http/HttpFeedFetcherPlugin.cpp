#include "backends/http/HttpFeedFetcherPlugin.h"

#include "backends/http/HttpFeedFetcher.h"

namespace hushpane {

std::unique_ptr<FeedFetcher> HttpFeedFetcherPlugin::createFeedFetcher(
    const FeedFetchLimits& limits) {
    return std::make_unique<HttpFeedFetcher>(limits);
}

}  // namespace hushpane
