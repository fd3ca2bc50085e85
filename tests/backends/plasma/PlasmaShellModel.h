#pragma once

#include "backends/plasma/PlasmaScripting.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>

namespace hushpane::test {

// A tiny plasmashell for the tests: its desktop containments as JSON, and the scripting API
// Hushpane uses (desktops(), desktopsForActivity(), currentActivity(), print(), a
// containment's id, screen, type, wallpaperPlugin, currentConfigGroup, readConfig,
// writeConfig, reloadConfig), run for real by Qt's JavaScript engine. The state is
//   {"activity": "A", "desktops": [{"id": 1, "screen": 0, "activity": "A",
//     "type": "org.kde.plasma.folder", "wallpaperPlugin": "org.kde.image",
//     "config": {"General": {...}, "Wallpaper/org.kde.image/General": {...}}}]}
// with "reloads" counting a containment's reloadConfig() calls.
class PlasmaShellModel : public PlasmaScripting {
public:
    explicit PlasmaShellModel(QJsonObject state = {}) : state_(std::move(state)) {}

    // Runs the script against the state; a script that throws changes nothing and answers
    // with the error, as plasmashell does.
    Reply evaluateScript(const QString& script) override;

    const QJsonObject& state() const { return state_; }
    void setState(const QJsonObject& state) { state_ = state; }
    const QStringList& scripts() const { return scripts_; }

    // The next calls answer with these replies instead of running the script.
    QList<Reply> cannedReplies;

    // A containment's config group ("General") and its parts.
    QJsonObject group(int id, const QString& name) const;
    void setGroup(int id, const QString& name, const QJsonObject& values);

    static QJsonObject desktop(int id, int screen, const QString& activity,
                               const QString& type = QStringLiteral("org.kde.plasma.folder"),
                               const QJsonObject& config = {});

private:
    QJsonObject state_;
    QStringList scripts_;
};

}  // namespace hushpane::test
