#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QtPlugin>

#include <chrono>
#include <functional>
#include <memory>

namespace hushpane {

// Limits of one feed download. A feed is a few kilobytes; everything here is generous for
// that and small enough that a broken or hostile server cannot hold the program.
struct FeedFetchLimits {
    // No byte for this long ends the download.
    std::chrono::milliseconds transferTimeout{std::chrono::seconds(30)};
    // The whole download, however it trickles, ends after this.
    std::chrono::milliseconds totalTimeout{std::chrono::seconds(90)};
    int maxRedirects = 5;
    qint64 maxBodyBytes = qint64{2} * 1024 * 1024;
};

// Downloads one feed at a time. Deliberately not a QObject: the downloader lives in a plugin
// loaded on the first check, and a plain interface keeps the program and the plugin from each
// carrying a meta-object of their own for it.
class FeedFetcher {
public:
    // `error` is a sentence for people, empty on success; `body` is empty on failure.
    using Finished = std::function<void(const QByteArray& body, const QString& error)>;

    virtual ~FeedFetcher() = default;

    // Starts a download; `finished` runs exactly once, later, on the fetcher's thread. False
    // (and nothing happens) while a download is running.
    virtual bool fetch(const QUrl& url, Finished finished) = 0;
    virtual bool isFetching() const = 0;
};

// What the downloader plugin offers: fetchers with the given limits.
class FeedFetcherFactory {
public:
    virtual ~FeedFetcherFactory() = default;
    virtual std::unique_ptr<FeedFetcher> createFeedFetcher(const FeedFetchLimits& limits) = 0;
};

}  // namespace hushpane

#define HUSHPANE_FEED_FETCHER_FACTORY_IID "app.hushpane.FeedFetcherFactory/1"
Q_DECLARE_INTERFACE(hushpane::FeedFetcherFactory, HUSHPANE_FEED_FETCHER_FACTORY_IID)
