#include "backends/http/HttpFeedFetcher.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "update/AppcastUpdateService.h"
#include "update/FeedFetcherLoader.h"

#include "LoopbackHttpServer.h"
#include "UpdateTestDoubles.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>

#include <gtest/gtest.h>

using namespace hushpane;
using namespace hushpane::test;
using Kind = UpdatePresentation::Kind;

namespace {

const QString kAutoKey = QString::fromLatin1(AppcastUpdateService::kAutomaticChecksKey);
const QString kLastKey = QString::fromLatin1(AppcastUpdateService::kLastCheckTimeKey);

class UpdateServiceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.isListening()); }

    // Short limits so the failure cases end quickly; the first scheduled check is far away
    // unless a test brings it closer.
    AppcastUpdateServiceOptions options(const QUrl& feed) {
        AppcastUpdateServiceOptions o;
        o.feedUrl = feed;
        o.limits.transferTimeout = std::chrono::milliseconds(500);
        o.limits.totalTimeout = std::chrono::milliseconds(2000);
        o.limits.maxRedirects = 3;
        o.limits.maxBodyBytes = 64 * 1024;
        o.firstCheckDelay = std::chrono::minutes(10);
        o.clock = [this] { return clock; };
        o.makeFetcher = [](const FeedFetchLimits& limits, QString*) {
            return std::make_unique<HttpFeedFetcher>(limits);
        };
        auto p = std::make_unique<RecordingPresenter>();
        presenter = p.get();
        o.presenter = std::move(p);
        auto n = std::make_unique<RecordingNotifier>();
        notifier = n.get();
        o.notifier = std::move(n);
        return o;
    }

    AppcastUpdateService& make(const QUrl& feed,
                               const std::function<void(AppcastUpdateServiceOptions&)>& tweak = {},
                               UserDefaults* store = nullptr) {
        AppcastUpdateServiceOptions o = options(feed);
        if (tweak) {
            tweak(o);
        }
        service = std::make_unique<AppcastUpdateService>(store ? *store : defaults,
                                                         QStringLiteral("1.2.0"), std::move(o));
        return *service;
    }

    AppcastUpdateService& started(
        const QUrl& feed, const std::function<void(AppcastUpdateServiceOptions&)>& tweak = {}) {
        make(feed, tweak).start(&delegate);
        return *service;
    }

    // Runs one user-started check and returns what it showed.
    UpdatePresentation check() {
        const qsizetype before = presenter->shown.size();
        service->checkForUpdates();
        EXPECT_TRUE(waitUntil([&] { return presenter->shown.size() > before; }))
            << "the check showed nothing";
        return presenter->shown.isEmpty() ? UpdatePresentation{} : presenter->shown.last();
    }

    bool anyTimerRunning() const {
        const auto timers = service->findChildren<QTimer*>();
        return std::any_of(timers.begin(), timers.end(), [](QTimer* t) { return t->isActive(); });
    }

    LoopbackHttpServer server;
    InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    RecordingDelegate delegate;
    RecordingPresenter* presenter = nullptr;
    RecordingNotifier* notifier = nullptr;
    QDateTime clock = QDateTime(QDate(2026, 12, 9), QTime(8, 0), QTimeZone::utc());
    std::unique_ptr<AppcastUpdateService> service;
};

TEST_F(UpdateServiceTest, UpToDateWhenOnlyOlderAndEqualVersionsAreOffered) {
    server.serve(
        QStringLiteral("/feed"),
        appcastFeed({{"1.0", "1.0"}, {"1.2.0", "1.2.0"}, {"1.2", "1.2"}, {"1.1.9", "1.1.9"}}));
    started(server.url(QStringLiteral("/feed")));

    const UpdatePresentation shown = check();
    EXPECT_EQ(shown.kind, Kind::UpToDate);
    EXPECT_EQ(shown.heading, u"You're up to date.");
    EXPECT_EQ(shown.detail, u"Hushpane 1.2.0 is the newest version available.");
    EXPECT_TRUE(delegate.willHandleCalls.isEmpty());
    EXPECT_EQ(server.requests(), QList<QString>{QStringLiteral("/feed")});
}

