#pragma once

#include "platform/HideTrigger.h"

#include <QList>
#include <QMetaObject>

namespace hushpane {

// Active while one display shows what another shows (a projector in mirror mode), from the
// screens Qt reports: two of them whose areas lie one within the other. Where the compositor
// reports a mirrored pair as one screen, this cannot tell (see MutterMirroredDisplays).
class MirroredScreens : public HideTrigger {
    Q_OBJECT
public:
    using HideTrigger::HideTrigger;
    ~MirroredScreens() override;

    void start() override;
    void stop() override;
    bool isActive() const override { return active_; }
    bool isSettled() const override { return watching_; }
    std::optional<QString> unavailableReason() const override { return std::nullopt; }

private:
    void watchScreens();
    void update();

    bool watching_ = false;
    bool active_ = false;
    QList<QMetaObject::Connection> connections_;
};

}  // namespace hushpane
