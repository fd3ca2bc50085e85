#include "backends/plasma/PlasmaWorkspace.h"

#include "backends/plasma/PlasmaDefaultWallpaper.h"
#include "backends/plasma/PlasmaScripting.h"
#include "common/Logging.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QScreen>

namespace hushpane {

namespace {

constexpr auto kScreenNumberKey = "NSScreenNumber";
constexpr int kCropFillMode = 2;

const QString kReadScript = QStringLiteral(R"JS(
var out = [];
var all = desktopsForActivity(currentActivity());
for (var i = 0; i < all.length; ++i) {
    var d = all[i];
    if (d.screen < 0) continue;
    d.currentConfigGroup = ['Wallpaper', input.plugin, 'General'];
    out.push({ id: String(d.id), screen: d.screen, plugin: String(d.wallpaperPlugin),
               image: d.readConfig('Image', ''), fillMode: d.readConfig('FillMode', 2) });
}
print(JSON.stringify({desktops: out}));
)JS");

const QString kWriteScript = QStringLiteral(R"JS(
var written = false;
var all = desktops();
for (var i = 0; i < all.length; ++i) {
    var d = all[i];
    if (String(d.id) !== input.id || String(d.wallpaperPlugin) !== input.plugin) continue;
    d.currentConfigGroup = ['Wallpaper', input.plugin, 'General'];
    d.writeConfig('FillMode', input.fillMode);
    d.writeConfig('Image', input.image);
    written = true;
}
print(JSON.stringify({written: written}));
)JS");

std::optional<QString> failure(const QString& message) {
    qCWarning(lcDesktop).noquote() << QStringLiteral("KDE Plasma wallpaper: %1").arg(message);
    return message;
}

// The picture a desktop's Image names; where it names none, the one Plasma shows instead.
std::optional<QUrl> urlOf(const QString& image) {
    if (image.isEmpty()) {
        const std::optional<QString> fallback = PlasmaDefaultWallpaper::folder();
        return fallback ? std::optional(QUrl::fromLocalFile(*fallback)) : std::nullopt;
    }
    const QUrl url = image.startsWith(QLatin1Char('/')) ? QUrl::fromLocalFile(image) : QUrl(image);
    if (!url.isValid() || !url.isLocalFile()) {
        return std::nullopt;
    }
    return url;
}

}  // namespace

PlasmaWorkspace::PlasmaWorkspace(PlasmaScripting& scripting, QObject* parent)
    : Workspace(parent), scripting_(scripting) {
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(gui, &QGuiApplication::screenAdded, this,
                &PlasmaWorkspace::screenParametersChanged);
        connect(gui, &QGuiApplication::screenRemoved, this,
                &PlasmaWorkspace::screenParametersChanged);
    }
}

PlasmaWorkspace::Desktops PlasmaWorkspace::readDesktops() const {
    const PlasmaScript::Answer answer = PlasmaScript::run(
        scripting_, {{QStringLiteral("plugin"), QString::fromLatin1(kImagePlugin)}}, kReadScript);
    if (answer.error) {
        return {{}, answer.error};
    }
    const QJsonValue list = answer.result.value(QStringLiteral("desktops"));
    if (!list.isArray()) {
        return {{}, tr("plasmashell's answer lists no desktops")};
    }
    Desktops desktops;
    for (const auto& value : list.toArray()) {
        const QJsonObject entry = value.toObject();
        const QJsonValue screen = entry.value(QStringLiteral("screen"));
        const QJsonValue image = entry.value(QStringLiteral("image"));
        const QJsonValue fillMode = entry.value(QStringLiteral("fillMode"));
        if (!screen.isDouble() || !entry.value(QStringLiteral("id")).isString() ||
            !entry.value(QStringLiteral("plugin")).isString()) {
            return {{}, tr("plasmashell's answer describes a desktop oddly")};
        }
        Desktop desktop;
        desktop.id = entry.value(QStringLiteral("id")).toString();
        desktop.screen = screen.toInt();
        desktop.plugin = entry.value(QStringLiteral("plugin")).toString();
        // A value of another type is no picture Hushpane could give back: left alone.
        desktop.image = image.isString() ? image.toString() : QString();
        desktop.fillMode = fillMode.isDouble() ? fillMode.toInt() : kCropFillMode;
        desktops.list.append(desktop);
    }
    return desktops;
}

PlasmaWorkspace::Found PlasmaWorkspace::desktopOn(const WorkspaceScreen& screen) const {
    bool ok = false;
    const int number = screen.deviceDescription.value(QString::fromLatin1(kScreenKey)).toInt(&ok);
    if (!ok) {
        return {std::nullopt, tr("%1 is no Plasma screen").arg(screen.id)};
    }
    Desktops desktops = readDesktops();
    if (desktops.error) {
        return {std::nullopt, desktops.error};
    }
    for (const Desktop& desktop : std::as_const(desktops.list)) {
        if (desktop.screen == number) {
            return {desktop, std::nullopt};
        }
    }
    return {std::nullopt, tr("Plasma shows no desktop on screen %1").arg(number)};
}

