// Which video nodes count as a shared screen, and when.
#include "backends/pipewire/ScreenCastGraph.h"

#include <gtest/gtest.h>

#include <string>

namespace hushpane::pipewire {
namespace {

using Kind = ScreenCastGraph::NodeKind;

struct Named {
    const char* mediaClass;
    const char* nodeName;
    const char* mediaName;
    Kind kind;
};

TEST(ScreenCastGraph, TellsCastsFromTheirProperties) {
    const Named table[] = {
        // Mutter, before and after 51: a window's cast is named like a monitor's.
        {"Stream/Output/Video", "gnome-shell", "meta-screen-cast-src", Kind::screenCast},
        {"Stream/Output/Video", "meta-stream-source-source", "", Kind::screenCast},
        // KWin: outputs by connector, regions, virtual displays; windows by desktop file.
        {"Stream/Output/Video", "kwin_wayland", "kwin-screencast-DP-1", Kind::screenCast},
        {"Stream/Output/Video", "kwin_wayland", "kwin-screencast-HDMI-A-2", Kind::screenCast},
        {"Stream/Output/Video", "kwin_wayland", "kwin-screencast-0,0 800x600", Kind::screenCast},
        {"Stream/Output/Video", "kwin_wayland", "kwin-screencast-Virtual", Kind::screenCast},
        {"Stream/Output/Video", "kwin_wayland", "kwin-screencast-org.kde.dolphin",
         Kind::windowCast},
        {"Stream/Output/Video", "kwin_wayland", "kwin-screencast-firefox", Kind::windowCast},
        {"Stream/Output/Video", "kwin_wayland", "kwin-screencast-", Kind::windowCast},
        // The wlroots and Hyprland portals name the node itself.
        {"Video/Source", "xdpw-stream-7", "", Kind::screenCast},
        {"Video/Source", "xdph-streaming-1", "", Kind::screenCast},
        // Not casts: a camera, a viewer that borrowed a cast's name, a player.
        {"Video/Source", "v4l2_input.pci-0000_00_14.0-usb-0_1_1.0", "Integrated Camera",
         Kind::other},
        {"Stream/Input/Video", "obs", "meta-screen-cast-src", Kind::other},
        {"Stream/Output/Video", "mpv", "video", Kind::other},
    };
    for (const Named& n : table) {
        SCOPED_TRACE(std::string(n.mediaClass) + " " + n.nodeName + " / " + n.mediaName);
        EXPECT_EQ(ScreenCastGraph::classify(QString::fromUtf8(n.mediaClass),
                                            QString::fromUtf8(n.nodeName),
                                            QString::fromUtf8(n.mediaName)),
                  n.kind);
    }
}

// The registry may announce a viewer's link before the cast's names are read (the real daemon's
// test covers the rest): it counts once they are, and not after the cast left.
TEST(ScreenCastGraph, ALinkCountsOnceItsCastIsKnown) {
    ScreenCastGraph graph;
    graph.addLink(53, 43, 63);
    EXPECT_FALSE(graph.isActive());
    graph.setNode(43, Kind::screenCast);
    EXPECT_TRUE(graph.isActive());
    graph.remove(43);
    EXPECT_FALSE(graph.isActive());
}

}  // namespace
}  // namespace hushpane::pipewire
