#include "app/CommandLine.h"
#include "app/UrlCommand.h"

#include <gtest/gtest.h>

using namespace hushpane;

TEST(CommandLine, AcceptsHushpaneCommandsInTheirOrder) {
    const auto ok =
        CommandLine::parse({QStringLiteral("hushpane://hide"), QStringLiteral("HUSHPANE://Show"),
                            QStringLiteral("hushpane://settings/x?y")});
    EXPECT_EQ(ok.action, CommandLine::Action::run);
    ASSERT_EQ(ok.urls.size(), 3);
    EXPECT_EQ(urlCommand(ok.urls[0]), UrlCommand::hide);
    EXPECT_EQ(urlCommand(ok.urls[1]), UrlCommand::show);
    EXPECT_EQ(urlCommand(ok.urls[2]), UrlCommand::settings);

    const auto none = CommandLine::parse({});
    EXPECT_EQ(none.action, CommandLine::Action::run);  // start, or reopen the running one
    EXPECT_TRUE(none.urls.isEmpty());
}

TEST(CommandLine, RefusesTheWholeLineForOneBadArgument) {
    const struct {
        const char* argument;
        const char* says;
    } cases[] = {
        {"hushpane://hid", "\"hushpane://hid\" is not a Hushpane command"},
        {"hushpane://quit", "is not a Hushpane command"},
        {"hushpane:", "is not a Hushpane command"},
        {"https://example.org", "is not a Hushpane command"},
        {"hide", "\"hide\" is not a URL"},
        {"/tmp/picture.png", "is not a URL"},
        {"", "is not a URL"},
        {"hushpane:// hide", "is not a URL"},
        {"--hide", "unknown option \"--hide\""},
    };
    for (const auto& c : cases) {
        const auto refused =
            CommandLine::parse({QStringLiteral("hushpane://hide"), QString::fromUtf8(c.argument)});
        EXPECT_EQ(refused.action, CommandLine::Action::refuse) << c.argument;
        EXPECT_TRUE(refused.error.startsWith(QStringLiteral("hushpane: "))) << c.argument;
        EXPECT_TRUE(refused.error.contains(QString::fromUtf8(c.says)))
            << c.argument << ": " << refused.error.toStdString();
        EXPECT_TRUE(refused.error.contains(QStringLiteral("hushpane --help")));
        EXPECT_TRUE(refused.urls.isEmpty()) << c.argument;  // nothing is half-done
    }
}

TEST(CommandLine, HelpAndVersionWinOverEverythingElse) {
    for (const char* flag : {"--help", "-h"}) {
        EXPECT_EQ(CommandLine::parse({QStringLiteral("hide"), QString::fromLatin1(flag)}).action,
                  CommandLine::Action::showHelp);
    }
    for (const char* flag : {"--version", "-v"}) {
        EXPECT_EQ(CommandLine::parse({QString::fromLatin1(flag), QStringLiteral("hushpane://hide")})
                      .action,
                  CommandLine::Action::showVersion);
    }
    const QString help = CommandLine::helpText();
    for (const char* named : {"hushpane://hide", "hushpane://show", "hushpane://toggle",
                              "hushpane://settings", "--help", "--version", "hushpane(1)"}) {
        EXPECT_TRUE(help.contains(QString::fromLatin1(named))) << named;
    }
    for (const QString& line : help.split(u'\n')) {
        EXPECT_LE(line.size(), 80) << line.toStdString();  // fits a terminal
    }
    EXPECT_EQ(CommandLine::versionText(),
              QStringLiteral("Hushpane " HUSHPANE_EXPECTED_VERSION "\n"));
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
