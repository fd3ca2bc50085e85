#pragma once

#include "platform/UpdateService.h"
#include "update/Appcast.h"
#include "update/FeedFetcher.h"
#include "update/UpdateNotifier.h"
#include "update/UpdatePresenter.h"

#include <QDateTime>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace hushpane {

class UserDefaults;

// How the service is put together. The defaults are the program's; tests shorten the times
// and bring their own presenter and notifier.
struct AppcastUpdateServiceOptions {
    // The feed fixed at build time; an empty or non-web URL turns checking off.
    QUrl feedUrl;
    FeedFetchLimits limits;
    // The first scheduled check after launch waits this long, whatever is due.
    std::chrono::milliseconds firstCheckDelay{std::chrono::minutes(5)};
    std::chrono::milliseconds checkInterval{std::chrono::hours(24)};
    // Wall-clock time; the persisted last check time is compared with it.
    std::function<QDateTime()> clock;
    // Null: the update dialog and desktop notifications on the session bus.
    std::unique_ptr<UpdatePresenter> presenter;
    std::unique_ptr<UpdateNotifier> notifier;
    // Null: the downloader plugin, loaded on the first check. Returns null with a sentence in
    // `error` when there is no downloader; the check then fails with that sentence.
    std::function<std::unique_ptr<FeedFetcher>(const FeedFetchLimits& limits, QString* error)>
        makeFetcher;
};

// Checks an appcast feed over HTTP(S) on request and once a day, and shows what it found:
// a dialog for checks people start, a desktop notification (or the dialog) for scheduled
// ones. Linux has no self-installation: an update is a link to its download page. Scheduled
// checks start only once the user said so: in the settings, or in the question asked at the
// second start.
class AppcastUpdateService : public UpdateService {
    Q_OBJECT
public:
    // Stored in the application's defaults.
    static constexpr auto kAutomaticChecksKey = "SUEnableAutomaticChecks";
    static constexpr auto kLastCheckTimeKey = "SULastCheckTime";
    // Set at the first start; the next one asks whether to check automatically.
    static constexpr auto kHasLaunchedBeforeKey = "SUHasLaunchedBefore";

    // The feed URL this build was configured with (may be empty).
    static QUrl defaultFeedUrl();

    // `appVersion` is the running program's version, compared with the feed's items.
    AppcastUpdateService(UserDefaults& defaults, QString appVersion,
                         AppcastUpdateServiceOptions options, QObject* parent = nullptr);
    // With the build's feed URL and the program's defaults.
    AppcastUpdateService(UserDefaults& defaults, QString appVersion, QObject* parent = nullptr);
    ~AppcastUpdateService() override;

    void start(UpdateServiceDelegate* delegate) override;
    bool canCheckForUpdates() const override;
    bool automaticallyChecksForUpdates() const override;
    void setAutomaticallyChecksForUpdates(bool enabled) override;
    void checkForUpdates() override;
    // The host the feed comes from, e.g. "hushpane.app".
    QString sourceDescription() const override;

    // When the next scheduled check runs; nothing while automatic checks are off or before
    // start().
    std::optional<QDateTime> nextScheduledCheck() const;
    std::optional<QDateTime> lastCheckTime() const;
    bool isChecking() const { return checking_ != Check::None; }

private:
    enum class Check { None, UserInitiated, Scheduled };

    bool hasFeed() const;
    bool hasAutomaticChecksChoice() const;
    void askAboutAutomaticChecks();
    QDateTime now() const;
    void beginCheck(Check kind);
    void onFetchFinished(const QByteArray& body, const QString& error);
    void reportCanCheck();
    void reschedule();
    void onScheduledCheckDue();
    void showUpdate(const AppcastItem& item);
    void remindGently(const AppcastItem& item);
    void showPendingUpdate();
    UpdatePresentation updatePresentation(const AppcastItem& item) const;

    UserDefaults& defaults_;
    QString appVersion_;
    AppcastUpdateServiceOptions options_;
    UpdateServiceDelegate* delegate_ = nullptr;
    std::unique_ptr<FeedFetcher> fetcher_;  // made on the first check
    QTimer* scheduleTimer_;
    QDateTime startTime_;
    std::optional<QDateTime> nextCheck_;
    std::optional<AppcastItem> pendingUpdate_;  // found by a scheduled check, not yet shown
    Check checking_ = Check::None;
    bool started_ = false;
    bool reportedCanCheck_ = false;
};

}  // namespace hushpane
