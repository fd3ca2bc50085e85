#include "backends/xfce/XfceWorkspace.h"

#include "backends/xfce/XfceDesktopSwitch.h"
#include "common/Logging.h"

#include <QGuiApplication>
#include <QScreen>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace hushpane {

namespace {

constexpr auto kScreenNumberKey = "NSScreenNumber";
constexpr auto kConnectorKey = "XfceMonitorConnector";

QString channel() {
    return QString::fromLatin1(XfceDesktopSwitch::kChannel);
}

// A number the window manager keeps on the root window (_NET_CURRENT_DESKTOP), when Qt runs
// on X11 and a window manager set it.
std::optional<int> x11RootNumber(const QByteArray& name) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) {
        return std::nullopt;
    }
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!root) {
        return std::nullopt;
    }
    const xcb_intern_atom_cookie_t atomCookie =
        xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.constData());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> atom(
        xcb_intern_atom_reply(connection, atomCookie, nullptr), &free);
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, root->root, atom->atom, XCB_ATOM_CARDINAL, 0, 1);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
        return std::nullopt;
    }
    const auto* value = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
    return static_cast<int>(*value);
}

std::optional<int> x11CurrentDesktop() {
    return x11RootNumber(QByteArrayLiteral("_NET_CURRENT_DESKTOP"));
}

std::optional<int> x11NumberOfDesktops() {
    return x11RootNumber(QByteArrayLiteral("_NET_NUMBER_OF_DESKTOPS"));
}

// The properties a wallpaper state holds per workspace: exactly what setting a picture writes.
const QStringList& stateProperties() {
    static const QStringList properties{QStringLiteral("last-image"),
                                        QStringLiteral("image-style")};
    return properties;
}

QString connectorOf(const WorkspaceScreen& screen) {
    const QString stored =
        screen.deviceDescription.value(QString::fromLatin1(kConnectorKey)).toString();
    return stored.isEmpty() ? screen.id : stored;
}

}  // namespace

XfceWorkspace::XfceWorkspace(XfconfClient xfconf, CurrentWorkspace currentWorkspace,
                             CurrentWorkspace workspaceCount, QObject* parent)
    : Workspace(parent),
      xfconf_(std::move(xfconf)),
      currentWorkspace_(std::move(currentWorkspace)),
      workspaceCount_(std::move(workspaceCount)) {
    if (!currentWorkspace_) {
        currentWorkspace_ = &x11CurrentDesktop;
    }
    if (!workspaceCount_) {
        workspaceCount_ = &x11NumberOfDesktops;
    }
    if (!qGuiApp) {
        return;
    }
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watchScreen(screen);
        Q_EMIT screenParametersChanged();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this,
            [this](QScreen*) { Q_EMIT screenParametersChanged(); });
    const QList<QScreen*> attached = QGuiApplication::screens();
    for (QScreen* screen : attached) {
        watchScreen(screen);
    }
}

void XfceWorkspace::watchScreen(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, [this] { Q_EMIT screenParametersChanged(); });
}

quint32 XfceWorkspace::displayNumberForConnector(const QString& connector) {
    quint32 hash = 2166136261u;
    const QByteArray bytes = connector.toUtf8();
    for (const char c : bytes) {
        hash ^= static_cast<quint8>(c);
        hash *= 16777619u;
    }
    return hash == 0 ? 1 : hash;
}

QList<WorkspaceScreen> XfceWorkspace::screens() const {
    QList<WorkspaceScreen> result;
    const QList<QScreen*> attached = QGuiApplication::screens();
    for (const QScreen* screen : attached) {
        const QString connector = screen->name();
        WorkspaceScreen entry;
        entry.id = connector;
        entry.deviceDescription.insert(QString::fromLatin1(kScreenNumberKey),
                                       QVariant::fromValue(displayNumberForConnector(connector)));
        entry.deviceDescription.insert(QString::fromLatin1(kConnectorKey), connector);
        entry.deviceDescription.insert(QStringLiteral("NSDeviceSize"), screen->size());
        result.append(entry);
    }
    return result;
}