TEST_F(UpdateServiceTest, OffersTheNewestNewerVersionWithItsPages) {
    server.serve(
        QStringLiteral("/feed"),
        appcastFeed({{"1.2.1", "1.2.1"}, {"1.10.0", "1.10"}, {"1.9.0", "1.9"}, {"1.0", "1.0"}}));
    started(server.url(QStringLiteral("/feed")));

    const UpdatePresentation shown = check();
    EXPECT_EQ(shown.kind, Kind::UpdateAvailable);
    EXPECT_EQ(shown.heading, u"A new version of Hushpane is available.");
    EXPECT_TRUE(shown.detail.startsWith(u"Hushpane 1.10 is available; you have 1.2.0."))
        << shown.detail.toStdString();
    EXPECT_EQ(shown.downloadPage, QUrl(QStringLiteral("https://hushpane.app/download/1.10.0")));
    EXPECT_EQ(shown.releaseNotesUrl, QUrl(QStringLiteral("https://hushpane.app/notes/1.10.0")));
    // The application comes to the front for it.
    EXPECT_EQ(delegate.willHandleCalls, QList<bool>{true});
    EXPECT_TRUE(notifier->notifications.isEmpty());
}

TEST_F(UpdateServiceTest, FailuresAreShownAsSentencesAndTheServiceRecovers) {
    domain.values.insert(kAutoKey, false);  // answered: the starts below ask nothing
    server.serve(QStringLiteral("/malformed"),
                 QByteArray("<rss version=\"2.0\"><channel><item></channel></rss>"));
    server.serve(QStringLiteral("/error"), QByteArray("oops"), 500);
    server.serve(QStringLiteral("/bomb"),
                 QByteArray("<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">"
                            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                            "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                            "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]>"
                            "<rss><channel><title>&d;&d;&d;&d;</title></channel></rss>"));
    server.serve(QStringLiteral("/silent"), {LoopbackHttpServer::Mode::Silent, 200, {}, {}});
    server.serve(QStringLiteral("/endless"),
                 {LoopbackHttpServer::Mode::Endless, 200, "<rss version=\"2.0\"><channel>", {}});
    server.serve(QStringLiteral("/trickle"), {LoopbackHttpServer::Mode::Trickle, 200, "<rss>", {}});
    server.serve(QStringLiteral("/huge"), QByteArray(200 * 1024, ' '));
    server.redirect(QStringLiteral("/loop"), QStringLiteral("/loop"));
    QTcpServer closed;  // a port that was free a moment ago and has nobody listening
    closed.listen(QHostAddress::LocalHost, 0);
    const quint16 closedPort = closed.serverPort();
    closed.close();

    struct Case {
        QString path;
        QString detailStart;
    } cases[] = {
        {QStringLiteral("/malformed"), QStringLiteral("The update feed is not valid XML (line 1")},
        {QStringLiteral("/missing"),
         QStringLiteral("The update server answered with HTTP error 404 (Not Found).")},
        {QStringLiteral("/error"),
         QStringLiteral("The update server answered with HTTP error 500")},
        {QStringLiteral("/bomb"),
         QStringLiteral("The update feed contains a document type declaration")},
        {QStringLiteral("/silent"), QStringLiteral("The update server did not answer in time.")},
        {QStringLiteral("/endless"),
         QStringLiteral("The update server sent more data than an update feed can hold")},
        {QStringLiteral("/huge"),
         QStringLiteral("The update server sent more data than an update feed can hold")},
        {QStringLiteral("/trickle"), QStringLiteral("The update server took too long")},
        {QStringLiteral("/loop"), QStringLiteral("The update server redirected too many times.")},
        {QStringLiteral("refused"), QStringLiteral("Could not connect to the update server")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QUrl url = c.path == u"refused"
                             ? QUrl(QStringLiteral("http://127.0.0.1:%1/feed").arg(closedPort))
                             : server.url(c.path);
        started(url);
        ASSERT_TRUE(waitUntil([&] { return service->canCheckForUpdates(); }));
        const UpdatePresentation shown = check();
        EXPECT_EQ(shown.kind, Kind::Failed);
        EXPECT_EQ(shown.heading, u"Couldn't check for updates.");
        EXPECT_TRUE(shown.detail.startsWith(c.detailStart)) << shown.detail.toStdString();
        EXPECT_TRUE(service->canCheckForUpdates());
        EXPECT_FALSE(service->isChecking());
    }
    // The size cap, not the server's own bound, ended the endless feed.
    EXPECT_LT(server.streamedBytes(), 8 * 1024 * 1024);
    // A redirect loop is cut after the allowed number of hops.
    EXPECT_EQ(server.requests().count(QStringLiteral("/loop")), 4);
    EXPECT_TRUE(delegate.willHandleCalls.isEmpty());
}

