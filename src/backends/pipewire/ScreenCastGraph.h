#pragma once

#include <QHash>
#include <QString>

#include <cstdint>
#include <utility>

namespace hushpane::pipewire {

// What the PipeWire graph tells about screen casts: the video nodes a compositor casts through,
// and whether any cast of a screen has a consumer. Fed from the registry; knows no libpipewire.
class ScreenCastGraph {
public:
    enum class NodeKind : std::uint8_t {
        other,       // not a compositor's cast: a camera, a player, a viewer
        screenCast,  // a monitor, a region, a virtual display, or a cast that cannot be told
        windowCast,  // one window only (Plasma's task-manager thumbnails are these)
    };

    // A node's kind from its media class and names ("node.name", "media.name"): the compositor
    // names its cast stream, which PipeWire files under either name depending on the version.
    static NodeKind classify(const QString& mediaClass, const QString& nodeName,
                             const QString& mediaName);

    void setNode(quint32 id, NodeKind kind);
    void addLink(quint32 id, quint32 outputNode, quint32 inputNode);
    // A node or a link that left the registry (ids are unique among both).
    void remove(quint32 id);
    void clear();

    // Some screen cast feeds a consumer.
    bool isActive() const;

private:
    QHash<quint32, NodeKind> nodes_;
    QHash<quint32, std::pair<quint32, quint32>> links_;  // output node, input node
};

}  // namespace hushpane::pipewire
