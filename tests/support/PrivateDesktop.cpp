#include "support/PrivateDesktop.h"

#include "support/DesktopProfile.h"
#include "support/PrivateSession.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

namespace hushpane::test {

PrivateDesktop::PrivateDesktop(PrivateSession& session, const DesktopProfile& profile,
                               const QColor& wallpaper)
    : session_(session), profile_(profile), wallpaper_(wallpaper) {}

QString PrivateDesktop::writeSolidPicture(const QString& path, const QColor& color) {
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(color);
    return picture.save(path) ? path : QString();
}

QString PrivateDesktop::wallpaperFile() const {
    return session_.home() + QStringLiteral("/wallpaper.png");
}

bool PrivateDesktop::start(std::chrono::milliseconds timeout) {
    if (!session_.isValid()) {
        error_ = session_.error();
        return false;
    }
    if (session_.display().isEmpty() || session_.busAddress().isEmpty()) {
        error_ = QStringLiteral("a desktop needs a session with a display and a bus");
        return false;
    }
    for (const QString& program :
         profile_.programs() + QStringList{QStringLiteral("openbox"), QStringLiteral("import")}) {
        if (QStandardPaths::findExecutable(program).isEmpty()) {
            error_ = program + QStringLiteral(" is not installed");
            return false;
        }
    }
    session_.setEnvironmentVariable(QStringLiteral("XDG_CURRENT_DESKTOP"),
                                    profile_.currentDesktop());
    if (writeSolidPicture(wallpaperFile(), wallpaper_).isEmpty()) {
        error_ = QStringLiteral("cannot write ") + wallpaperFile();
        return false;
    }
    if (auto failed = profile_.setWallpaper(session_, wallpaperFile())) {
        error_ = *failed;
        return false;
    }
    if (!session_.start(QStringLiteral("openbox"))) {
        error_ = QStringLiteral("openbox did not start");
        return false;
    }
    if (auto failed = profile_.start(session_)) {
        error_ = *failed;
        return false;
    }
    return waitUntilDrawn(timeout);
}

QImage PrivateDesktop::grab() const {
    // A test whose Qt is on this very display grabs it directly, much faster than a program.
    if (QGuiApplication::platformName() == QStringLiteral("xcb") &&
        qEnvironmentVariable("DISPLAY") == session_.display() && QGuiApplication::primaryScreen()) {
        return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    }
    QProcess import;
    import.setProcessEnvironment(session_.environment());
    import.start(QStringLiteral("import"),
                 {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    if (!import.waitForFinished(20000) || import.exitCode() != 0) {
        import.kill();
        import.waitForFinished(1000);
        return {};
    }
    return QImage::fromData(import.readAllStandardOutput(), "PNG");
}

QImage PrivateDesktop::waitForScreen(const std::function<bool(const QImage&)>& accept,
                                     bool* accepted, std::chrono::milliseconds timeout) const {
    const QDeadlineTimer deadline(timeout);
    QImage shot;
    do {
        QTest::qWait(250);
        shot = grab();
        *accepted = !shot.isNull() && accept(shot);
    } while (!*accepted && !deadline.hasExpired());
    return shot;
}

bool PrivateDesktop::waitUntilDrawn(std::chrono::milliseconds timeout) {
    const DesktopScreenCheck check(wallpaper_);
    const QDeadlineTimer deadline(timeout);
    QImage previous;
    DesktopScreenCheck::Result result;
    do {
        QThread::msleep(250);
        const QImage shot = grab();
        result = check.check(shot, previous);
        if (result.drawn) {
            drawn_ = shot;
            return true;
        }
        previous = shot;
    } while (!deadline.hasExpired());
    error_ = QStringLiteral("the desktop was not drawn within %1 s: %2")
                 .arg(std::chrono::duration_cast<std::chrono::seconds>(timeout).count())
                 .arg(result.text);
    return false;
}

}  // namespace hushpane::test