TEST_F(UpdateServiceTest, FollowsRedirectsWithinTheLimit) {
    server.redirect(QStringLiteral("/old"), QStringLiteral("/older"), 301);
    server.redirect(QStringLiteral("/older"), server.url(QStringLiteral("/feed")).toString());
    server.serve(QStringLiteral("/feed"), appcastFeed({{"2.0", "2.0"}}));
    started(server.url(QStringLiteral("/old")));

    EXPECT_EQ(check().kind, Kind::UpdateAvailable);
    EXPECT_EQ(server.requests(), (QList<QString>{QStringLiteral("/old"), QStringLiteral("/older"),
                                                 QStringLiteral("/feed")}));
}

TEST_F(UpdateServiceTest, TheDownloaderPluginIsLoadedOnTheFirstCheckOnly) {
    server.serve(QStringLiteral("/feed"), appcastFeed({{"1.2.0", "1.2.0"}}));
    int loads = 0;
    started(server.url(QStringLiteral("/feed")), [&loads](AppcastUpdateServiceOptions& o) {
        o.makeFetcher = [&loads](const FeedFetchLimits& limits, QString* error) {
            ++loads;
            return loadFeedFetcher({QStringLiteral(HUSHPANE_TEST_PLUGIN_DIR)}, limits, error);
        };
    });
    EXPECT_EQ(loads, 0);
    EXPECT_EQ(check().kind, Kind::UpToDate);
    EXPECT_EQ(check().kind, Kind::UpToDate);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(server.requests().size(), 2);
}

