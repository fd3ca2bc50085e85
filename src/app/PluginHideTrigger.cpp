#include "app/PluginHideTrigger.h"

#include "common/Logging.h"
#include "common/PluginLoader.h"
#include "platform/HideTriggerFactory.h"

#include <utility>

namespace hushpane {

PluginHideTrigger::PluginHideTrigger(QString pluginName, QStringList directories,
                                     Reason unavailableReason, Reason limitation, QObject* parent)
    : HideTrigger(parent),
      pluginName_(std::move(pluginName)),
      directories_(std::move(directories)),
      unavailableReason_(std::move(unavailableReason)),
      limitation_(std::move(limitation)) {}

PluginHideTrigger::~PluginHideTrigger() = default;

bool PluginHideTrigger::load() {
    if (trigger_ || loadFailed_) {
        return trigger_ != nullptr;
    }
    const auto take = [this](QObject* root, QString* why) {
        auto* factory = qobject_cast<HideTriggerFactory*>(root);
        trigger_ = factory ? factory->createHideTrigger() : nullptr;
        if (!trigger_) {
            *why = factory ? QStringLiteral("it made no trigger")
                           : QStringLiteral("it is not a hide trigger");
        }
        return trigger_ != nullptr;
    };
    QString reason;
    if (loadPlugin(pluginName_, directories_, take, &reason, lcDesktop())) {
        // By name: the plugin carries its own copy of the trigger's meta-object.
        connect(trigger_.get(), SIGNAL(activeChanged(bool)), this, SIGNAL(activeChanged(bool)));
        connect(trigger_.get(), SIGNAL(settled()), this, SIGNAL(settled()));
        return true;
    }
    const QString fileName = pluginName_ + QStringLiteral(".so");
    qCWarning(lcDesktop, "Couldn't load %s: %s", qUtf8Printable(fileName), qUtf8Printable(reason));
    loadFailed_ = true;
    return false;
}

void PluginHideTrigger::start() {
    if (started_) {
        return;
    }
    started_ = true;
    if (load()) {
        trigger_->start();
    } else {
        Q_EMIT settled();
    }
}

void PluginHideTrigger::stop() {
    if (!started_) {
        return;
    }
    started_ = false;
    if (trigger_) {
        trigger_->stop();
    }
}

bool PluginHideTrigger::isActive() const {
    return started_ && trigger_ && trigger_->isActive();
}

bool PluginHideTrigger::isSettled() const {
    return started_ && (trigger_ ? trigger_->isSettled() : loadFailed_);
}

std::optional<QString> PluginHideTrigger::unavailableReason() const {
    return unavailableReason_ ? unavailableReason_() : std::nullopt;
}

std::optional<QString> PluginHideTrigger::limitation() const {
    return limitation_ ? limitation_() : std::nullopt;
}

}  // namespace hushpane
