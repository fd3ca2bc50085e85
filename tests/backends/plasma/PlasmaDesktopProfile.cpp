#include "PlasmaDesktopProfile.h"

#include "support/PrivateSession.h"

#include <QDBusMessage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QUrl>

namespace hushpane::test {

std::optional<QString> PlasmaDesktopProfile::setWallpaper(PrivateSession&,
                                                          const QString& picture) const {
    picture_ = picture;
    return std::nullopt;
}

std::optional<QString> PlasmaDesktopProfile::evaluate(PrivateSession& session,
                                                      const QString& script) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
        QStringLiteral("org.kde.PlasmaShell"), QStringLiteral("evaluateScript"));
    call << script;
    const QDBusMessage reply = session.bus().call(call, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return std::nullopt;
    }
    return reply.arguments().value(0).toString();
}

std::optional<QString> PlasmaDesktopProfile::start(PrivateSession& session) const {
    for (const auto& [name, value] :
         {std::pair{"QT_QUICK_BACKEND", "software"}, std::pair{"LIBGL_ALWAYS_SOFTWARE", "1"},
          std::pair{"QT_XCB_GL_INTEGRATION", "none"}, std::pair{"KDE_FULL_SESSION", "true"},
          std::pair{"KDE_SESSION_VERSION", "5"}, std::pair{"QT_QPA_PLATFORM", "xcb"}}) {
        session.setEnvironmentVariable(QString::fromLatin1(name), QString::fromLatin1(value));
    }
    if (!session.start(QStringLiteral("plasmashell"), {QStringLiteral("--no-respawn")})) {
        return QStringLiteral("plasmashell did not start");
    }
    const QString input =
        QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("picture"),
                                                     QUrl::fromLocalFile(picture_).toString()}})
                              .toJson(QJsonDocument::Compact));
    const QString setUp = QStringLiteral("var input = %1;").arg(input) + QStringLiteral(R"JS(
var p = panels();
for (var i = 0; i < p.length; ++i) p[i].remove();
var all = desktops();
for (var i = 0; i < all.length; ++i) {
    var d = all[i];
    d.wallpaperPlugin = 'org.kde.image';
    d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
    d.writeConfig('FillMode', 0);
    d.writeConfig('Image', input.picture);
    d.currentConfigGroup = ['General'];
    d.writeConfig('arrangement', 1);
    d.reloadConfig();
}
print(all.length);
)JS");
    // Its desktops exist a moment after its name does.
    const bool ready = QTest::qWaitFor(
        [&] {
            const std::optional<QString> count = evaluate(session, setUp);
            return count && count->toInt() > 0;
        },
        60000);
    if (!ready) {
        return QStringLiteral("plasmashell did not show a desktop within a minute");
    }
    return std::nullopt;
}

}  // namespace hushpane::test