TEST_F(UpdateServiceTest, AMissingOrBrokenDownloaderFailsTheCheckWithASentence) {
    const QString missing = QStringLiteral(
        "The update downloader (hushpane-http-feed-fetcher.so) couldn't be loaded: it is not "
        "installed.");
    QTemporaryDir empty;
    QTemporaryDir broken;
    QFile junk(broken.filePath(QStringLiteral("hushpane-http-feed-fetcher.so")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a shared library");
    junk.close();

    QString error;
    EXPECT_EQ(loadFeedFetcher({empty.path()}, {}, &error), nullptr);
    EXPECT_EQ(error, missing);
    EXPECT_EQ(loadFeedFetcher({broken.path()}, {}, &error), nullptr);
    EXPECT_TRUE(
        error.startsWith(u"The update downloader (hushpane-http-feed-fetcher.so) couldn't "
                         u"be loaded: "));
    EXPECT_NE(error, missing);
    // A broken copy is passed over for a good one further on.
    EXPECT_NE(
        loadFeedFetcher({broken.path(), QStringLiteral(HUSHPANE_TEST_PLUGIN_DIR)}, {}, &error),
        nullptr);

    server.serve(QStringLiteral("/feed"), appcastFeed({{"1.2.0", "1.2.0"}}));
    started(server.url(QStringLiteral("/feed")),
            [dir = empty.path()](AppcastUpdateServiceOptions& o) {
                o.makeFetcher = [dir](const FeedFetchLimits& limits, QString* e) {
                    return loadFeedFetcher({dir}, limits, e);
                };
            });
    const UpdatePresentation shown = check();
    EXPECT_EQ(shown.kind, Kind::Failed);
    EXPECT_EQ(shown.heading, u"Couldn't check for updates.");
    EXPECT_EQ(shown.detail, missing);
    EXPECT_TRUE(service->canCheckForUpdates());
    EXPECT_TRUE(service->lastCheckTime());
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(UpdateServiceTest, CanCheckIsFalseWhileACheckRunsAndTrueAfter) {
    server.serve(QStringLiteral("/trickle"), {LoopbackHttpServer::Mode::Trickle, 200, "<rss>", {}});
    make(server.url(QStringLiteral("/trickle")));
    QSignalSpy reports(service.get(), &UpdateService::canCheckForUpdatesReported);
    EXPECT_FALSE(service->canCheckForUpdates()) << "nothing is accepted before start()";

    service->start(&delegate);
    EXPECT_TRUE(reports.isEmpty()) << "the first value comes after the caller's turn";
    ASSERT_TRUE(reports.wait(2000));
    EXPECT_EQ(reports.takeFirst().at(0).toBool(), true);

    service->checkForUpdates();
    EXPECT_FALSE(service->canCheckForUpdates());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports.takeFirst().at(0).toBool(), false);
    service->checkForUpdates();  // refused while the first one runs
    QTest::qWait(100);
    EXPECT_TRUE(service->isChecking());

    ASSERT_TRUE(waitUntil([&] { return !presenter->shown.isEmpty(); }));
    EXPECT_TRUE(service->canCheckForUpdates());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports.takeFirst().at(0).toBool(), true);
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_EQ(presenter->shown.size(), 1);
}

TEST_F(UpdateServiceTest, WithoutAFeedNothingChecksAndNothingWaits) {
    started(QUrl());
    QSignalSpy reports(service.get(), &UpdateService::canCheckForUpdatesReported);
    ASSERT_TRUE(reports.wait(2000));
    EXPECT_EQ(reports.takeFirst().at(0).toBool(), false);
    EXPECT_TRUE(service->sourceDescription().isEmpty());
    EXPECT_FALSE(service->nextScheduledCheck().has_value());
    EXPECT_FALSE(anyTimerRunning());
    service->checkForUpdates();
    QTest::qWait(50);
    EXPECT_TRUE(presenter->shown.isEmpty());

    started(QUrl(QStringLiteral("ftp://example.org/feed.xml")));
    EXPECT_FALSE(service->canCheckForUpdates());
}

TEST_F(UpdateServiceTest, DescribesTheSourceByItsHost) {
    EXPECT_EQ(started(server.url(QStringLiteral("/feed"))).sourceDescription(), u"127.0.0.1");
    // The build's own feed.
    EXPECT_EQ(AppcastUpdateService::defaultFeedUrl().scheme(), u"https");
    EXPECT_FALSE(AppcastUpdateService::defaultFeedUrl().host().isEmpty());
}

TEST_F(UpdateServiceTest, AutomaticSettingIsWrittenAndAnnouncedOnEveryWrite) {
    make(server.url(QStringLiteral("/feed")));
    EXPECT_FALSE(service->automaticallyChecksForUpdates()) << "off until the user chose";
    QSignalSpy changes(&defaults, &UserDefaults::valueChanged);

    service->setAutomaticallyChecksForUpdates(true);
    service->setAutomaticallyChecksForUpdates(true);
    service->setAutomaticallyChecksForUpdates(false);
    EXPECT_EQ(changes.size(), 3);
    for (const auto& args : changes) {
        EXPECT_EQ(args.at(0).toString(), kAutoKey);
    }
    EXPECT_EQ(domain.stored.value(kAutoKey), QVariant(false));
    EXPECT_FALSE(service->automaticallyChecksForUpdates());
}

TEST_F(UpdateServiceTest, MistypedStoredSettingsReadAsDefaultsAndAreKept) {
    domain.values.insert(kAutoKey, QStringLiteral("maybe"));
    domain.values.insert(kLastKey, QStringLiteral("yesterday"));
    started(server.url(QStringLiteral("/feed")));
    EXPECT_FALSE(service->automaticallyChecksForUpdates()) << "no choice made";
    EXPECT_FALSE(service->lastCheckTime().has_value());
    EXPECT_FALSE(service->nextScheduledCheck().has_value());
    EXPECT_EQ(domain.values.value(kAutoKey), QVariant(QStringLiteral("maybe")));
    EXPECT_EQ(domain.values.value(kLastKey), QVariant(QStringLiteral("yesterday")));
}

TEST_F(UpdateServiceTest, SettingAndLastCheckTimeSurviveARestart) {
    server.serve(QStringLiteral("/feed"), appcastFeed({{"1.0", "1.0"}}));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("app.hushpane.plist"));
    const QDateTime checkedAt = clock;
    {
        PlistPreferenceDomain plist(QStringLiteral("app.hushpane"), file);
        UserDefaults stored(plist);
        make(server.url(QStringLiteral("/feed")), {}, &stored).start(&delegate);
        service->setAutomaticallyChecksForUpdates(false);
        EXPECT_EQ(check().kind, Kind::UpToDate);
        service.reset();
    }
    clock = clock.addSecs(3 * 3600);  // started again three hours later
    PlistPreferenceDomain plist(QStringLiteral("app.hushpane"), file);
    UserDefaults stored(plist);
    make(server.url(QStringLiteral("/feed")), {}, &stored).start(&delegate);
    EXPECT_FALSE(service->automaticallyChecksForUpdates());
    ASSERT_TRUE(service->lastCheckTime().has_value());
    EXPECT_EQ(service->lastCheckTime()->toSecsSinceEpoch(), checkedAt.toSecsSinceEpoch());
    EXPECT_FALSE(service->nextScheduledCheck().has_value());

    service->setAutomaticallyChecksForUpdates(true);
    // Due a day after the last check, not at once.
    ASSERT_TRUE(service->nextScheduledCheck().has_value());
    EXPECT_EQ(service->nextScheduledCheck()->toSecsSinceEpoch(),
              checkedAt.addDays(1).toSecsSinceEpoch());
    service.reset();
    EXPECT_EQ(server.requests().size(), 1);
}

