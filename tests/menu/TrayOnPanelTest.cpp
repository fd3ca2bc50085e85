// The tray icon in a real XEmbed tray: a trayer panel of the colour the test is run with, on
// an X server and window manager of the test's own.

#include "StatusItemFixture.h"
#include "TrayContrast.h"
#include "backends/linux/X11TrayPanel.h"

#include <QGuiApplication>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

bool click(const QPoint& at, int button) {
    return QProcess::execute(
               QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                QStringLiteral("click"), QString::number(button)}) == 0;
}

class TrayOnPanel : public test::StatusItemFixture {
protected:
    void SetUp() override {
        const QString colour = qEnvironmentVariable("HUSHPANE_TEST_TRAY_COLOUR");
        if (QGuiApplication::platformName() != u"xcb" || colour.isEmpty()) {
            GTEST_SKIP() << "needs a tray panel (HUSHPANE_TEST_SESSION=display,wm,tray=0xRRGGBB)";
        }
        panelColour = QColor::fromRgb(colour.toUInt(nullptr, 16));
        ASSERT_TRUE(QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }));
        makeStatusItem(&panel);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !status->statusItem()->geometry().isEmpty(); }));
        // Drawn for the panel once the tray has taken the icon in.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !status->currentColours().outline; }));
        QTest::qWait(300);
    }

    X11TrayPanel panel;
    QColor panelColour;
};

}  // namespace

TEST_F(TrayOnPanel, TheIconStandsOutFromThePanel) {
    const QRect geometry = status->statusItem()->geometry();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QImage shot = screen->grabWindow(0).toImage();
    const QImage icon = shot.copy(geometry);
    shot.save(QStringLiteral("tray-%1.png").arg(panelColour.name().mid(1)));
    EXPECT_GE(test::iconContrast(icon, panelColour), 3.0)
        << "fill " << status->currentColours().fill.name().toStdString() << " on "
        << panelColour.name().toStdString();
}

TEST_F(TrayOnPanel, EitherButtonOpensTheMenu) {
    const QPoint centre = status->statusItem()->geometry().center();
    for (const int button : {1, 3}) {
        ASSERT_TRUE(click(centre, button));
        EXPECT_TRUE(QTest::qWaitFor([&] { return status->menu()->isVisible(); }, 3000))
            << "button " << button;
        status->menu()->hide();
        QTest::qWait(100);
    }
}
