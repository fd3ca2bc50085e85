#pragma once

#include "platform/DesktopSwitch.h"

#include <QStringList>

namespace hushpane {

// The switch of a session where no desktop Hushpane can drive was found. The icons read as
// shown, showing them succeeds without doing anything, and hiding them fails with a sentence
// that names what was found. Nothing is ever written.
class UnsupportedDesktopSwitch : public DesktopSwitch {
public:
    // `found` names what the session showed, e.g. "XDG_CURRENT_DESKTOP=sway"; `supported` the
    // desktops that could be driven.
    UnsupportedDesktopSwitch(QString found, QStringList supported);

    bool createsDesktop() override { return true; }
    std::optional<QString> setCreatesDesktop(bool createsDesktop) override;
    QString description() const override;
    QString explanation() const override;

private:
    QString found_;
    QStringList supported_;
};

}  // namespace hushpane
