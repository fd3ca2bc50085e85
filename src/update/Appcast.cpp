#include "update/Appcast.h"

#include "update/VersionComparator.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace hushpane {

namespace {

// Feeds are read into program memory, so no field may be unreasonably long.
constexpr qsizetype kMaxFieldLength = qsizetype{8} * 1024;

QUrl webUrl(const QString& text) {
    QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"https" && scheme != u"http")) {
        return {};
    }
    return url;
}

class FeedReader {
public:
    explicit FeedReader(const QByteArray& xml) : xml_(xml), empty_(xml.trimmed().isEmpty()) {}

    AppcastParseResult read() {
        AppcastParseResult result;
        if (empty_) {
            result.error =
                QCoreApplication::translate("hushpane::Appcast", "The update feed is empty.");
            return result;
        }
        // The prolog goes through next() too, so a DTD is seen before anything uses it.
        while (!stopped() && next() != QXmlStreamReader::StartElement) {
            if (xml_.atEnd()) {
                break;
            }
        }
        if (stopped() || xml_.tokenType() != QXmlStreamReader::StartElement) {
            result.error = failure();
            return result;
        }
        if (xml_.name() != u"rss" || !xml_.namespaceUri().isEmpty()) {
            result.error = QCoreApplication::translate("hushpane::Appcast",
                                                       "The update feed is not an RSS feed.");
            return result;
        }
        while (readNextChild()) {
            if (xml_.name() == u"channel" && xml_.namespaceUri().isEmpty()) {
                readChannel(result.items);
            } else {
                skip();
            }
        }
        // Anything after the root element must still be well-formed.
        while (!xml_.atEnd() && !xml_.hasError() && !dtdSeen_) {
            next();
        }
        result.error = failure();
        if (!result.error.isEmpty()) {
            result.items.clear();
        }
        return result;
    }

private:
    QString failure() const {
        if (dtdSeen_) {
            return QStringLiteral(
                "The update feed contains a document type declaration, which is not allowed.");
        }
        if (tooLong_) {
            return QCoreApplication::translate(
                "hushpane::Appcast", "The update feed contains a field that is far too long.");
        }
        if (xml_.hasError() && xml_.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
            return QCoreApplication::translate("hushpane::Appcast",
                                               "The update feed is not valid XML (line %1: %2).")
                .arg(xml_.lineNumber())
                .arg(xml_.errorString());
        }
        if (xml_.hasError()) {
            return QCoreApplication::translate("hushpane::Appcast",
                                               "The update feed ends too early.");
        }
        return {};
    }

    bool stopped() const { return xml_.hasError() || dtdSeen_ || tooLong_; }

    QXmlStreamReader::TokenType next() {
        const auto token = xml_.readNext();
        if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference) {
            dtdSeen_ = true;
        }
        return token;
    }

    // Moves to the next child element of the current element; false at its end.
    bool readNextChild() {
        while (!stopped()) {
            const auto token = next();
            if (token == QXmlStreamReader::StartElement) {
                return !stopped();
            }
            if (token == QXmlStreamReader::EndElement || token == QXmlStreamReader::Invalid ||
                xml_.atEnd()) {
                return false;
            }
        }
        return false;
    }

    void skip() {
        int depth = 1;
        while (depth > 0 && !stopped()) {
            const auto token = next();
            if (token == QXmlStreamReader::StartElement) {
                ++depth;
            } else if (token == QXmlStreamReader::EndElement) {
                --depth;
            } else if (token == QXmlStreamReader::Invalid || xml_.atEnd()) {
                return;
            }
        }
    }

    // The text of an element without children; nested markup is dropped.
    QString text() {
        QString collected;
        int depth = 1;
        while (depth > 0 && !stopped()) {
            const auto token = next();
            if (token == QXmlStreamReader::StartElement) {
                ++depth;
            } else if (token == QXmlStreamReader::EndElement) {
                --depth;
            } else if (token == QXmlStreamReader::Characters) {
                collected += xml_.text();
                if (collected.size() > kMaxFieldLength) {
                    tooLong_ = true;
                }
            } else if (token == QXmlStreamReader::Invalid || xml_.atEnd()) {
                break;
            }
        }
        return collected.trimmed();
    }

    QString attribute(const QString& namespaceUri, const QString& name) {
        QString value = xml_.attributes().value(namespaceUri, name).toString().trimmed();
        if (value.size() > kMaxFieldLength) {
            tooLong_ = true;
            return {};
        }
        return value;
    }

    void readChannel(QList<AppcastItem>& items) {
        while (readNextChild()) {
            if (xml_.name() == u"item" && xml_.namespaceUri().isEmpty()) {
                readItem(items);
            } else {
                skip();
            }
        }
    }

    void readItem(QList<AppcastItem>& items) {
        const QString ns = QString::fromLatin1(Appcast::kNamespace);
        AppcastItem item;
        // Element forms of the fields; the enclosure's attributes win where both exist.
        QString elementVersion;
        QString elementShortVersion;
        QString elementMinimumSystem;
        bool otherChannel = false;
        while (readNextChild()) {
            const auto name = xml_.name();
            const bool plain = xml_.namespaceUri().isEmpty();
            const bool ours = xml_.namespaceUri() == ns;
            if (plain && name == u"title") {
                item.title = text();
            } else if (plain && name == u"link") {
                item.infoUrl = webUrl(text());
            } else if (plain && name == u"pubDate") {
                item.publicationDate = QDateTime::fromString(text(), Qt::RFC2822Date);
            } else if (plain && name == u"enclosure") {
                item.downloadUrl = webUrl(attribute({}, QStringLiteral("url")));
                item.version = attribute(ns, QStringLiteral("version"));
                item.shortVersionString = attribute(ns, QStringLiteral("shortVersionString"));
                item.minimumSystemVersion = attribute(ns, QStringLiteral("minimumSystemVersion"));
                skip();
            } else if (ours && name == u"version") {
                elementVersion = text();
            } else if (ours && name == u"shortVersionString") {
                elementShortVersion = text();
            } else if (ours && name == u"minimumSystemVersion") {
                elementMinimumSystem = text();
            } else if (ours && name == u"releaseNotesLink") {
                item.releaseNotesUrl = webUrl(text());
            } else if (ours && name == u"channel") {
                // Items of a named channel (betas and the like) are for those who opted in.
                otherChannel = !text().isEmpty();
            } else {
                skip();
            }
        }
        if (item.version.isEmpty()) {
            item.version = elementVersion;
        }
        if (item.shortVersionString.isEmpty()) {
            item.shortVersionString = elementShortVersion;
        }
        if (item.minimumSystemVersion.isEmpty()) {
            item.minimumSystemVersion = elementMinimumSystem;
        }
        if (!otherChannel && !item.version.isEmpty() && !item.downloadPage().isEmpty()) {
            items.append(item);
        }
    }

    QXmlStreamReader xml_;
    bool empty_;
    bool dtdSeen_ = false;
    bool tooLong_ = false;
};

}  // namespace

AppcastParseResult Appcast::parse(const QByteArray& xml) {
    return FeedReader(xml).read();
}

std::optional<AppcastItem> Appcast::newestUpdate(const QList<AppcastItem>& items,
                                                 const QString& currentVersion) {
    std::optional<AppcastItem> newest;
    for (const AppcastItem& item : items) {
        if (VersionComparator::compare(item.version, currentVersion) <= 0) {
            continue;
        }
        if (!newest || VersionComparator::compare(item.version, newest->version) > 0) {
            newest = item;
        }
    }
    return newest;
}

}  // namespace hushpane
