#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

namespace hushpane {

// Limits of one feed download. A feed is a few kilobytes; everything here is generous for
// that and small enough that a broken or hostile server cannot hold the program.
struct FeedFetchLimits {
    // No byte for this long ends the download.
    std::chrono::milliseconds transferTimeout{std::chrono::seconds(30)};
    // The whole download, however it trickles, ends after this.
    std::chrono::milliseconds totalTimeout{std::chrono::seconds(90)};
    int maxRedirects = 5;
    qint64 maxBodyBytes = 2 * 1024 * 1024;
};

// Downloads one feed at a time over HTTP(S). The outcome arrives as exactly one finished()
// signal per fetch(), on the thread of this object.
class FeedFetcher : public QObject {
    Q_OBJECT
public:
    explicit FeedFetcher(FeedFetchLimits limits = {}, QObject* parent = nullptr);
    ~FeedFetcher() override;

    // False (and nothing happens) while a download is running.
    bool fetch(const QUrl& url);
    bool isFetching() const { return !reply_.isNull(); }

Q_SIGNALS:
    // `error` is a sentence for people, empty on success; `body` is empty on failure.
    void finished(const QByteArray& body, const QString& error);

private:
    enum class Abort { None, TooLarge, TotalTimeout };

    void readAvailable();
    void onFinished();
    void abortWith(Abort reason);
    QString describeFailure() const;

    FeedFetchLimits limits_;
    QNetworkAccessManager* network_;
    QPointer<QNetworkReply> reply_;
    QTimer deadline_;
    QByteArray body_;
    Abort abort_ = Abort::None;
};

}  // namespace hushpane
