#include "backends/linux/X11TrayPanel.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace hushpane {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* c, const QByteArray& name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(name.size()), name.constData()), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The foreground of _NET_SYSTEM_TRAY_COLORS: twelve cardinals, 16 bits a channel, the normal
// colour first.
std::optional<QColor> trayForeground(xcb_connection_t* c, int screenNumber) {
    const xcb_atom_t selection = atom(c, "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber));
    const Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr));
    if (!owner || owner->owner == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    const Reply<xcb_get_property_reply_t> colours(xcb_get_property_reply(
        c,
        xcb_get_property(c, 0, owner->owner, atom(c, "_NET_SYSTEM_TRAY_COLORS"), XCB_ATOM_CARDINAL,
                         0, 12),
        nullptr));
    if (!colours || colours->format != 32 || xcb_get_property_value_length(colours.get()) < 12) {
        return std::nullopt;
    }
    const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(colours.get()));
    return QColor::fromRgba64(static_cast<quint16>(v[0]), static_cast<quint16>(v[1]),
                              static_cast<quint16>(v[2]));
}

// The top-level window (a child of the root) under a point: the panel holding the icon.
std::optional<QRect> panelAt(xcb_connection_t* c, xcb_window_t root, const QPoint& point) {
    const Reply<xcb_translate_coordinates_reply_t> hit(xcb_translate_coordinates_reply(
        c,
        xcb_translate_coordinates(c, root, root, static_cast<int16_t>(point.x()),
                                  static_cast<int16_t>(point.y())),
        nullptr));
    if (!hit || hit->child == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, hit->child), nullptr));
    if (!geometry) {
        return std::nullopt;
    }
    return QRect(geometry->x, geometry->y, geometry->width, geometry->height);
}

// The colour most pixels of the panel show outside the icon.
std::optional<QColor> mostCommonColour(const QImage& image, const QRect& exclude) {
    QHash<QRgb, int> counts;
    QRgb best = 0;
    int bestCount = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (exclude.contains(x, y)) {
                continue;
            }
            const QRgb pixel = line[x] | 0xff000000u;
            const int count = ++counts[pixel];
            if (count > bestCount) {
                bestCount = count;
                best = pixel;
            }
        }
    }
    return bestCount > 0 ? std::optional<QColor>(QColor::fromRgb(best)) : std::nullopt;
}

}  // namespace

TrayPanelLook X11TrayPanel::look(const QRect& iconGeometry) const {
    TrayPanelLook look;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || iconGeometry.isEmpty()) {
        return look;
    }
    xcb_connection_t* c = x11->connection();
    int screenNumber = 0;
    if (const char* display = std::getenv("DISPLAY"); display && std::strchr(display, '.')) {
        screenNumber = std::atoi(std::strchr(display, '.') + 1);
    }
    look.foreground = trayForeground(c, screenNumber);

    QScreen* screen = QGuiApplication::screenAt(iconGeometry.center());
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    // Device pixels on the X side; the icon's geometry is in Qt's logical pixels.
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    const QPoint centre = (QPointF(iconGeometry.center()) * ratio).toPoint();
    const std::optional<QRect> panel = panelAt(c, root, centre);
    if (!panel || !screen) {
        return look;
    }
    const QRect logicalPanel(panel->topLeft() / ratio, panel->size() / ratio);
    const QImage image = screen
                             ->grabWindow(0, logicalPanel.x() - screen->geometry().x(),
                                          logicalPanel.y() - screen->geometry().y(),
                                          logicalPanel.width(), logicalPanel.height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    const QRect icon(
        ((QPointF(iconGeometry.topLeft() - logicalPanel.topLeft())) * image.devicePixelRatio())
            .toPoint(),
        iconGeometry.size() * image.devicePixelRatio());
    look.background = mostCommonColour(image, icon);
    return look;
}

bool X11TrayPanel::isAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool X11TrayPanel::hasStatusNotifierHost(const QDBusConnection& bus) {
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    const QDBusInterface host(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return host.isValid() && host.property("IsStatusNotifierHostRegistered").toBool();
}

}  // namespace hushpane
