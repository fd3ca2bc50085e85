#pragma once

#include "platform/DesktopSwitch.h"

#include <QList>

namespace hushpane::test {

// Records every switch; `failure` is returned as the user-visible error of each one.
class InMemoryDesktopSwitch : public DesktopSwitch {
public:
    bool createsDesktop() override { return creates; }
    std::optional<QString> setCreatesDesktop(bool value) override {
        calls.append(value);
        creates = value;
        return failure;
    }
    QString description() const override { return QStringLiteral("in-memory desktop"); }

    bool creates = true;
    QList<bool> calls;
    std::optional<QString> failure;
};

}  // namespace hushpane::test
