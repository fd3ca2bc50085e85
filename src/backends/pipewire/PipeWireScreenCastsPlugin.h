#pragma once

#include "platform/HideTriggerFactory.h"

#include <QObject>

namespace hushpane::pipewire {

// The screen-share watcher as a plugin: libpipewire loads with it when the switch is on,
// instead of at every start of the program.
class PipeWireScreenCastsPlugin : public QObject, public HideTriggerFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID HUSHPANE_HIDE_TRIGGER_FACTORY_IID)
    Q_INTERFACES(hushpane::HideTriggerFactory)
public:
    std::unique_ptr<HideTrigger> createHideTrigger() override;
};

}  // namespace hushpane::pipewire
