#include "support/XfceDesktopProfile.h"

#include "support/PrivateSession.h"

#include <QRegularExpression>

namespace hushpane::test {

QStringList XfceDesktopProfile::programs() const {
    return {QStringLiteral("xfdesktop"), QStringLiteral("xfconf-query"), QStringLiteral("xrandr")};
}

std::optional<QString> XfceDesktopProfile::query(const PrivateSession& session,
                                                 const QStringList& arguments) {
    return session.run(
        QStringLiteral("xfconf-query"),
        QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")} + arguments);
}

std::optional<QString> XfceDesktopProfile::property(const PrivateSession& session,
                                                    const QString& property) {
    return query(session, {QStringLiteral("-p"), property});
}

QString XfceDesktopProfile::backdropPrefix(const PrivateSession& session) {
    static const QRegularExpression connected(QStringLiteral("^(\\S+) connected"),
                                              QRegularExpression::MultilineOption);
    const auto outputs = session.run(QStringLiteral("xrandr"), {QStringLiteral("--query")});
    const auto match = connected.match(outputs.value_or(QString()));
    const QString connector = match.hasMatch() ? match.captured(1) : QStringLiteral("screen");
    return QStringLiteral("/backdrop/screen0/monitor%1/workspace0/").arg(connector);
}

std::optional<QString> XfceDesktopProfile::setWallpaper(PrivateSession& session,
                                                        const QString& picture) const {
    const QString prefix = backdropPrefix(session);
    if (!query(session,
               {QStringLiteral("-p"), prefix + QStringLiteral("last-image"), QStringLiteral("-n"),
                QStringLiteral("-t"), QStringLiteral("string"), QStringLiteral("-s"), picture}) ||
        !query(session, {QStringLiteral("-p"), prefix + QStringLiteral("image-style"),
                         QStringLiteral("-n"), QStringLiteral("-t"), QStringLiteral("int"),
                         QStringLiteral("-s"), QStringLiteral("5")})) {
        return QStringLiteral("xfconf-query could not set the wallpaper");
    }
    return std::nullopt;
}

std::optional<QString> XfceDesktopProfile::start(PrivateSession& session) const {
    if (!session.start(QStringLiteral("xfdesktop"))) {
        return QStringLiteral("xfdesktop did not start");
    }
    return std::nullopt;
}

}  // namespace hushpane::test
