#include "support/PrivateXServer.h"

#include "support/EndProcess.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>

namespace hushpane::test {

PrivateXServer::PrivateXServer(QSize screen) {
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    // -displayfd 1: the server picks a free display and prints its number when ready.
    process_.start(
        QStringLiteral("Xvfb"),
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
         QStringLiteral("tcp"), QStringLiteral("-noreset"), QStringLiteral("-screen"),
         QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height())});
    if (!process_.waitForStarted(10000)) {
        error_ = QStringLiteral("cannot start Xvfb: ") + process_.errorString();
        return;
    }
    QByteArray output;
    QElapsedTimer timer;
    timer.start();
    while (!output.contains('\n') && timer.elapsed() < 20000 &&
           process_.state() == QProcess::Running) {
        process_.waitForReadyRead(200);
        output += process_.readAllStandardOutput();
    }
    bool ok = false;
    const int number = output.trimmed().toInt(&ok);
    if (!ok) {
        error_ = QStringLiteral("Xvfb did not report a display: ") +
                 QString::fromLocal8Bit(process_.readAllStandardError());
        return;
    }
    display_ = QStringLiteral(":%1").arg(number);
}

PrivateXServer::~PrivateXServer() {
    endProcess(process_);
}

bool PrivateXServer::run(const QString& program, const QStringList& arguments) const {
    QProcess client;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    client.setProcessEnvironment(environment);
    client.start(program, arguments);
    if (!client.waitForFinished(20000)) {
        client.kill();
        client.waitForFinished();
        return false;
    }
    return client.exitStatus() == QProcess::NormalExit && client.exitCode() == 0;
}

}  // namespace hushpane::test
