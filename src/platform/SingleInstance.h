#pragma once

#include <QObject>
#include <QStringList>

namespace hushpane {

// One running instance per user session. A later start hands its URLs (none = "reopen") to
// the running one and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role { primary, forwarded, failed };

    using QObject::QObject;

    // Tries to become the running instance; when another one runs, forwards `urls` to it.
    // `failed`: another instance runs but could not be reached (the reason in `error`).
    virtual Role claim(const QStringList& urls, QString* error) = 0;

Q_SIGNALS:
    // Another start of the program asked this instance to open `urls`; empty means reopen.
    void activationRequested(const QStringList& urls);
};

}  // namespace hushpane
