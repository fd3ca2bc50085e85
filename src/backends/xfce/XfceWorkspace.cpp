#include "backends/xfce/XfceWorkspace.h"

#include "backends/xfce/XfceDesktopSwitch.h"
#include "common/Logging.h"

#include <QGuiApplication>
#include <QScreen>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace hushpane {

namespace {

constexpr auto kScreenNumberKey = "NSScreenNumber";
constexpr auto kConnectorKey = "XfceMonitorConnector";

QString channel() {
    return QString::fromLatin1(XfceDesktopSwitch::kChannel);
}

// _NET_CURRENT_DESKTOP of the root window, when Qt runs on X11 and a window manager set it.
std::optional<int> x11CurrentDesktop() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) {
        return std::nullopt;
    }
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!root) {
        return std::nullopt;
    }
    static constexpr char kAtomName[] = "_NET_CURRENT_DESKTOP";
    const xcb_intern_atom_cookie_t atomCookie =
        xcb_intern_atom(connection, 1, sizeof(kAtomName) - 1, kAtomName);
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

QString connectorOf(const WorkspaceScreen& screen) {
    const QString stored =
        screen.deviceDescription.value(QString::fromLatin1(kConnectorKey)).toString();
    return stored.isEmpty() ? screen.id : stored;
}

}  // namespace

XfceWorkspace::XfceWorkspace(XfconfClient xfconf, CurrentWorkspace currentWorkspace,
                             QObject* parent)
    : Workspace(parent),
      xfconf_(std::move(xfconf)),
      currentWorkspace_(std::move(currentWorkspace)) {
    if (!currentWorkspace_) {
        currentWorkspace_ = &x11CurrentDesktop;
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

XfceWorkspace::Prefix XfceWorkspace::backdropPrefix(const WorkspaceScreen& screen) const {
    const XfconfClient::Value single =
        xfconf_.property(channel(), QStringLiteral("/backdrop/single-workspace-mode"));
    if (single.error) {
        return {QString(), single.error};
    }
    // xfdesktop treats a missing value as on.
    const bool singleMode = !single.value || single.value->toBool();
    int workspace = 0;
    if (singleMode) {
        const XfconfClient::Value number =
            xfconf_.property(channel(), QStringLiteral("/backdrop/single-workspace-number"));
        if (number.error) {
            return {QString(), number.error};
        }
        if (number.value) {
            workspace = static_cast<int>(xfconfInteger(*number.value).value_or(0));
        }
    } else {
        workspace = currentWorkspace_().value_or(0);
    }
    return {QStringLiteral("/backdrop/screen0/monitor%1/workspace%2/")
                .arg(connectorOf(screen))
                .arg(std::max(workspace, 0)),
            std::nullopt};
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
    const Prefix prefix = backdropPrefix(screen);
    if (prefix.error) {
        return prefix.error;
    }
    // The picture first: a refused style still leaves the right picture on the monitor.
    if (auto error = xfconf_.setProperty(channel(), prefix.path + QStringLiteral("last-image"),
                                         QVariant(url.toLocalFile()))) {
        return error;
    }
    return xfconf_.setProperty(channel(), prefix.path + QStringLiteral("image-style"),
                               QVariant(imageStyleForOptions(options)));
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
