#pragma once

#include "platform/HideTrigger.h"

#include <QtPlugin>

#include <memory>

namespace hushpane {

// What a plugin that watches for a moment to hide offers: triggers made on demand, so the
// libraries behind one load only once it is switched on.
class HideTriggerFactory {
public:
    virtual ~HideTriggerFactory() = default;
    virtual std::unique_ptr<HideTrigger> createHideTrigger() = 0;
};

}  // namespace hushpane

#define HUSHPANE_HIDE_TRIGGER_FACTORY_IID "app.hushpane.HideTriggerFactory/1"
Q_DECLARE_INTERFACE(hushpane::HideTriggerFactory, HUSHPANE_HIDE_TRIGGER_FACTORY_IID)
