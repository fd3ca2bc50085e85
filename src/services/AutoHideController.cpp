#include "services/AutoHideController.h"

#include "common/Logging.h"
#include "platform/HideTrigger.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

namespace hushpane {

namespace {

constexpr auto kYielded = "yielded";
constexpr auto kHiddenPrefix = "hidden:";

QString triggerName(AutoHideController::Trigger kind) {
    switch (kind) {
        case AutoHideController::Trigger::screenShared:
            return QStringLiteral("screenShared");
        case AutoHideController::Trigger::mirrored:
            return QStringLiteral("mirrored");
    }
    return {};
}

std::optional<AutoHideController::Trigger> triggerNamed(const QString& name) {
    for (auto kind :
         {AutoHideController::Trigger::screenShared, AutoHideController::Trigger::mirrored}) {
        if (triggerName(kind) == name) {
            return kind;
        }
    }
    return std::nullopt;
}

std::size_t slot(AutoHideController::Trigger kind) {
    return static_cast<std::size_t>(kind);
}

}  // namespace

AutoHideController::AutoHideController(DesktopController& desktop, Preferences& preferences,
                                       QObject* parent)
    : QObject(parent), desktop_(desktop), preferences_(preferences) {
    endGrace_.setSingleShot(true);
    endGrace_.setInterval(kEndGraceMs);
    connect(&endGrace_, &QTimer::timeout, this, &AutoHideController::endNow);
    connect(&desktop_, &DesktopController::isDesktopHiddenChanged, this,
            &AutoHideController::desktopChanged);
    connect(&desktop_, &DesktopController::changeRequested, this,
            [this](bool, DesktopController::Origin origin) {
                if (origin != DesktopController::Origin::automatic) {
                    userRequested();
                }
            });
    connect(&preferences_, &Preferences::hideWhileScreenSharedChanged, this,
            [this] { followSwitch(Trigger::screenShared); });
    connect(&preferences_, &Preferences::hideWhileMirroredChanged, this,
            [this] { followSwitch(Trigger::mirrored); });
}

AutoHideController::~AutoHideController() = default;

void AutoHideController::setTrigger(Trigger kind, HideTrigger* trigger) {
    triggers_[slot(kind)] = trigger;
    if (trigger) {
        connect(trigger, &HideTrigger::activeChanged, this, &AutoHideController::evaluate);
        connect(trigger, &HideTrigger::settled, this, &AutoHideController::evaluate);
    }
}

HideTrigger* AutoHideController::trigger(Trigger kind) const {
    return triggers_[slot(kind)];
}

std::optional<QString> AutoHideController::unavailableReason(Trigger kind) const {
    HideTrigger* watcher = trigger(kind);
    if (!watcher) {
        return tr("Not available on this desktop");
    }
    return watcher->unavailableReason();
}

bool AutoHideController::switchedOn(Trigger kind) const {
    const bool on = kind == Trigger::screenShared ? preferences_.hideWhileScreenShared()
                                                  : preferences_.hideWhileMirrored();
    return on && !unavailableReason(kind);
}

void AutoHideController::start() {
    const QString stored = preferences_.autoHideState();
    if (stored.startsWith(QLatin1String(kHiddenPrefix))) {
        const auto kind = triggerNamed(stored.mid(int(qstrlen(kHiddenPrefix))));
        // Shown meanwhile (by hand, or at the end of the session): nothing left to give back.
        if (kind && desktop_.isDesktopHidden()) {
            phase_ = Phase::hidden;
            because_ = kind;
            qCInfo(lcDesktop).noquote()
                << QStringLiteral("the icons were hidden automatically (%1) before this start")
                       .arg(triggerName(*kind));
        }
    } else if (stored == QLatin1String(kYielded)) {
        phase_ = Phase::yielded;
    }
    if (phase_ == Phase::idle) {
        preferences_.setAutoHideState({});
    }
    running_ = true;
    for (auto kind : {Trigger::screenShared, Trigger::mirrored}) {
        followSwitch(kind);
    }
    evaluate();
}

void AutoHideController::stop() {
    running_ = false;
    endGrace_.stop();
    for (const auto& watcher : triggers_) {
        if (watcher) {
            watcher->stop();
        }
    }
    phase_ = Phase::idle;
    because_.reset();
    preferences_.setAutoHideState({});
}

void AutoHideController::followSwitch(Trigger kind) {
    HideTrigger* watcher = trigger(kind);
    if (!running_ || !watcher) {
        return;
    }
    if (switchedOn(kind)) {
        watcher->start();
    } else {
        watcher->stop();
    }
    evaluate();
}

std::optional<AutoHideController::Trigger> AutoHideController::activeTrigger() const {
    for (auto kind : {Trigger::screenShared, Trigger::mirrored}) {
        if (switchedOn(kind) && trigger(kind)->isActive()) {
            return kind;
        }
    }
    return std::nullopt;
}

bool AutoHideController::allSettled() const {
    for (auto kind : {Trigger::screenShared, Trigger::mirrored}) {
        if (switchedOn(kind) && !trigger(kind)->isSettled()) {
            return false;
        }
    }
    return true;
}

void AutoHideController::evaluate() {
    if (!running_) {
        return;
    }
    if (const auto active = activeTrigger()) {
        endGrace_.stop();
        switch (phase_) {
            case Phase::idle:
                if (desktop_.wantsDesktopHidden()) {
                    // Already hidden by the user: theirs to show.
                    enter(Phase::yielded);
                    return;
                }
                qCInfo(lcDesktop).noquote()
                    << QStringLiteral("hiding automatically: %1").arg(triggerName(*active));
                enter(Phase::hidden, active);
                requesting_ = true;
                desktop_.hide(DesktopController::Origin::automatic);
                requesting_ = false;
                return;
            case Phase::hidden:
                if (because_ != active) {
                    enter(Phase::hidden, active);
                }
                return;
            case Phase::yielded:
                return;
        }
        return;
    }
    // Over only once every switched-on trigger has told its state; an unsettled one may yet
    // say the share goes on.
    if (phase_ != Phase::idle && allSettled() && !endGrace_.isActive()) {
        endGrace_.start();
    }
}

void AutoHideController::endNow() {
    if (!running_ || activeTrigger()) {
        return;
    }
    const bool giveBack = phase_ == Phase::hidden && desktop_.wantsDesktopHidden();
    enter(Phase::idle);
    if (giveBack) {
        qCInfo(lcDesktop) << "showing again: nothing hides the icons any more";
        requesting_ = true;
        desktop_.show(DesktopController::Origin::automatic);
        requesting_ = false;
    }
}

void AutoHideController::desktopChanged(bool hidden) {
    if (!running_) {
        return;
    }
    // Shown some other way (the desktop's own settings included): the user has taken over.
    if (!requesting_ && phase_ == Phase::hidden && !hidden) {
        enter(Phase::yielded);
        return;
    }
    Q_EMIT hiddenBecauseChanged();
}

void AutoHideController::userRequested() {
    if (!running_ || phase_ != Phase::hidden) {
        return;
    }
    qCInfo(lcDesktop) << "the user changed the icons while they were hidden automatically";
    enter(Phase::yielded);
}

void AutoHideController::enter(Phase phase, std::optional<Trigger> because) {
    phase_ = phase;
    because_ = phase == Phase::hidden ? because : std::nullopt;
    switch (phase_) {
        case Phase::idle:
            preferences_.setAutoHideState({});
            break;
        case Phase::hidden:
            preferences_.setAutoHideState(QLatin1String(kHiddenPrefix) + triggerName(*because_));
            break;
        case Phase::yielded:
            preferences_.setAutoHideState(QLatin1String(kYielded));
            break;
    }
    Q_EMIT hiddenBecauseChanged();
}

std::optional<AutoHideController::Trigger> AutoHideController::hiddenBecause() const {
    if (phase_ != Phase::hidden || !desktop_.isDesktopHidden()) {
        return std::nullopt;
    }
    return because_;
}

QString AutoHideController::reasonText(Trigger kind) {
    switch (kind) {
        case Trigger::screenShared:
            return tr("Hidden while the screen is shared");
        case Trigger::mirrored:
            return tr("Hidden while a display is mirrored");
    }
    return {};
}

}  // namespace hushpane
