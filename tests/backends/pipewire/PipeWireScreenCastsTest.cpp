// The trigger against a real PipeWire daemon and session manager in a session of their own,
// with casts, cameras and viewers played by GStreamer's PipeWire elements.
#include "backends/pipewire/PipeWireScreenCasts.h"
#include "backends/pipewire/PipeWireSession.h"
#include "support/EndProcess.h"
#include "support/PrivateSession.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace hushpane::pipewire {
namespace {

constexpr int kWaitMs = 15000;

// A video stream as a compositor or a camera would make it: PipeWire names the node after the
// client (node.name) and the stream (media.name).
struct Stream {
    const char* nodeName;
    const char* mediaName;
    const char* mediaClass;
};

// A stream that must not count, seen beside a screen cast that must.
struct Play {
    const char* name;
    const char* what;
    Stream ignored;
    bool ignoredIsViewed;
    Stream cast;
};

void PrintTo(const Play& play, std::ostream* out) {
    *out << play.what;
}

class Graph {
public:
    explicit Graph(test::PrivateSession& session) : session_(session) {}

    // The id of the newest node of that media.name made after `serial` (PipeWire reuses ids,
    // never serials), with its serial; 0 when there is none.
    std::pair<quint32, qint64> newestNode(const QString& mediaName, qint64 serial) const {
        std::pair<quint32, qint64> newest{0, serial};
        for (const QJsonValue& object : dump()) {
            const QJsonObject props =
                object[QStringLiteral("info")][QStringLiteral("props")].toObject();
            const qint64 objectSerial = props[QStringLiteral("object.serial")].toInteger();
            if (object[QStringLiteral("type")].toString().endsWith(QLatin1String("Node")) &&
                props[QStringLiteral("media.name")].toString() == mediaName &&
                objectSerial > newest.second) {
                newest = {object[QStringLiteral("id")].toInt(), objectSerial};
            }
        }
        return newest;
    }

    bool hasLinkFrom(quint32 node) const {
        for (const QJsonValue& object : dump()) {
            if (object[QStringLiteral("type")].toString().endsWith(QLatin1String("Link")) &&
                object[QStringLiteral("info")][QStringLiteral("output-node-id")].toInt() ==
                    static_cast<int>(node)) {
                return true;
            }
        }
        return false;
    }

private:
    QJsonArray dump() const {
        const auto out = session_.run(QStringLiteral("pw-dump"), {});
        return out ? QJsonDocument::fromJson(out->toUtf8()).array() : QJsonArray();
    }

    test::PrivateSession& session_;
};

class PipeWireScreenCastsTest : public testing::TestWithParam<Play> {
protected:
    void SetUp() override {
        for (const char* program : {"pipewire", "wireplumber", "gst-launch-1.0", "pw-dump"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty()) {
                GTEST_SKIP() << program << " is not installed";
            }
        }
        ASSERT_TRUE(session_.isValid()) << session_.error().toStdString();
        qunsetenv("PIPEWIRE_REMOTE");
        qunsetenv("PIPEWIRE_RUNTIME_DIR");
        session_.setEnvironmentVariable(QStringLiteral("WIREPLUMBER_DEBUG"), QStringLiteral("E"));
        session_.exportEnvironment();
    }

    void startDaemon() {
        lastSerial_ = 0;  // a new daemon counts from the start
        daemon_ = session_.start(QStringLiteral("pipewire"));
        ASSERT_NE(daemon_, nullptr);
        ASSERT_TRUE(
            QTest::qWaitFor([] { return QFile::exists(PipeWireSession::socketPath()); }, kWaitMs));
        manager_ = session_.start(QStringLiteral("wireplumber"));
        ASSERT_NE(manager_, nullptr);
    }

    void stopDaemon() {
        test::endProcess(*manager_);
        test::endProcess(*daemon_);
    }

