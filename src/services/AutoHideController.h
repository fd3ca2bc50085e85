#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <array>
#include <optional>

namespace hushpane {

class DesktopController;
class HideTrigger;
class Preferences;

// Hides the icons by itself while something the user switched on is going on (the screen
// shared, a display mirrored) and shows them again when it is over.
//
// It hides only what it hid itself: when the last trigger ends it shows the icons again only if
// a trigger hid them and nobody changed them since. A change made any other way (the shortcut,
// the tray, the settings, the desktop's own settings) wins until every trigger has ended. What
// it is in the middle of is kept in the preferences, so a restart (or a crash) follows on: the
// icons it hid come back once the new start finds the trigger over.
class AutoHideController : public QObject {
    Q_OBJECT
public:
    enum class Trigger { screenShared, mirrored };
    static constexpr int kTriggerCount = 2;
    // How long a trigger must stay over before the icons come back, so a cast that stops and
    // starts again (a viewer reconnecting) does not flash them.
    static constexpr int kEndGraceMs = 1500;
    void setEndGrace(int milliseconds) { endGrace_.setInterval(milliseconds); }

    AutoHideController(DesktopController& desktop, Preferences& preferences,
                       QObject* parent = nullptr);
    ~AutoHideController() override;

    // The watcher for one kind of trigger (not owned; none means the kind cannot be watched
    // here). Set them all before start().
    void setTrigger(Trigger kind, HideTrigger* trigger);
    HideTrigger* trigger(Trigger kind) const;
    // Why the switch for this kind cannot work here, or nothing.
    std::optional<QString> unavailableReason(Trigger kind) const;

    // Picks up what an earlier run was in the middle of and starts the switched-on triggers.
    void start();
    // Before quitting: stops watching and forgets the trigger, since quitting shows the icons.
    void stop();

    // What hid the icons, while they are hidden because of it.
    std::optional<Trigger> hiddenBecause() const;
    // "Hidden while the screen is shared", and the like.
    static QString reasonText(Trigger kind);

Q_SIGNALS:
    void hiddenBecauseChanged();

private:
    // Where the rules stand: nothing going on; icons hidden by a trigger; a trigger going on
    // whose icons the user decides (they changed them, or had hidden them already).
    enum class Phase { idle, hidden, yielded };

    bool switchedOn(Trigger kind) const;
    void followSwitch(Trigger kind);
    std::optional<Trigger> activeTrigger() const;
    bool allSettled() const;
    void evaluate();
    void endNow();
    void desktopChanged(bool hidden);
    void userRequested();
    void enter(Phase phase, std::optional<Trigger> because = std::nullopt);

    DesktopController& desktop_;
    Preferences& preferences_;
    std::array<QPointer<HideTrigger>, kTriggerCount> triggers_{};
    Phase phase_ = Phase::idle;
    std::optional<Trigger> because_;
    bool running_ = false;
    bool requesting_ = false;  // while this controller's own request is being made
    QTimer endGrace_;
};

}  // namespace hushpane
