#pragma once

#include <QObject>

namespace hushpane {

// How the application presents itself to the desktop, and why it is asked to quit.
class ApplicationPlatform : public QObject {
    Q_OBJECT
public:
    // Regular: the application's windows are in the task bar and the switcher (a Dock icon).
    // Accessory: a tray-only utility whose windows stay out of both.
    enum class ActivationPolicy { regular = 0, accessory = 1 };

    using QObject::QObject;

    virtual ActivationPolicy activationPolicy() const = 0;
    virtual void setActivationPolicy(ActivationPolicy policy) = 0;

    // Whether the application has an entry of its own in the task switcher apart from its
    // windows, as in macOS's Dock. Where it has none (a Linux task bar lists windows), the
    // Dock-icon setting has nothing to show and is left out.
    virtual bool hasApplicationIcon() const { return true; }

    // Brings the application and its windows to the front.
    virtual void activate() = 0;

    // True once the session is ending (log out, restart, shut down): a quit now is the
    // system's, not the user's.
    virtual bool isSessionEnding() const = 0;

Q_SIGNALS:
    // The system asks the application to quit (for example SIGTERM, or the session ending).
    void terminationRequested();
};

}  // namespace hushpane
