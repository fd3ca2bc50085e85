#include "update/Appcast.h"
#include "update/VersionComparator.h"

#include "UpdateTestDoubles.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace hushpane;
using hushpane::test::appcastFeed;

namespace {

int cmp(const char* a, const char* b) {
    return VersionComparator::compare(QString::fromLatin1(a), QString::fromLatin1(b));
}

}  // namespace

TEST(VersionComparator, OrdersDottedVersionsByNumberNotByText) {
    EXPECT_LT(cmp("1.9", "1.10"), 0);
    EXPECT_GT(cmp("2.0", "1.99.99"), 0);
    EXPECT_LT(cmp("0.1.0", "0.1.1"), 0);
    EXPECT_GT(cmp("10", "9"), 0);
    EXPECT_LT(cmp("1.0.9", "1.1"), 0);
    // Digits beyond any integer type still compare.
    EXPECT_LT(cmp("1.99999999999999999999", "1.100000000000000000000"), 0);
}

TEST(VersionComparator, TreatsMissingZerosAndLeadingZerosAsTheSameVersion) {
    EXPECT_EQ(cmp("1.0", "1.0.0"), 0);
    EXPECT_EQ(cmp("1", "1.0"), 0);
    EXPECT_EQ(cmp("1.02", "1.2"), 0);
    EXPECT_EQ(cmp(" 1.2 ", "1.2"), 0);
    EXPECT_GT(cmp("1.0.1", "1.0"), 0);
}

TEST(VersionComparator, PutsPreReleasesBeforeTheirRelease) {
    EXPECT_LT(cmp("1.0b1", "1.0"), 0);
    EXPECT_LT(cmp("1.0-beta", "1.0"), 0);
    EXPECT_LT(cmp("1.0b1", "1.0b2"), 0);
    EXPECT_LT(cmp("1.0a3", "1.0b1"), 0);
    EXPECT_GT(cmp("1.0.1", "1.0b5"), 0);
    EXPECT_GT(cmp("1.1b1", "1.0"), 0);
}

TEST(VersionComparator, IsAntisymmetric) {
    const char* versions[] = {"", "0", "1", "1.0b1", "1.0", "1.0.1", "1.1", "2.0rc1", "2.0", "abc"};
    for (const char* a : versions) {
        for (const char* b : versions) {
            EXPECT_EQ(cmp(a, b), -cmp(b, a)) << a << " vs " << b;
        }
    }
}

TEST(Appcast, ReadsItemsFromEnclosureAttributesAndFromElements) {
    const QByteArray xml =
        "<rss version=\"2.0\" xmlns:s=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">"
        "<channel><title>x</title>"
        "<item><title>One</title><link>https://example.org/one</link>"
        "<s:releaseNotesLink>https://example.org/notes/1</s:releaseNotesLink>"
        "<pubDate>Tue, 01 Dec 2026 09:30:00 +0000</pubDate>"
        "<enclosure url=\"https://example.org/one.tgz\" s:version=\"101\""
        " s:shortVersionString=\"1.0.1\" s:minimumSystemVersion=\"15.0\"/></item>"
        "<item><title>Two</title><s:version>102</s:version>"
        "<s:shortVersionString>1.0.2</s:shortVersionString>"
        "<s:minimumSystemVersion>14.0</s:minimumSystemVersion>"
        "<enclosure url=\"https://example.org/two.tgz\"/></item>"
        "</channel></rss>";
    const AppcastParseResult feed = Appcast::parse(xml);
    ASSERT_TRUE(feed.ok()) << feed.error.toStdString();
    ASSERT_EQ(feed.items.size(), 2);

    const AppcastItem& one = feed.items[0];
    EXPECT_EQ(one.title, u"One");
    EXPECT_EQ(one.version, u"101");
    EXPECT_EQ(one.displayVersion(), u"1.0.1");
    EXPECT_EQ(one.minimumSystemVersion, u"15.0");
    EXPECT_EQ(one.releaseNotesUrl, QUrl(QStringLiteral("https://example.org/notes/1")));
    EXPECT_EQ(one.downloadPage(), QUrl(QStringLiteral("https://example.org/one")));
    EXPECT_EQ(one.publicationDate, QDateTime(QDate(2026, 12, 1), QTime(9, 30), QTimeZone::utc()));

    const AppcastItem& two = feed.items[1];
    EXPECT_EQ(two.version, u"102");
    EXPECT_EQ(two.displayVersion(), u"1.0.2");
    EXPECT_EQ(two.minimumSystemVersion, u"14.0");
    // Without a page of its own the download page is the enclosure.
    EXPECT_EQ(two.downloadPage(), QUrl(QStringLiteral("https://example.org/two.tgz")));
}

