#include "support/HarnessDesktop.h"

#include "support/DesktopScreenCheck.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace hushpane::test {

namespace {

constexpr int kQueryTimeoutMs = 30000;

// "WxH+X+Y", as ImageMagick and the profiles write an area; null otherwise.
QRect parseArea(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)x(\\d+)\\+(\\d+)\\+(\\d+)$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch()) {
        return {};
    }
    return {match.captured(3).toInt(), match.captured(4).toInt(), match.captured(1).toInt(),
            match.captured(2).toInt()};
}

}  // namespace

QString HarnessDesktop::writeSolidPicture(const QString& path, const QColor& color) {
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(color);
    return picture.save(path) ? path : QString();
}

QList<qint64> HarnessDesktop::processesInThisSession(const QString& name) {
    QList<qint64> pids;
    const QByteArray bus = "DBUS_SESSION_BUS_ADDRESS=" + qgetenv("DBUS_SESSION_BUS_ADDRESS");
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name.toUtf8() &&
            environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(bus)) {
            pids.append(pid.toLongLong());
        }
    }
    return pids;
}

HarnessDesktop::HarnessDesktop()
    : name_(qEnvironmentVariable("HUSHPANE_TEST_DESKTOP")),
      drawn_(qEnvironmentVariable("HUSHPANE_TEST_DRAWN")),
      behindIcons_(qEnvironmentVariable("HUSHPANE_TEST_BEHIND_ICONS")),
      wallpaperFile_(qEnvironmentVariable("HUSHPANE_TEST_WALLPAPER")),
      sessionDirectory_(qEnvironmentVariable("HUSHPANE_TEST_SESSION_DIR")) {
    if (name_.isEmpty()) {
        error_ =
            QStringLiteral("runs in a session with a desktop (--hushpane-session=desktop=NAME)");
    } else if (drawn_.isNull()) {
        error_ = QStringLiteral("no screenshot of the drawn desktop");
    }
    wayland_ =
        !name_.isEmpty() && variable(QStringLiteral("desktop_session")) == QLatin1String("wayland");
    iconArea_ = parseArea(qEnvironmentVariable("HUSHPANE_TEST_ICON_AREA"));
    if (iconArea_.isNull()) {
        iconArea_ = DesktopScreenCheck::defaultIconArea(drawn_.size());
    }
}

QString HarnessDesktop::query(const QString& function, const QStringList& arguments) const {
    return desktopQuery(QStringList{function} + arguments);
}

bool HarnessDesktop::defines(const QString& function) const {
    return desktopQuery({QStringLiteral("type"), QStringLiteral("-t"), function}) ==
           QLatin1String("function");
}

QString HarnessDesktop::variable(const QString& name) const {
    return desktopQuery({QStringLiteral("--variable"), name});
}

QString HarnessDesktop::desktopQuery(const QStringList& arguments) const {
    QProcess process;
    process.start(QStringLiteral(HUSHPANE_SOURCE_DIR "/scripts/lib/desktop-query"),
                  QStringList{name_} + arguments);
    if (!process.waitForFinished(kQueryTimeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QImage HarnessDesktop::grab() const {
    if (wayland_) {
        const QTemporaryDir scratch;
        const QString file = scratch.filePath(QStringLiteral("screen.png"));
        desktopQuery({QStringLiteral("desktop_screenshot"), file});
        return QImage(file);
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->grabWindow(0).toImage() : QImage();
}

bool HarnessDesktop::pressKeys(const QString& combo) const {
    QProcess process;
    if (wayland_) {
        process.start(QStringLiteral(HUSHPANE_SOURCE_DIR "/scripts/lib/desktop-query"),
                      {name_, QStringLiteral("desktop_press_keys"), combo});
    } else {
        process.start(QStringLiteral("xdotool"),
                      {QStringLiteral("key"), QStringLiteral("--clearmodifiers"), combo});
    }
    if (!process.waitForFinished(kQueryTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QImage HarnessDesktop::waitForScreen(const std::function<bool(const QImage&)>& accept,
                                     bool* accepted, std::chrono::milliseconds timeout) const {
    const QDeadlineTimer deadline(timeout);
    QImage shot;
    for (;;) {
        shot = grab();
        *accepted = !shot.isNull() && accept(shot);
        if (*accepted || deadline.hasExpired()) {
            return shot;
        }
        QTest::qWait(100);
    }
}

}  // namespace hushpane::test
