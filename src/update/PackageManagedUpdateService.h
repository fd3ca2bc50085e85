#pragma once

#include "platform/UpdateService.h"

namespace hushpane {

// The update service of a build whose package manager brings new versions: it never checks,
// never offers a check, and says so to the settings window.
class PackageManagedUpdateService : public UpdateService {
    Q_OBJECT
public:
    using UpdateService::UpdateService;

    void start(UpdateServiceDelegate* delegate) override;
    bool canCheckForUpdates() const override { return false; }
    bool automaticallyChecksForUpdates() const override { return false; }
    void setAutomaticallyChecksForUpdates(bool enabled) override;
    void checkForUpdates() override {}
    bool isUpdatedByPackageManager() const override { return true; }
};

}  // namespace hushpane
