// Copied beside an installed hushpane, this looks for the downloader plugin exactly where the
// program does (relative to its own directory) and loads it.
#include "common/PluginLoader.h"
#include "update/FeedFetcherLoader.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    QString error;
    const auto fetcher = hushpane::loadFeedFetcher(hushpane::pluginDirectories(),
                                                   hushpane::FeedFetchLimits{}, &error);
    if (!fetcher) {
        std::fprintf(stderr, "no downloader: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("downloader loaded\n");
    return 0;
}
