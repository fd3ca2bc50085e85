#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace hushpane::test {

// A D-Bus session bus daemon of its own. The daemon hands its environment to the services it
// activates (xfconfd, dconf), so it is started with the environment they must see. Ended with
// the object.
class PrivateBus {
public:
    explicit PrivateBus(const QProcessEnvironment& environment);
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Empty (with error()) when the daemon did not start.
    const QString& address() const { return address_; }
    const QString& error() const { return error_; }

private:
    QProcess daemon_;
    QString address_;
    QString error_;
};

}  // namespace hushpane::test