XfceWorkspace::Shown XfceWorkspace::shownWorkspace() const {
    const XfconfClient::Value single =
        xfconf_.property(channel(), QStringLiteral("/backdrop/single-workspace-mode"));
    if (single.error) {
        return {0, true, single.error};
    }
    // xfdesktop treats a missing value as on.
    const bool singleMode = !single.value || single.value->toBool();
    int workspace = 0;
    if (singleMode) {
        const XfconfClient::Value number =
            xfconf_.property(channel(), QStringLiteral("/backdrop/single-workspace-number"));
        if (number.error) {
            return {0, true, number.error};
        }
        if (number.value) {
            workspace = static_cast<int>(xfconfInteger(*number.value).value_or(0));
        }
    } else {
        workspace = currentWorkspace_().value_or(0);
    }
    return {std::max(workspace, 0), singleMode, std::nullopt};
}

XfceWorkspace::Prefix XfceWorkspace::backdropPrefix(const WorkspaceScreen& screen) const {
    const Shown shown = shownWorkspace();
    if (shown.error) {
        return {QString(), shown.error};
    }
    return {monitorPrefix(screen) + QStringLiteral("workspace%1/").arg(shown.number), std::nullopt};
}

std::optional<QUrl> XfceWorkspace::desktopImageUrl(const WorkspaceScreen& screen) const {
    const Prefix prefix = backdropPrefix(screen);
    XfconfClient::Value image;
    if (!prefix.error) {
        image = xfconf_.property(channel(), prefix.path + QStringLiteral("last-image"));
    }
    const std::optional<QString> error = prefix.error ? prefix.error : image.error;
    if (error) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Couldn't read the XFCE wallpaper of %1: %2").arg(screen.id, *error);
        return std::nullopt;
    }
    if (!image.value || image.value->typeId() != QMetaType::QString ||
        image.value->toString().isEmpty()) {
        return std::nullopt;
    }
    return QUrl::fromLocalFile(image.value->toString());
}

std::optional<QVariantMap> XfceWorkspace::desktopImageOptions(const WorkspaceScreen& screen) const {
    const Prefix prefix = backdropPrefix(screen);
    if (prefix.error) {
        return std::nullopt;
    }
    const XfconfClient::Value style =
        xfconf_.property(channel(), prefix.path + QStringLiteral("image-style"));
    if (!style.value) {
        return std::nullopt;
    }
    const std::optional<qint64> number = xfconfInteger(*style.value);
    if (!number) {
        return std::nullopt;
    }
    return optionsForImageStyle(static_cast<int>(*number));
}

std::optional<QString> XfceWorkspace::setDesktopImageUrl(const QUrl& url,
                                                         const WorkspaceScreen& screen,
                                                         const QVariantMap& options) {
    if (!url.isLocalFile()) {
        return tr("xfdesktop can only show a local picture, not %1").arg(url.toDisplayString());
    }
    const Workspaces workspaces = workspacesOf(screen);
    if (workspaces.error) {
        return workspaces.error;
    }
    // Every workspace of the monitor: the picture is the display's, whichever is shown.
    for (const int number : workspaces.numbers) {
        const QString prefix = monitorPrefix(screen) + QStringLiteral("workspace%1/").arg(number);
        // The picture first: a refused style still leaves the right picture on the monitor.
        if (auto error = xfconf_.setProperty(channel(), prefix + QStringLiteral("last-image"),
                                             QVariant(url.toLocalFile()))) {
            return error;
        }
        if (auto error = xfconf_.setProperty(channel(), prefix + QStringLiteral("image-style"),
                                             QVariant(imageStyleForOptions(options)))) {
            return error;
        }
    }
    return std::nullopt;
}

QString XfceWorkspace::monitorPrefix(const WorkspaceScreen& screen) {
    return QStringLiteral("/backdrop/screen0/monitor%1/").arg(connectorOf(screen));
}

