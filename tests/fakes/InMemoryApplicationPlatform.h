#pragma once

#include "platform/ApplicationPlatform.h"

#include <QList>

namespace hushpane::test {

// Records every policy change and activation; `sessionEnding` stands for the system's quit.
class InMemoryApplicationPlatform : public ApplicationPlatform {
    Q_OBJECT
public:
    ActivationPolicy activationPolicy() const override { return policy; }
    void setActivationPolicy(ActivationPolicy p) override {
        policy = p;
        policyChanges.append(p);
    }
    bool hasApplicationIcon() const override { return applicationIcon; }
    void activate() override { ++activations; }
    bool isSessionEnding() const override { return sessionEnding; }

    ActivationPolicy policy = ActivationPolicy::regular;
    QList<ActivationPolicy> policyChanges;
    int activations = 0;
    bool sessionEnding = false;
    bool applicationIcon = true;
};

}  // namespace hushpane::test
