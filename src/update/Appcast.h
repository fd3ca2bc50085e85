#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

namespace hushpane {

// One release announced by an appcast feed.
struct AppcastItem {
    QString title;
    QString version;             // the version that is compared
    QString shortVersionString;  // the version people see; may be empty
    QString minimumSystemVersion;
    QUrl downloadUrl;      // the enclosure
    QUrl infoUrl;          // the item's web page
    QUrl releaseNotesUrl;  // may be empty
    QDateTime publicationDate;

    QString displayVersion() const {
        return shortVersionString.isEmpty() ? version : shortVersionString;
    }
    // Where the browser goes to get it: the item's page when it has one, else the enclosure.
    QUrl downloadPage() const { return infoUrl.isEmpty() ? downloadUrl : infoUrl; }
};

struct AppcastParseResult {
    QList<AppcastItem> items;
    QString error;  // a sentence for people; empty when the feed was read
    bool ok() const { return error.isEmpty(); }
};

// An RSS 2.0 feed whose items carry their version and download in the appcast namespace.
class Appcast {
public:
    static constexpr auto kNamespace = "http://www.andymatuschak.org/xml-namespaces/sparkle";

    // Reads a whole feed. Documents with a DTD are refused outright: a feed has no use for
    // one, and entity declarations are how hostile XML blows up memory. Items without a
    // version or without a web link (http or https) are left out.
    static AppcastParseResult parse(const QByteArray& xml);

    // The newest item that is newer than `currentVersion`, if any.
    static std::optional<AppcastItem> newestUpdate(const QList<AppcastItem>& items,
                                                   const QString& currentVersion);
};

}  // namespace hushpane
