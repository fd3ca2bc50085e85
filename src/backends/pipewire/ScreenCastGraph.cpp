#include "backends/pipewire/ScreenCastGraph.h"

#include <QRegularExpression>
#include <QStringList>

namespace hushpane::pipewire {

namespace {

const QString kKWinPrefix = QStringLiteral("kwin-screencast-");

// KWin names a cast after what it shows: an output by its connector ("DP-1", "HDMI-A-1",
// "Virtual-1"), a region as "x,y WxH", a window by its desktop file name ("org.kde.dolphin",
// "firefox", or nothing). Only the window form shows no desktop.
bool isKWinWindowCast(const QString& what) {
    static const QRegularExpression output(
        QStringLiteral("^[A-Za-z][A-Za-z0-9]*(-[A-Za-z0-9]+)*-\\d+$"));
    static const QRegularExpression region(QStringLiteral("^-?\\d+,-?\\d+ \\d+x\\d+$"));
    if (what.startsWith(QLatin1String("Virtual"))) {
        return false;
    }
    return !output.match(what).hasMatch() && !region.match(what).hasMatch();
}

ScreenCastGraph::NodeKind kindFromName(const QString& name) {
    using Kind = ScreenCastGraph::NodeKind;
    if (name.startsWith(kKWinPrefix)) {
        return isKWinWindowCast(name.mid(kKWinPrefix.size())) ? Kind::windowCast : Kind::screenCast;
    }
    // Mutter, xdg-desktop-portal-wlr and Hyprland's portal name a window's cast as they name a
    // monitor's: counted as screen casts, since missing a shared screen is the worse mistake.
    static const QStringList screenPrefixes = {
        QStringLiteral("meta-screen-cast-src"), QStringLiteral("meta-stream-source-source"),
        QStringLiteral("xdpw-stream"), QStringLiteral("xdph-streaming")};
    for (const QString& prefix : screenPrefixes) {
        if (name.startsWith(prefix)) {
            return Kind::screenCast;
        }
    }
    return Kind::other;
}

}  // namespace

ScreenCastGraph::NodeKind ScreenCastGraph::classify(const QString& mediaClass,
                                                    const QString& nodeName,
                                                    const QString& mediaName) {
    // A cast produces video: a stream's output ("Stream/Output/Video") or a source node
    // ("Video/Source"); viewers and sinks never cast.
    if (mediaClass != QLatin1String("Stream/Output/Video") &&
        mediaClass != QLatin1String("Video/Source")) {
        return NodeKind::other;
    }
    const NodeKind byNode = kindFromName(nodeName);
    return byNode != NodeKind::other ? byNode : kindFromName(mediaName);
}

void ScreenCastGraph::setNode(quint32 id, NodeKind kind) {
    nodes_.insert(id, kind);
}

void ScreenCastGraph::addLink(quint32 id, quint32 outputNode, quint32 inputNode) {
    links_.insert(id, {outputNode, inputNode});
}

void ScreenCastGraph::remove(quint32 id) {
    nodes_.remove(id);
    links_.remove(id);
}

void ScreenCastGraph::clear() {
    nodes_.clear();
    links_.clear();
}

bool ScreenCastGraph::isActive() const {
    for (const auto& [output, input] : links_) {
        if (output != input && nodes_.value(output, NodeKind::other) == NodeKind::screenCast) {
            return true;
        }
    }
    return false;
}

}  // namespace hushpane::pipewire
