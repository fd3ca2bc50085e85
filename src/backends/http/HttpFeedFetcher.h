#pragma once

#include "update/FeedFetcher.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace hushpane {

// Downloads feeds over HTTP(S) with Qt's network access, within the given limits.
class HttpFeedFetcher : public QObject, public FeedFetcher {
    Q_OBJECT
public:
    explicit HttpFeedFetcher(FeedFetchLimits limits = {}, QObject* parent = nullptr);
    ~HttpFeedFetcher() override;

    bool fetch(const QUrl& url, Finished finished) override;
    bool isFetching() const override { return !reply_.isNull(); }

private:
    enum class Abort { None, TooLarge, TotalTimeout };

    void readAvailable();
    void onFinished();
    void abortWith(Abort reason);
    QString describeFailure() const;

    FeedFetchLimits limits_;
    QNetworkAccessManager* network_;
    QPointer<QNetworkReply> reply_;
    Finished finished_;
    QTimer deadline_;
    QByteArray body_;
    Abort abort_ = Abort::None;
};

}  // namespace hushpane
