#include "backends/http/HttpFeedFetcher.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <utility>

namespace hushpane {

HttpFeedFetcher::HttpFeedFetcher(FeedFetchLimits limits, QObject* parent)
    : QObject(parent), limits_(limits), network_(new QNetworkAccessManager(this)) {
    network_->setTransferTimeout(static_cast<int>(limits_.transferTimeout.count()));
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] { abortWith(Abort::TotalTimeout); });
}

HttpFeedFetcher::~HttpFeedFetcher() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

bool HttpFeedFetcher::fetch(const QUrl& url, Finished finished) {
    if (reply_) {
        return false;
    }
    finished_ = std::move(finished);
    QNetworkRequest request(url);
    // Never from https down to http; the count keeps a redirect loop from going on.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(limits_.maxRedirects);
    request.setTransferTimeout(static_cast<int>(limits_.transferTimeout.count()));
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Hushpane"));
    // A compressed body could expand far past what the size cap saw on the wire.
    request.setRawHeader("Accept-Encoding", "identity");

    body_.clear();
    abort_ = Abort::None;
    reply_ = network_->get(request);
    // Qt keeps no more than this in its own buffer; what we hold is capped in readAvailable().
    reply_->setReadBufferSize(qint64{64} * 1024);
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        // A feed that announces its size is refused before its body is read.
        const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        if (status >= 200 && status < 300 && length.isValid() &&
            length.toLongLong() > limits_.maxBodyBytes) {
            abortWith(Abort::TooLarge);
        }
    });
    connect(reply_, &QNetworkReply::readyRead, this, &HttpFeedFetcher::readAvailable);
    connect(reply_, &QNetworkReply::finished, this, &HttpFeedFetcher::onFinished);
    deadline_.start(limits_.totalTimeout);
    return true;
}

void HttpFeedFetcher::readAvailable() {
    if (!reply_ || abort_ != Abort::None) {
        return;
    }
    // Redirect and error responses have bodies of their own that are not the feed.
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300) {
        reply_->readAll();
        return;
    }
    const QByteArray chunk = reply_->readAll();
    if (body_.size() + chunk.size() > limits_.maxBodyBytes) {
        abortWith(Abort::TooLarge);
        return;
    }
    body_.append(chunk);
}

void HttpFeedFetcher::abortWith(Abort reason) {
    if (!reply_ || abort_ != Abort::None) {
        return;
    }
    abort_ = reason;
    // abort() emits finished() at once and onFinished() reads the reason; a reply that has
    // finished already is being handled there.
    if (!reply_->isFinished()) {
        reply_->abort();
    }
}

void HttpFeedFetcher::onFinished() {
    QNetworkReply* reply = reply_;
    if (!reply) {
        return;
    }
    deadline_.stop();
    if (abort_ == Abort::None && reply->error() == QNetworkReply::NoError) {
        readAvailable();
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool failed = abort_ != Abort::None || reply->error() != QNetworkReply::NoError ||
                        (status != 0 && (status < 200 || status >= 300));
    const QString error = failed ? describeFailure() : QString();
    reply_ = nullptr;
    reply->disconnect(this);
    reply->deleteLater();
    const QByteArray body = error.isEmpty() ? body_ : QByteArray();
    body_.clear();
    // Taken out first: the callback may start the next download.
    const Finished done = std::exchange(finished_, nullptr);
    if (done) {
        done(body, error);
    }
}

QString HttpFeedFetcher::describeFailure() const {
    switch (abort_) {
        case Abort::TooLarge:
            return QStringLiteral(
                       "The update server sent more data than an update feed can hold (over %1 "
                       "KB).")
                .arg(limits_.maxBodyBytes / 1024);
        case Abort::TotalTimeout:
            return QCoreApplication::translate(
                "hushpane::HttpFeedFetcher",
                "The update server took too long to send the update feed.");
        case Abort::None:
            break;
    }
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        const QString reason =
            reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
        return reason.isEmpty()
                   ? QCoreApplication::translate("hushpane::HttpFeedFetcher",
                                                 "The update server answered with HTTP error %1.")
                         .arg(status)
                   : QCoreApplication::translate(
                         "hushpane::HttpFeedFetcher",
                         "The update server answered with HTTP error %1 (%2).")
                         .arg(status)
                         .arg(reason);
    }
    if (reply_->error() == QNetworkReply::NoError) {
        return QCoreApplication::translate(
                   "hushpane::HttpFeedFetcher",
                   "The update server answered with HTTP status %1 instead of the feed.")
            .arg(status);
    }
    switch (reply_->error()) {
        case QNetworkReply::OperationCanceledError:
        case QNetworkReply::TimeoutError:
            // The transfer timeout cancels the request; nothing else cancels it but us.
            return QCoreApplication::translate("hushpane::HttpFeedFetcher",
                                               "The update server did not answer in time.");
        case QNetworkReply::TooManyRedirectsError:
            return QCoreApplication::translate("hushpane::HttpFeedFetcher",
                                               "The update server redirected too many times.");
        case QNetworkReply::InsecureRedirectError:
            return QCoreApplication::translate(
                "hushpane::HttpFeedFetcher",
                "The update server redirected to an address that is not secure.");
        case QNetworkReply::HostNotFoundError:
            return QCoreApplication::translate("hushpane::HttpFeedFetcher",
                                               "The update server %1 could not be found.")
                .arg(reply_->url().host());
        case QNetworkReply::ConnectionRefusedError:
        case QNetworkReply::RemoteHostClosedError:
        case QNetworkReply::NetworkSessionFailedError:
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::UnknownNetworkError:
            return QCoreApplication::translate("hushpane::HttpFeedFetcher",
                                               "Could not connect to the update server (%1).")
                .arg(reply_->errorString());
        case QNetworkReply::SslHandshakeFailedError:
            return QCoreApplication::translate(
                       "hushpane::HttpFeedFetcher",
                       "The secure connection to the update server failed (%1).")
                .arg(reply_->errorString());
        default:
            return QCoreApplication::translate("hushpane::HttpFeedFetcher",
                                               "The update check failed (%1).")
                .arg(reply_->errorString());
    }
}

}  // namespace hushpane