TEST_F(UpdateServiceTest, SchedulesFromTheLastCheckButNeverRightAtLaunch) {
    const QUrl feed = server.url(QStringLiteral("/feed"));
    struct Case {
        const char* name;
        std::optional<QDateTime> lastCheck;
        QDateTime expected;
    } cases[] = {
        {"never checked", std::nullopt, clock.addSecs(600)},
        {"checked two hours ago", clock.addSecs(-2 * 3600), clock.addSecs(22 * 3600)},
        {"checked three days ago", clock.addDays(-3), clock.addSecs(600)},
        {"checked just before launch", clock.addSecs(-60 * 60 * 24 + 60), clock.addSecs(600)},
        {"last check in the future", clock.addDays(2), clock.addSecs(600)},
    };
    domain.values.insert(kAutoKey, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        domain.values.remove(kLastKey);
        if (c.lastCheck) {
            domain.values.insert(kLastKey, *c.lastCheck);
        }
        make(feed);
        EXPECT_FALSE(service->nextScheduledCheck().has_value()) << "nothing before start()";
        service->start(&delegate);
        EXPECT_EQ(service->nextScheduledCheck(), c.expected);
        EXPECT_TRUE(anyTimerRunning());
    }
}

TEST_F(UpdateServiceTest, NoTimerRunsWhileAutomaticChecksAreOff) {
    domain.values.insert(kAutoKey, false);
    started(server.url(QStringLiteral("/feed")));
    EXPECT_FALSE(service->nextScheduledCheck().has_value());
    EXPECT_FALSE(anyTimerRunning());

    service->setAutomaticallyChecksForUpdates(true);
    EXPECT_TRUE(service->nextScheduledCheck().has_value());
    EXPECT_TRUE(anyTimerRunning());

    service->setAutomaticallyChecksForUpdates(false);
    EXPECT_FALSE(service->nextScheduledCheck().has_value());
    EXPECT_FALSE(anyTimerRunning());
}