    // A live test picture published as `stream`; the node's id once it is in the graph.
    quint32 publish(const Stream& stream, QProcess** process = nullptr) {
        QProcess* p = session_.start(
            QStringLiteral("gst-launch-1.0"),
            {QStringLiteral("-q"), QStringLiteral("videotestsrc"), QStringLiteral("is-live=true"),
             QStringLiteral("!"), QStringLiteral("video/x-raw,width=160,height=100"),
             QStringLiteral("!"), QStringLiteral("pipewiresink"), QStringLiteral("mode=provide"),
             QStringLiteral("client-name=%1").arg(QString::fromUtf8(stream.nodeName)),
             QStringLiteral("stream-properties=props,media.name=\"%1\",media.class=%2")
                 .arg(QString::fromUtf8(stream.mediaName), QString::fromUtf8(stream.mediaClass))});
        EXPECT_NE(p, nullptr);
        if (process != nullptr) {
            *process = p;
        }
        std::pair<quint32, qint64> node{0, lastSerial_};
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                node = graph_.newestNode(QString::fromUtf8(stream.mediaName), lastSerial_);
                return node.first != 0;
            },
            kWaitMs))
            << stream.mediaName << " did not appear";
        lastSerial_ = node.second;
        return node.first;
    }

    // A viewer of the node, as a browser or a recorder attaches to a cast.
    QProcess* view(quint32 node) {
        QProcess* p = session_.start(
            QStringLiteral("gst-launch-1.0"),
            {QStringLiteral("-q"), QStringLiteral("pipewiresrc"),
             QStringLiteral("path=%1").arg(node),
             QStringLiteral("stream-properties=props,media.type=Video,media.category=Capture,"
                            "media.role=Screen"),
             QStringLiteral("!"), QStringLiteral("fakesink")});
        EXPECT_NE(p, nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return graph_.hasLinkFrom(node); }, kWaitMs))
            << "the viewer was not linked to node " << node;
        return p;
    }

    bool waitActive(PipeWireScreenCasts& trigger, bool active) {
        return QTest::qWaitFor([&] { return trigger.isActive() == active; }, kWaitMs);
    }

    test::PrivateSession session_{test::PrivateSession::Options{.bus = true}};
    Graph graph_{session_};
    QProcess* daemon_ = nullptr;
    QProcess* manager_ = nullptr;
    qint64 lastSerial_ = 0;
};

TEST_P(PipeWireScreenCastsTest, IsActiveOnlyWhileAScreenCastIsViewed) {
    const Play& play = GetParam();
    startDaemon();
    PipeWireScreenCasts trigger;
    EXPECT_EQ(trigger.unavailableReason(), std::nullopt);
    QSignalSpy settled(&trigger, &PipeWireScreenCasts::settled);
    trigger.start();
    ASSERT_TRUE(settled.wait(kWaitMs));
    EXPECT_FALSE(trigger.isActive());

    // What must not count stays in the graph, viewed or not, for the whole case.
    const quint32 ignored = publish(play.ignored);
    if (play.ignoredIsViewed) {
        view(ignored);
    }
    QProcess* cast = nullptr;
    const quint32 node = publish(play.cast, &cast);
    QProcess* viewer = view(node);
    EXPECT_TRUE(waitActive(trigger, true)) << play.what;

    // The viewer leaves (GStreamer's cast ends with it): inactive, though the ignored stream
    // is still there.
    test::endProcess(*viewer);
    test::endProcess(*cast);
    EXPECT_TRUE(waitActive(trigger, false))
        << play.what << ": " << play.ignored.mediaName << " was taken for a screen cast";

    // The daemon goes while a cast is viewed: inactive; it comes back: followed again.
    view(publish(play.cast));
    ASSERT_TRUE(waitActive(trigger, true));
    stopDaemon();
    EXPECT_TRUE(waitActive(trigger, false));
    EXPECT_TRUE(trigger.isSettled());
    startDaemon();
    view(publish(play.cast));
    EXPECT_TRUE(waitActive(trigger, true)) << "not followed after the daemon came back";

    trigger.stop();
    EXPECT_FALSE(trigger.isActive());
    EXPECT_FALSE(trigger.isSettled());
}

INSTANTIATE_TEST_SUITE_P(
    RealDaemon, PipeWireScreenCastsTest,
    testing::Values(Play{"WindowCast",
                         "a KWin window cast viewed, a KWin monitor cast",
                         {"kwin_wayland", "kwin-screencast-org.kde.dolphin", "Stream/Output/Video"},
                         true,
                         {"kwin_wayland", "kwin-screencast-Virtual-1", "Stream/Output/Video"}},
                    Play{"Camera",
                         "a camera viewed, a GNOME monitor cast",
                         {"v4l2_input.pci-0000_00_14.0-usb-0_1_1.0", "Integrated_Webcam_HD",
                          "Video/Source"},
                         true,
                         {"gnome-shell", "meta-screen-cast-src", "Stream/Output/Video"}},
                    Play{"UnviewedCast",
                         "a GNOME cast nobody views, a wlroots portal cast",
                         {"gnome-shell", "meta-screen-cast-src", "Stream/Output/Video"},
                         false,
                         {"xdg-desktop-portal-wlr", "xdpw-stream-1", "Video/Source"}}),
    [](const testing::TestParamInfo<Play>& param) { return std::string(param.param.name); });

TEST(PipeWireScreenCasts, WithoutADaemonIsUnavailableAndSettledInactive) {
    test::PrivateSession session(test::PrivateSession::Options{.bus = false});
    qunsetenv("PIPEWIRE_REMOTE");
    qunsetenv("PIPEWIRE_RUNTIME_DIR");
    session.exportEnvironment();
    PipeWireScreenCasts trigger;
    EXPECT_EQ(trigger.unavailableReason(), QStringLiteral("PipeWire is not running"));
    QSignalSpy settled(&trigger, &PipeWireScreenCasts::settled);
    trigger.start();
    EXPECT_EQ(settled.count(), 1);
    EXPECT_FALSE(trigger.isActive());
}

}  // namespace
}  // namespace hushpane::pipewire