QList<WorkspaceScreen> PlasmaWorkspace::screens() const {
    const Desktops desktops = readDesktops();
    if (desktops.error) {
        failure(*desktops.error);
    }
    QList<WorkspaceScreen> screens;
    QList<int> seen;
    for (const Desktop& desktop : desktops.list) {
        if (seen.contains(desktop.screen)) {
            continue;
        }
        seen.append(desktop.screen);
        WorkspaceScreen screen;
        screen.id = QStringLiteral("plasma-screen-%1").arg(desktop.screen);
        screen.deviceDescription.insert(
            QString::fromLatin1(kScreenNumberKey),
            QVariant::fromValue(static_cast<quint32>(desktop.screen) + 1U));
        screen.deviceDescription.insert(QString::fromLatin1(kScreenKey), desktop.screen);
        screens.append(screen);
    }
    return screens;
}

std::optional<QUrl> PlasmaWorkspace::desktopImageUrl(const WorkspaceScreen& screen) const {
    const Found found = desktopOn(screen);
    if (!found.desktop) {
        failure(*found.error);
        return std::nullopt;
    }
    if (found.desktop->plugin != QLatin1String(kImagePlugin)) {
        return std::nullopt;
    }
    return urlOf(found.desktop->image);
}

std::optional<QVariantMap> PlasmaWorkspace::desktopImageOptions(
    const WorkspaceScreen& screen) const {
    const Found found = desktopOn(screen);
    if (!found.desktop || found.desktop->plugin != QLatin1String(kImagePlugin)) {
        return std::nullopt;
    }
    return optionsForFillMode(found.desktop->fillMode);
}

std::optional<QString> PlasmaWorkspace::setDesktopImageUrl(const QUrl& url,
                                                           const WorkspaceScreen& screen,
                                                           const QVariantMap& options) {
    if (!url.isLocalFile()) {
        return failure(tr("only a local picture can be shown, not %1").arg(url.toDisplayString()));
    }
    const Found found = desktopOn(screen);
    if (!found.desktop) {
        return failure(*found.error);
    }
    const Desktop& desktop = *found.desktop;
    // What cannot be given back is not replaced.
    if (desktop.plugin != QLatin1String(kImagePlugin)) {
        return failure(tr("screen %1 shows a wallpaper of the kind %2, not a picture; "
                          "left alone")
                           .arg(desktop.screen)
                           .arg(desktop.plugin));
    }
    if (!urlOf(desktop.image)) {
        return failure(tr("screen %1 shows Plasma's default picture, which could not "
                          "be found to give it back; left alone (choose a picture "
                          "in the desktop's settings first)")
                           .arg(desktop.screen));
    }
    // Plasma's own picture goes back as no picture at all, as it was.
    const QString image = PlasmaDefaultWallpaper::isDefault(url.toLocalFile())
                              ? QString()
                              : QUrl::fromLocalFile(url.toLocalFile()).toString();
    const PlasmaScript::Answer answer =
        PlasmaScript::run(scripting_,
                          {{QStringLiteral("plugin"), QString::fromLatin1(kImagePlugin)},
                           {QStringLiteral("id"), desktop.id},
                           {QStringLiteral("image"), image},
                           {QStringLiteral("fillMode"), fillModeFor(options)}},
                          kWriteScript);
    if (answer.error) {
        return failure(*answer.error);
    }
    if (!answer.result.value(QStringLiteral("written")).toBool()) {
        return failure(tr("the desktop on screen %1 changed meanwhile; nothing was "
                          "written")
                           .arg(desktop.screen));
    }
    return std::nullopt;
}

int PlasmaWorkspace::fillModeFor(const QVariantMap& options) {
    bool ok = false;
    const int own = options.value(QString::fromLatin1(kFillModeKey)).toInt(&ok);
    if (ok && own >= 0 && own <= 6) {
        return own;
    }
    switch (desktopImageFit(options)) {
        case DesktopImageFit::stretch:
            return 0;
        case DesktopImageFit::center:
            return 6;
        case DesktopImageFit::fill:
            return kCropFillMode;
        case DesktopImageFit::fit:
            break;
    }
    return 1;
}

QVariantMap PlasmaWorkspace::optionsForFillMode(int fillMode) {
    uint scaling = 3;
    bool clipping = false;
    switch (fillMode) {
        case 0:
            scaling = 1;
            break;
        case 1:
            break;
        case kCropFillMode:
            clipping = true;
            break;
        default:  // tiled or centred: drawn at its own size
            scaling = 2;
    }
    return {{QString::fromLatin1(kFillModeKey), fillMode},
            {QString::fromLatin1(kDesktopImageScalingKey), scaling},
            {QString::fromLatin1(kDesktopImageAllowClippingKey), clipping}};
}

}  // namespace hushpane