// Nothing is checked on a schedule before the user said so: not at the first start, which
// asks nothing; the second asks once, and the answer is kept. A question closed without an
// answer is asked again at the next start; a choice made in the settings is never asked about.
TEST_F(UpdateServiceTest, AsksAtTheSecondStartAndKeepsTheAnswer) {
    const QUrl feed = server.url(QStringLiteral("/feed"));
    const auto startAgain = [&] {
        make(feed).start(&delegate);
        QCoreApplication::processEvents();  // the question comes a turn after start()
    };
    for (const bool answer : {true, false}) {
        SCOPED_TRACE(answer);
        domain.values.clear();
        delegate.willHandleCalls.clear();
        startAgain();
        EXPECT_EQ(presenter->questions, 0) << "the first start asks nothing";
        EXPECT_FALSE(service->nextScheduledCheck().has_value());
        EXPECT_FALSE(anyTimerRunning());

        startAgain();
        ASSERT_EQ(presenter->questions, 1);
        EXPECT_EQ(delegate.willHandleCalls, QList<bool>{true}) << "the question comes forward";
        EXPECT_FALSE(service->nextScheduledCheck().has_value()) << "nothing before the answer";
        QSignalSpy changed(service.get(), &UpdateService::automaticallyChecksForUpdatesChanged);
        presenter->pendingAnswer(answer);
        EXPECT_EQ(changed.size(), 1);
        EXPECT_EQ(domain.values.value(kAutoKey), QVariant(answer));
        EXPECT_EQ(service->nextScheduledCheck().has_value(), answer);

        startAgain();
        EXPECT_EQ(presenter->questions, 0) << "asked once";
    }

    // Closed without an answer: asked again. Chosen in the settings: never asked.
    domain.values.clear();
    startAgain();
    startAgain();
    ASSERT_EQ(presenter->questions, 1);
    startAgain();
    EXPECT_EQ(presenter->questions, 1);
    service->setAutomaticallyChecksForUpdates(false);
    startAgain();
    EXPECT_EQ(presenter->questions, 0);
    EXPECT_TRUE(server.requests().isEmpty());
}

class ScheduledCheckTest : public UpdateServiceTest {
protected:
    void SetUp() override {
        UpdateServiceTest::SetUp();
        domain.values.insert(kAutoKey, true);  // the user chose automatic checks
    }
    // A service whose first scheduled check comes right after start().
    void startSoon(const QByteArray& feed) {
        server.serve(QStringLiteral("/feed"), feed);
        started(server.url(QStringLiteral("/feed")), [](AppcastUpdateServiceOptions& o) {
            o.firstCheckDelay = std::chrono::milliseconds(20);
        });
    }
    bool waitForCheck() {
        return waitUntil([&] { return service->lastCheckTime().has_value(); });
    }
};

TEST_F(ScheduledCheckTest, FoundUpdateBecomesANotificationAndClickingItOpensTheDialog) {
    startSoon(appcastFeed({{"1.3", "1.3"}}));
    ASSERT_TRUE(waitForCheck());
    ASSERT_EQ(notifier->notifications.size(), 1);
    EXPECT_EQ(notifier->notifications[0].first, u"A new version of Hushpane is available.");
    EXPECT_EQ(notifier->notifications[0].second, u"Hushpane 1.3 is ready to download.");
    EXPECT_EQ(delegate.willHandleCalls, QList<bool>{false}) << "a notification steals no focus";
    EXPECT_TRUE(presenter->shown.isEmpty());
    // The next check is a day later.
    EXPECT_EQ(service->nextScheduledCheck(), clock.addDays(1));

    Q_EMIT notifier->activated();
    ASSERT_EQ(presenter->shown.size(), 1);
    EXPECT_EQ(presenter->shown[0].kind, Kind::UpdateAvailable);
    EXPECT_EQ(delegate.willHandleCalls, (QList<bool>{false, true}));
    Q_EMIT notifier->activated();  // once shown, a second click has nothing more to show
    EXPECT_EQ(presenter->shown.size(), 1);
}

