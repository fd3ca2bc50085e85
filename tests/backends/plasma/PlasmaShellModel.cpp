#include "PlasmaShellModel.h"

#include <QJSEngine>
#include <QJsonArray>
#include <QJsonDocument>

namespace hushpane::test {

namespace {

const QString kPrelude = QStringLiteral(R"JS(
var __out = '';
function print(text) { __out += String(text); }
function __wrap(s) {
    if (!s.config) s.config = {};
    var d = { currentConfigGroup: [] };
    Object.defineProperty(d, 'id', { get: function() { return s.id; } });
    Object.defineProperty(d, 'screen', { get: function() { return s.screen; } });
    Object.defineProperty(d, 'type', { get: function() { return s.type; } });
    Object.defineProperty(d, 'wallpaperPlugin', {
        get: function() { return s.wallpaperPlugin; },
        set: function(v) { s.wallpaperPlugin = String(v); } });
    d.readConfig = function(key, fallback) {
        var g = s.config[d.currentConfigGroup.join('/')];
        return g && (key in g) ? g[key] : fallback;
    };
    d.writeConfig = function(key, value) {
        var name = d.currentConfigGroup.join('/');
        if (!s.config[name]) s.config[name] = {};
        // As Plasma does for the picture plugin's keys, whose default is empty: writing the
        // default takes the key out.
        if (value === '') delete s.config[name][key];
        else s.config[name][key] = value;
    };
    d.reloadConfig = function() { s.reloads = (s.reloads || 0) + 1; };
    return d;
}
function desktops() { return __state.desktops.map(__wrap); }
function desktopsForActivity(a) {
    return __state.desktops.filter(function(s) { return s.activity === a; }).map(__wrap);
}
function currentActivity() { return __state.activity; }
)JS");

}  // namespace

PlasmaScripting::Reply PlasmaShellModel::evaluateScript(const QString& script) {
    scripts_.append(script);
    if (!cannedReplies.isEmpty()) {
        return cannedReplies.takeFirst();
    }
    QJSEngine engine;
    QString state = QString::fromUtf8(QJsonDocument(state_).toJson(QJsonDocument::Compact));
    // Qt's engine takes the two line separators for line ends even inside a string.
    state.replace(QChar(0x2028), QStringLiteral("\\u2028"));
    state.replace(QChar(0x2029), QStringLiteral("\\u2029"));
    engine.evaluate(QStringLiteral("var __state = %1;").arg(state) + kPrelude);
    const QJSValue result = engine.evaluate(script);
    if (result.isError()) {
        return {std::nullopt, result.toString()};
    }
    const QJSValue after = engine.evaluate(QStringLiteral("JSON.stringify(__state)"));
    state_ = QJsonDocument::fromJson(after.toString().toUtf8()).object();
    return {engine.globalObject().property(QStringLiteral("__out")).toString(), std::nullopt};
}

QJsonObject PlasmaShellModel::group(int id, const QString& name) const {
    for (const QJsonValue& desktop : state_.value(QStringLiteral("desktops")).toArray()) {
        if (desktop[QStringLiteral("id")].toInt() == id) {
            return desktop[QStringLiteral("config")][name].toObject();
        }
    }
    return {};
}

void PlasmaShellModel::setGroup(int id, const QString& name, const QJsonObject& values) {
    QJsonArray desktops = state_.value(QStringLiteral("desktops")).toArray();
    for (auto&& entry : desktops) {
        QJsonObject desktop = entry.toObject();
        if (desktop[QStringLiteral("id")].toInt() == id) {
            QJsonObject config = desktop[QStringLiteral("config")].toObject();
            config.insert(name, values);
            desktop.insert(QStringLiteral("config"), config);
            entry = desktop;
        }
    }
    state_.insert(QStringLiteral("desktops"), desktops);
}

QJsonObject PlasmaShellModel::desktop(int id, int screen, const QString& activity,
                                      const QString& type, const QJsonObject& config) {
    return {{QStringLiteral("id"), id},
            {QStringLiteral("screen"), screen},
            {QStringLiteral("activity"), activity},
            {QStringLiteral("type"), type},
            {QStringLiteral("wallpaperPlugin"), QStringLiteral("org.kde.image")},
            {QStringLiteral("config"), config}};
}

}  // namespace hushpane::test
