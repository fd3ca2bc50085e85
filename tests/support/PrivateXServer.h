#pragma once

#include <QProcess>
#include <QSize>
#include <QString>

namespace hushpane::test {

// An Xvfb of its own on a free display number, so grabs, fake key presses, layout changes and
// whole desktops never meet another test's. Ended with the object.
class PrivateXServer {
public:
    explicit PrivateXServer(QSize screen = {640, 480});
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