XfceWorkspace::Workspaces XfceWorkspace::workspacesOf(const WorkspaceScreen& screen) const {
    const Shown shown = shownWorkspace();
    if (shown.error) {
        return {{}, shown.error};
    }
    QList<int> numbers{shown.number};
    if (shown.singleMode) {
        return {numbers, std::nullopt};  // one picture drawn on every workspace
    }
    const QString base = monitorPrefix(screen);
    const XfconfClient::Properties stored = xfconf_.properties(channel(), base.chopped(1));
    if (stored.error) {
        return {{}, stored.error};
    }
    for (auto it = stored.values.cbegin(); it != stored.values.cend(); ++it) {
        const QString rest = it.key().mid(base.size());
        if (!rest.startsWith(QLatin1String("workspace"))) {
            continue;
        }
        bool ok = false;
        const int number = rest.section(QLatin1Char('/'), 0, 0).mid(9).toInt(&ok);
        if (ok && number >= 0 && !numbers.contains(number)) {
            numbers.append(number);
        }
    }
    const int count = std::min(workspaceCount_().value_or(0), kMaxWorkspaces);
    for (int number = 0; number < count; ++number) {
        if (!numbers.contains(number)) {
            numbers.append(number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return {numbers, std::nullopt};
}

std::optional<QVariantMap> XfceWorkspace::wallpaperState(const WorkspaceScreen& screen) const {
    const Workspaces workspaces = workspacesOf(screen);
    if (workspaces.error) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Couldn't read the XFCE wallpaper of %1: %2")
                   .arg(screen.id, *workspaces.error);
        return std::nullopt;
    }
    QVariantMap state;
    for (const int number : workspaces.numbers) {
        const QString prefix = monitorPrefix(screen) + QStringLiteral("workspace%1/").arg(number);
        QVariantMap part;
        for (const QString& name : stateProperties()) {
            const XfconfClient::Value value = xfconf_.property(channel(), prefix + name);
            if (value.error) {
                qCWarning(lcDesktop).noquote()
                    << QStringLiteral("Couldn't read the XFCE wallpaper of %1: %2")
                           .arg(screen.id, *value.error);
                return std::nullopt;
            }
            if (!value.value) {
                continue;  // unset: xfdesktop's default, given back by unsetting it
            }
            if (const std::optional<qint64> integer = xfconfInteger(*value.value);
                integer && value.value->typeId() != QMetaType::QString) {
                part.insert(name, *integer);
            } else {
                part.insert(name, value.value->toString());
            }
        }
        state.insert(QStringLiteral("workspace%1").arg(number), part);
    }
    return state;
}

std::optional<QString> XfceWorkspace::restoreWallpaperState(const WorkspaceScreen& screen,
                                                            const QVariantMap& state) {
    for (auto it = state.cbegin(); it != state.cend(); ++it) {
        if (!it.key().startsWith(QLatin1String("workspace"))) {
            continue;
        }
        const QString prefix = monitorPrefix(screen) + it.key() + QLatin1Char('/');
        const QVariantMap part = it.value().toMap();
        for (const QString& name : stateProperties()) {
            const auto value = part.constFind(name);
            std::optional<QString> error;
            if (value == part.cend()) {
                error = xfconf_.resetProperty(channel(), prefix + name);
            } else if (name == QLatin1String("image-style")) {
                error = xfconf_.setProperty(channel(), prefix + name,
                                            QVariant(static_cast<int>(value->toLongLong())));
            } else {
                error = xfconf_.setProperty(channel(), prefix + name, QVariant(value->toString()));
            }
            if (error) {
                return error;
            }
        }
    }
    return std::nullopt;
}

int XfceWorkspace::imageStyleForOptions(const QVariantMap& options) {
    const QVariant own = options.value(QString::fromLatin1(kImageStyleKey));
    if (const std::optional<qint64> style = xfconfInteger(own);
        style && *style >= 0 && *style <= 6) {
        return static_cast<int>(*style);
    }
    const QVariant scaling = options.value(QString::fromLatin1(kDesktopImageScalingKey));
    const bool clipping =
        options.value(QString::fromLatin1(kDesktopImageAllowClippingKey)).toBool();
    switch (xfconfInteger(scaling).value_or(3)) {
        case 1:        // both axes scaled independently
            return 3;  // stretched
        case 2:        // not scaled
            return 1;  // centred
        case 0:        // proportionally, down only
            return 4;  // scaled
        default:       // proportionally, up or down
            return clipping ? kZoomedImageStyle : 4;
    }
}

QVariantMap XfceWorkspace::optionsForImageStyle(int imageStyle) {
    QVariantMap options;
    options.insert(QString::fromLatin1(kImageStyleKey), imageStyle);
    uint scaling = 3;
    bool clipping = false;
    switch (imageStyle) {
        case 1:  // centred
        case 2:  // tiled
            scaling = 2;
            break;
        case 3:  // stretched
            scaling = 1;
            break;
        case 5:  // zoomed
        case 6:  // spanning screens
            clipping = true;
            break;
        default:  // none, scaled
            break;
    }
    options.insert(QString::fromLatin1(kDesktopImageScalingKey), scaling);
    options.insert(QString::fromLatin1(kDesktopImageAllowClippingKey), clipping);
    return options;
}

}  // namespace hushpane
