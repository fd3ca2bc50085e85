#pragma once

#include <QProcess>
#include <QString>

namespace hushpane::test {

// An Xvfb of the test's own, so grabs, fake key presses and layout changes never meet other
// tests that share the session's display.
class PrivateXServer {
public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    bool isRunning() const { return !display_.isEmpty(); }
    // ":N"
    const QString& display() const { return display_; }
    const QString& error() const { return error_; }

    // Runs an X client program against this server; true when it exits with 0.
    bool run(const QString& program, const QStringList& arguments) const;

private:
    QProcess process_;
    QString display_;
    QString error_;
};

}  // namespace hushpane::test
