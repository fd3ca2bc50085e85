#include "update/AppcastUpdateService.h"

#include "common/PluginLoader.h"
#include "common/UserDefaults.h"
#include "update/DesktopNotifier.h"
#include "update/DialogUpdatePresenter.h"
#include "update/FeedFetcherLoader.h"
#include "update/UpdateLogging.h"

#include <QLocale>

#include <algorithm>
#include <limits>

#ifndef HUSHPANE_UPDATE_FEED_URL
#define HUSHPANE_UPDATE_FEED_URL ""
#endif

namespace hushpane {

namespace {

QString key(const char* name) {
    return QString::fromLatin1(name);
}

AppcastUpdateServiceOptions optionsWithFeed(const QUrl& feedUrl) {
    AppcastUpdateServiceOptions options;
    options.feedUrl = feedUrl;
    return options;
}

UpdatePresentation presentation(UpdatePresentation::Kind kind, const QString& heading,
                                const QString& detail) {
    UpdatePresentation p;
    p.kind = kind;
    p.heading = heading;
    p.detail = detail;
    return p;
}

}  // namespace

QUrl AppcastUpdateService::defaultFeedUrl() {
    return QUrl(QString::fromUtf8(HUSHPANE_UPDATE_FEED_URL), QUrl::StrictMode);
}

AppcastUpdateService::AppcastUpdateService(UserDefaults& defaults, QString appVersion,
                                           QObject* parent)
    : AppcastUpdateService(defaults, std::move(appVersion), optionsWithFeed(defaultFeedUrl()),
                           parent) {}

AppcastUpdateService::AppcastUpdateService(UserDefaults& defaults, QString appVersion,
                                           AppcastUpdateServiceOptions options, QObject* parent)
    : UpdateService(parent),
      defaults_(defaults),
      appVersion_(std::move(appVersion)),
      options_(std::move(options)),
      scheduleTimer_(new QTimer(this)) {
    if (!options_.clock) {
        options_.clock = [] { return QDateTime::currentDateTimeUtc(); };
    }
    if (!options_.presenter) {
        options_.presenter = std::make_unique<DialogUpdatePresenter>();
    }
    if (!options_.makeFetcher) {
        options_.makeFetcher = [](const FeedFetchLimits& limits, QString* error) {
            return loadFeedFetcher(pluginDirectories(), limits, error);
        };
    }
    if (!options_.notifier) {
        options_.notifier = std::make_unique<DesktopNotifier>();
    }
    connect(options_.notifier.get(), &UpdateNotifier::activated, this,
            &AppcastUpdateService::showPendingUpdate);
    connect(options_.notifier.get(), &UpdateNotifier::failed, this,
            &AppcastUpdateService::showPendingUpdate);
    scheduleTimer_->setSingleShot(true);
    // A check a little late does not matter; fewer wake-ups do.
    scheduleTimer_->setTimerType(Qt::CoarseTimer);
    connect(scheduleTimer_, &QTimer::timeout, this, &AppcastUpdateService::onScheduledCheckDue);

    const auto stored = defaults_.objectForKey(key(kAutomaticChecksKey));
    if (stored && stored->typeId() != QMetaType::Bool) {
        qCWarning(lcUpdates, "Ignoring the stored %s: it is not a boolean", kAutomaticChecksKey);
    }
    if (!hasFeed()) {
        qCInfo(lcUpdates, "No update feed is configured; update checks are off");
    }
}

AppcastUpdateService::~AppcastUpdateService() = default;

bool AppcastUpdateService::hasFeed() const {
    const QUrl& url = options_.feedUrl;
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (scheme == u"https" || scheme == u"http");
}

QDateTime AppcastUpdateService::now() const {
    return options_.clock().toUTC();
}

void AppcastUpdateService::start(UpdateServiceDelegate* delegate) {
    if (started_) {
        return;
    }
    started_ = true;
    delegate_ = delegate;
    startTime_ = now();
    reschedule();
    if (hasFeed() && !hasAutomaticChecksChoice()) {
        // Nobody is asked at the very first start, only once Hushpane is started again; until
        // the answer nothing is checked on a schedule.
        if (defaults_.boolForKey(key(kHasLaunchedBeforeKey))) {
            QMetaObject::invokeMethod(this, &AppcastUpdateService::askAboutAutomaticChecks,
                                      Qt::QueuedConnection);
        } else {
            defaults_.setBool(key(kHasLaunchedBeforeKey), true);
        }
    }
    // The first value goes out once the caller has connected to the signal.
    QMetaObject::invokeMethod(
        this,
        [this] {
            reportedCanCheck_ = canCheckForUpdates();
            Q_EMIT canCheckForUpdatesReported(reportedCanCheck_);
        },
        Qt::QueuedConnection);
}

bool AppcastUpdateService::canCheckForUpdates() const {
    return started_ && hasFeed() && checking_ == Check::None;
}

bool AppcastUpdateService::hasAutomaticChecksChoice() const {
    const auto stored = defaults_.objectForKey(key(kAutomaticChecksKey));
    return stored && stored->typeId() == QMetaType::Bool;
}

bool AppcastUpdateService::automaticallyChecksForUpdates() const {
    // Until the user chose, nothing is checked without being asked for.
    return hasAutomaticChecksChoice() && defaults_.objectForKey(key(kAutomaticChecksKey))->toBool();
}

void AppcastUpdateService::askAboutAutomaticChecks() {
    if (hasAutomaticChecksChoice()) {
        return;  // chosen in the settings meanwhile
    }
    if (delegate_) {
        delegate_->standardUserDriverWillHandleShowingUpdate(true);
    }
    options_.presenter->askAboutAutomaticChecks([this](bool check) {
        setAutomaticallyChecksForUpdates(check);
        Q_EMIT automaticallyChecksForUpdatesChanged();
    });
}

void AppcastUpdateService::setAutomaticallyChecksForUpdates(bool enabled) {
    // Written every time, also when unchanged: the write is what observers hear about.
    defaults_.setBool(key(kAutomaticChecksKey), enabled);
    reschedule();
}

void AppcastUpdateService::checkForUpdates() {
    if (checking_ == Check::Scheduled) {
        // Someone asked while a scheduled check runs: show them its outcome.
        checking_ = Check::UserInitiated;
        return;
    }
    if (!canCheckForUpdates()) {
        qCInfo(lcUpdates, "Update check not possible now");
        return;
    }
    beginCheck(Check::UserInitiated);
}

QString AppcastUpdateService::sourceDescription() const {
    return hasFeed() ? options_.feedUrl.host() : QString();
}

std::optional<QDateTime> AppcastUpdateService::lastCheckTime() const {
    const auto stored = defaults_.objectForKey(key(kLastCheckTimeKey));
    if (!stored || stored->typeId() != QMetaType::QDateTime || !stored->toDateTime().isValid()) {
        return std::nullopt;
    }
    return stored->toDateTime().toUTC();
}

std::optional<QDateTime> AppcastUpdateService::nextScheduledCheck() const {
    return nextCheck_;
}

void AppcastUpdateService::beginCheck(Check kind) {
    checking_ = kind;
    if (!fetcher_) {
        QString error;
        fetcher_ = options_.makeFetcher(options_.limits, &error);
        if (!fetcher_) {
            // Reported like any failed download, and like one a main-loop turn later.
            reportCanCheck();
            QMetaObject::invokeMethod(
                this, [this, error] { onFetchFinished({}, error); }, Qt::QueuedConnection);
            return;
        }
    }
    // The fetcher belongs to this service and never calls back once it is gone.
    const bool started = fetcher_->fetch(
        options_.feedUrl,
        [this](const QByteArray& body, const QString& error) { onFetchFinished(body, error); });
    if (!started) {
        checking_ = Check::None;
        return;
    }
    qCInfo(lcUpdates, "Checking %s for updates", qUtf8Printable(options_.feedUrl.toString()));
    reportCanCheck();
}

void AppcastUpdateService::onFetchFinished(const QByteArray& body, const QString& fetchError) {
    const Check kind = checking_;
    checking_ = Check::None;
    // Every finished check counts, also a failed one: a broken server is asked again
    // tomorrow, not at every launch.
    defaults_.setObject(key(kLastCheckTimeKey), QVariant(now()));

    QString error = fetchError;
    std::optional<AppcastItem> update;
    if (error.isEmpty()) {
        const AppcastParseResult feed = Appcast::parse(body);
        error = feed.error;
        if (feed.ok()) {
            update = Appcast::newestUpdate(feed.items, appVersion_);
        }
    }
    reportCanCheck();
    reschedule();

    if (!error.isEmpty()) {
        qCWarning(lcUpdates, "Update check failed: %s", qUtf8Printable(error));
    } else if (update) {
        qCInfo(lcUpdates, "Version %s is available", qUtf8Printable(update->displayVersion()));
    } else {
        qCInfo(lcUpdates, "No newer version than %s", qUtf8Printable(appVersion_));
    }

    if (kind == Check::UserInitiated) {
        if (!error.isEmpty()) {
            options_.presenter->present(presentation(UpdatePresentation::Kind::Failed,
                                                     tr("Couldn't check for updates."), error));
        } else if (update) {
            showUpdate(*update);
        } else {
            options_.presenter->present(
                presentation(UpdatePresentation::Kind::UpToDate, tr("You're up to date."),
                             tr("Hushpane %1 is the newest version available.").arg(appVersion_)));
        }
    } else if (kind == Check::Scheduled && update) {
        remindGently(*update);
    }
}

void AppcastUpdateService::reportCanCheck() {
    const bool value = canCheckForUpdates();
    if (value != reportedCanCheck_) {
        reportedCanCheck_ = value;
        Q_EMIT canCheckForUpdatesReported(value);
    }
}

void AppcastUpdateService::reschedule() {
    if (!started_ || !hasFeed() || !automaticallyChecksForUpdates()) {
        scheduleTimer_->stop();
        nextCheck_.reset();
        return;
    }
    const QDateTime current = now();
    const QDateTime earliest =
        startTime_.addMSecs(static_cast<qint64>(options_.firstCheckDelay.count()));
    QDateTime due = earliest;
    // A last check "in the future" means the clock was off; such a time is not trusted.
    if (const auto last = lastCheckTime(); last && *last <= current) {
        due =
            std::max(earliest, last->addMSecs(static_cast<qint64>(options_.checkInterval.count())));
    }
    nextCheck_ = due;
    const qint64 wait = std::max<qint64>(0, current.msecsTo(due));
    scheduleTimer_->start(
        static_cast<int>(std::min<qint64>(wait, std::numeric_limits<int>::max())));
}

void AppcastUpdateService::onScheduledCheckDue() {
    if (checking_ != Check::None) {
        return;  // the running check reschedules when it ends
    }
    // The timer counts elapsed time, the schedule wall-clock time; after the clock was set
    // back the check is not due yet.
    if (nextCheck_ && now().secsTo(*nextCheck_) > 60) {
        reschedule();
        return;
    }
    beginCheck(Check::Scheduled);
    if (checking_ == Check::None) {
        reschedule();
    }
}

UpdatePresentation AppcastUpdateService::updatePresentation(const AppcastItem& item) const {
    QString detail = tr("Hushpane %1 is available; you have %2.")
                         .arg(item.displayVersion(),
                              appVersion_.isEmpty() ? tr("an unknown version") : appVersion_);
    if (item.publicationDate.isValid()) {
        detail += QLatin1Char(' ') +
                  tr("It was released on %1.")
                      .arg(QLocale().toString(item.publicationDate.date(), QLocale::LongFormat));
    }
    UpdatePresentation p = presentation(UpdatePresentation::Kind::UpdateAvailable,
                                        tr("A new version of Hushpane is available."), detail);
    p.releaseNotesUrl = item.releaseNotesUrl;
    p.downloadPage = item.downloadPage();
    return p;
}

void AppcastUpdateService::showUpdate(const AppcastItem& item) {
    pendingUpdate_.reset();
    if (delegate_) {
        delegate_->standardUserDriverWillHandleShowingUpdate(true);
    }
    options_.presenter->present(updatePresentation(item));
}

void AppcastUpdateService::remindGently(const AppcastItem& item) {
    const bool gentle = delegate_ && delegate_->supportsGentleScheduledUpdateReminders();
    if (!gentle || !options_.notifier->isAvailable()) {
        showUpdate(item);
        return;
    }
    pendingUpdate_ = item;
    // The notification is the reminder; nothing of ours comes to the front until it is
    // clicked.
    delegate_->standardUserDriverWillHandleShowingUpdate(false);
    options_.notifier->notify(tr("A new version of Hushpane is available."),
                              tr("Hushpane %1 is ready to download.").arg(item.displayVersion()));
}

void AppcastUpdateService::showPendingUpdate() {
    if (pendingUpdate_) {
        const AppcastItem item = *pendingUpdate_;
        showUpdate(item);
    }
}

}  // namespace hushpane
