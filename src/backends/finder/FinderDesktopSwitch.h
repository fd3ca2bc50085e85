#pragma once

#include "platform/DesktopSwitch.h"

namespace hushpane {

class PreferenceDomain;
class ProcessLauncher;

// Finder's own switch: the boolean "CreateDesktop" in the "com.apple.finder" domain, applied
// by ending Finder so that a fresh one draws the desktop with or without icons.
class FinderDesktopSwitch : public DesktopSwitch {
public:
    static constexpr auto kFinderDomain = "com.apple.finder";
    static constexpr auto kCreateDesktopKey = "CreateDesktop";
    static constexpr auto kKillallPath = "/usr/bin/killall";

    FinderDesktopSwitch(PreferenceDomain& finderDomain, ProcessLauncher& launcher,
                        QString killallPath = QString::fromLatin1(kKillallPath));

    bool createsDesktop() override;
    std::optional<QString> setCreatesDesktop(bool createsDesktop) override;
    QString description() const override;
    QString explanation() const override;

    // How a stored "CreateDesktop" value reads: absent or of an unexpected type means the
    // icons are shown; numbers (booleans included) by their truth; the strings "false", "no"
    // and "0" in any letter case mean hidden, every other string shown.
    static bool readsAsCreatesDesktop(const std::optional<QVariant>& stored);

private:
    std::optional<QString> relaunchFinder();

    PreferenceDomain& finderDomain_;
    ProcessLauncher& launcher_;
    QString killallPath_;
};

}  // namespace hushpane
