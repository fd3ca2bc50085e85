#include "backends/pipewire/PipeWireScreenCastsPlugin.h"

#include "backends/pipewire/PipeWireScreenCasts.h"

namespace hushpane::pipewire {

std::unique_ptr<HideTrigger> PipeWireScreenCastsPlugin::createHideTrigger() {
    return std::make_unique<PipeWireScreenCasts>();
}

}  // namespace hushpane::pipewire
