#include "app/CommandLine.h"
#include "app/UrlCommand.h"

#include <gtest/gtest.h>

using namespace hushpane;

TEST(CommandLine, AcceptsOnlyUrlsAndKeepsTheirOrder) {
    const auto ok = CommandLine::parse(
        {QStringLiteral("hushpane://hide"), QStringLiteral("HUSHPANE://Show"),
         QStringLiteral("hushpane://quit"), QStringLiteral("https://example.org")});
    EXPECT_TRUE(ok.error.isEmpty());
    ASSERT_EQ(ok.urls.size(), 4);
    EXPECT_EQ(urlCommand(ok.urls[0]), UrlCommand::hide);
    EXPECT_EQ(urlCommand(ok.urls[1]), UrlCommand::show);
    EXPECT_FALSE(urlCommand(ok.urls[2]));
    EXPECT_FALSE(urlCommand(ok.urls[3]));
    EXPECT_TRUE(CommandLine::parse({}).urls.isEmpty());

    for (const char* bad : {"hide", "--help", "/tmp/picture.png", "", "hushpane:// hide"}) {
        const auto refused =
            CommandLine::parse({QStringLiteral("hushpane://hide"), QString::fromLatin1(bad)});
        EXPECT_FALSE(refused.error.isEmpty()) << bad;
        EXPECT_TRUE(refused.urls.isEmpty()) << bad;  // nothing is half-done
    }
}

TEST(UrlCommand, ReadsOnlySchemeAndHostInAnyCase) {
    EXPECT_EQ(urlCommand(QUrl(QStringLiteral("hushpane://toggle"))), UrlCommand::toggle);
    EXPECT_EQ(urlCommand(QUrl(QStringLiteral("Hushpane://SETTINGS/x?y#z"))), UrlCommand::settings);
    EXPECT_EQ(urlCommand(QUrl(QStringLiteral("hushpane://hide/more"))), UrlCommand::hide);
    EXPECT_FALSE(urlCommand(QUrl(QStringLiteral("hushpane:hide"))));
    EXPECT_FALSE(urlCommand(QUrl(QStringLiteral("hushpane:///hide"))));
    EXPECT_FALSE(urlCommand(QUrl(QStringLiteral("hushpanex://hide"))));
    EXPECT_FALSE(urlCommand(QUrl(QStringLiteral("hushpane://hide%20"))));
}