TEST_F(ScheduledCheckTest, WithoutANotificationServiceTheDialogShowsIt) {
    startSoon(appcastFeed({{"1.3", "1.3"}}));
    notifier->available = false;
    ASSERT_TRUE(waitForCheck());
    ASSERT_EQ(presenter->shown.size(), 1);
    EXPECT_EQ(presenter->shown[0].kind, Kind::UpdateAvailable);
    EXPECT_EQ(delegate.willHandleCalls, QList<bool>{true});
    EXPECT_TRUE(notifier->notifications.isEmpty());
}

TEST_F(ScheduledCheckTest, AFailedNotificationFallsBackToTheDialog) {
    startSoon(appcastFeed({{"1.3", "1.3"}}));
    ASSERT_TRUE(waitForCheck());
    ASSERT_EQ(notifier->notifications.size(), 1);
    Q_EMIT notifier->failed();
    ASSERT_EQ(presenter->shown.size(), 1);
    EXPECT_EQ(presenter->shown[0].kind, Kind::UpdateAvailable);
}

TEST_F(ScheduledCheckTest, ADelegateWithoutGentleRemindersGetsTheDialog) {
    delegate.gentle = false;
    startSoon(appcastFeed({{"1.3", "1.3"}}));
    ASSERT_TRUE(waitForCheck());
    EXPECT_TRUE(notifier->notifications.isEmpty());
    ASSERT_EQ(presenter->shown.size(), 1);
    EXPECT_EQ(delegate.willHandleCalls, QList<bool>{true});
}

TEST_F(ScheduledCheckTest, NothingNewOrAFailureStaysQuiet) {
    startSoon(appcastFeed({{"1.2", "1.2"}}));
    ASSERT_TRUE(waitForCheck());
    domain.values.remove(kLastKey);
    startSoon("<rss><channel>");
    ASSERT_TRUE(waitForCheck());
    EXPECT_TRUE(presenter->shown.isEmpty());
    EXPECT_TRUE(notifier->notifications.isEmpty());
    EXPECT_TRUE(delegate.willHandleCalls.isEmpty());
    EXPECT_TRUE(service->canCheckForUpdates());
}

TEST_F(ScheduledCheckTest, ATimerThatFiresBeforeTheWallClockTimeWaitsOn) {
    startSoon(appcastFeed({{"1.3", "1.3"}}));
    const auto due = service->nextScheduledCheck();
    clock = clock.addSecs(-3600);  // the clock is set back an hour before the timer fires
    QTest::qWait(300);
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_EQ(service->nextScheduledCheck(), due);
    EXPECT_TRUE(anyTimerRunning());
}

TEST_F(ScheduledCheckTest, AskingDuringAScheduledCheckShowsItsOutcome) {
    server.serve(QStringLiteral("/feed"), {LoopbackHttpServer::Mode::Silent, 200, {}, {}});
    started(server.url(QStringLiteral("/feed")), [](AppcastUpdateServiceOptions& o) {
        o.firstCheckDelay = std::chrono::milliseconds(20);
    });
    ASSERT_TRUE(waitUntil([&] { return service->isChecking(); }));
    EXPECT_FALSE(service->canCheckForUpdates());
    service->checkForUpdates();
    ASSERT_TRUE(waitUntil([&] { return !presenter->shown.isEmpty(); }));
    EXPECT_EQ(presenter->shown[0].kind, Kind::Failed);
    EXPECT_EQ(server.requests().size(), 1);
}

}  // namespace
