#include "app/PluginHideTrigger.h"

#include "common/Logging.h"
#include "platform/HideTriggerFactory.h"

#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

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
    const QString fileName = pluginName_ + QStringLiteral(".so");
    QString reason = QStringLiteral("it is not installed");
    for (const QString& directory : std::as_const(directories_)) {
        const QString path = QDir(directory).filePath(fileName);
        if (!QFileInfo::exists(path)) {
            continue;
        }
        // The library stays loaded for the rest of the process, as the trigger it made may.
        QPluginLoader loader(path);
        auto* factory = qobject_cast<HideTriggerFactory*>(loader.instance());
        if (factory == nullptr) {
            reason = loader.errorString();
            continue;
        }
        trigger_ = factory->createHideTrigger();
        if (trigger_) {
            // By name: the plugin carries its own copy of the trigger's meta-object.
            connect(trigger_.get(), SIGNAL(activeChanged(bool)), this, SIGNAL(activeChanged(bool)));
            connect(trigger_.get(), SIGNAL(settled()), this, SIGNAL(settled()));
            return true;
        }
        reason = QStringLiteral("it made no trigger");
    }
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
