#pragma once

#include "platform/HideTrigger.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace hushpane {

// A trigger that lives in a plugin, loaded on the first start(): until then only what needs no
// plugin is asked (whether it can work, what it cannot see). A plugin that cannot be loaded is
// logged and the trigger settles inactive, as a trigger with nothing to watch does.
class PluginHideTrigger : public HideTrigger {
    Q_OBJECT
public:
    using Reason = std::function<std::optional<QString>()>;

    // `pluginName` without ".so", looked for in `directories` in order.
    PluginHideTrigger(QString pluginName, QStringList directories, Reason unavailableReason,
                      Reason limitation, QObject* parent = nullptr);
    ~PluginHideTrigger() override;

    void start() override;
    void stop() override;
    bool isActive() const override;
    bool isSettled() const override;
    std::optional<QString> unavailableReason() const override;
    std::optional<QString> limitation() const override;

private:
    bool load();

    QString pluginName_;
    QStringList directories_;
    Reason unavailableReason_;
    Reason limitation_;
    std::unique_ptr<HideTrigger> trigger_;
    bool loadFailed_ = false;
    bool started_ = false;
};

}  // namespace hushpane