TEST(Appcast, LeavesOutItemsThatCannotBeOfferedSafely) {
    const QByteArray xml =
        "<rss version=\"2.0\" "
        "xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">"
        "<channel>"
        // no version
        "<item><link>https://example.org/a</link><enclosure url=\"https://example.org/a\"/></item>"
        // only links the browser must not be handed
        "<item><link>javascript:alert(1)</link>"
        "<enclosure url=\"file:///etc/passwd\" sparkle:version=\"9\"/></item>"
        // a beta channel
        "<item><sparkle:channel>beta</sparkle:channel>"
        "<enclosure url=\"https://example.org/b\" sparkle:version=\"8\"/></item>"
        // the version in a foreign namespace is not ours
        "<item xmlns:other=\"urn:other\"><enclosure url=\"https://example.org/c\" "
        "other:version=\"7\"/></item>"
        // the one good item, whose release notes link is not a web address
        "<item><sparkle:releaseNotesLink>ftp://example.org/n</sparkle:releaseNotesLink>"
        "<enclosure url=\"https://example.org/ok\" sparkle:version=\"2\"/></item>"
        "</channel></rss>";
    const AppcastParseResult feed = Appcast::parse(xml);
    ASSERT_TRUE(feed.ok()) << feed.error.toStdString();
    ASSERT_EQ(feed.items.size(), 1);
    EXPECT_EQ(feed.items[0].version, u"2");
    EXPECT_TRUE(feed.items[0].releaseNotesUrl.isEmpty());
}

TEST(Appcast, RejectsBrokenAndHostileDocumentsWithASentence) {
    const QByteArray bomb =
        "<?xml version=\"1.0\"?>\n"
        "<!DOCTYPE rss [\n"
        " <!ENTITY a "
        "\"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">\n"
        " <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
        " <!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
        " <!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">\n"
        " <!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">\n"
        " <!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">\n"
        " <!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">\n"
        "]>\n"
        "<rss version=\"2.0\"><channel><item><title>&g;</title></item></channel></rss>";
    const QByteArray external =
        "<?xml version=\"1.0\"?><!DOCTYPE rss SYSTEM \"file:///etc/passwd\">"
        "<rss version=\"2.0\"><channel/></rss>";
    struct Case {
        const char* name;
        QByteArray xml;
        const char* errorStart;
    } cases[] = {
        {"entity bomb", bomb, "The update feed contains a document type declaration"},
        {"external DTD", external, "The update feed contains a document type declaration"},
        {"mismatched tags", "<rss><channel><item></channel></rss>",
         "The update feed is not valid XML (line 1"},
        {"garbage after the root", "<rss><channel/></rss><rss/>",
         "The update feed is not valid XML"},
        {"truncated", "<rss version=\"2.0\"><channel><item><title>1.0",
         "The update feed ends too early."},
        {"empty", "", "The update feed is empty."},
        {"HTML page", "<html><body>Sorry</body></html>", "The update feed is not an RSS feed."},
        {"undeclared entity", "<rss><channel><title>&nope;</title></channel></rss>",
         "The update feed is not valid XML"},
        {"huge field",
         "<rss><channel><item><title>" + QByteArray(100000, 'x') +
             "</title></item></channel></rss>",
         "The update feed contains a field that is far too long."},
    };
    for (const Case& c : cases) {
        const AppcastParseResult feed = Appcast::parse(c.xml);
        EXPECT_FALSE(feed.ok()) << c.name;
        EXPECT_TRUE(feed.items.isEmpty()) << c.name;
        EXPECT_TRUE(feed.error.startsWith(QLatin1String(c.errorStart)))
            << c.name << ": " << feed.error.toStdString();
    }
}

TEST(Appcast, NewestUpdateIgnoresOlderAndEqualVersions) {
    const AppcastParseResult feed = Appcast::parse(appcastFeed({{"1.1.0", "1.1"},
                                                                {"1.3.0", "1.3"},
                                                                {"1.2.9", "1.2.9"},
                                                                {"1.0", "1.0"},
                                                                {"1.3b2", "1.3 beta 2"}}));
    ASSERT_TRUE(feed.ok());
    const auto newest = Appcast::newestUpdate(feed.items, QStringLiteral("1.2.0"));
    ASSERT_TRUE(newest.has_value());
    EXPECT_EQ(newest->version, u"1.3.0");

    EXPECT_FALSE(Appcast::newestUpdate(feed.items, QStringLiteral("1.3")).has_value());
    EXPECT_FALSE(Appcast::newestUpdate(feed.items, QStringLiteral("2.0")).has_value());
    EXPECT_FALSE(Appcast::newestUpdate({}, QStringLiteral("1.0")).has_value());
}
