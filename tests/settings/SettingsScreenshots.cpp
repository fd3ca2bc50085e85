// Renders the settings window in its typical states to PNG files, for looking at the layout:
//   settings_screenshots <output folder>
// Uses the in-memory platform, so it touches nothing on the machine it runs on.

#include "SettingsTestFixture.h"
#include "settings/SettingsPalette.h"
#include "settings/SettingsWindowController.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include "fakes/InMemoryHotKeyService.h"
#include "fakes/InMemoryKeyboardLayout.h"
#include "keyboard_shortcuts/KeyboardShortcuts.h"
#include "keyboard_shortcuts/Recorder.h"

using namespace hushpane;

namespace {

// The fixture's objects without a test around them.
class Scene : public test::SettingsFixture {
public:
    void TestBody() override {}
    using SettingsFixture::activations;
    using SettingsFixture::defaults;
    using SettingsFixture::desktop;
    using SettingsFixture::desktopSwitch;
    using SettingsFixture::loginItems;
    using SettingsFixture::prefs;
    using SettingsFixture::updater;
    using SettingsFixture::updateService;
    using SettingsFixture::workspace;
};

void settle() {
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::processEvents();
    }
}

bool report(bool saved, const QString& path, QSize size) {
    std::printf("%s %s (%dx%d)\n", saved ? "wrote" : "could not write", qPrintable(path),
                size.width(), size.height());
    return saved;
}

// `<name>.png` is the window's own rendering. On a real display `<name>-screen.png` is what
// the screen shows around the window, with the window manager's frame.
bool save(QWidget* window, const QString& out, const QString& name) {
    settle();
    const QString path = out + u'/' + name + QStringLiteral(".png");
    bool ok = report(window->grab().save(path, "PNG"), path, window->size());
    if (QGuiApplication::platformName() == QLatin1StringView("xcb")) {
        QTest::qWait(300);  // the window manager's frame and the new contents reach the screen
        const QRect area = window->frameGeometry().adjusted(-12, -12, 12, 12);
        const QPixmap screen =
            window->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        const QString screenPath = out + u'/' + name + QStringLiteral("-screen.png");
        ok = report(screen.save(screenPath, "PNG"), screenPath, screen.size()) && ok;
    }
    return ok;
}

QString writeSamplePicture(const QString& folder) {
    QImage image(640, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 400);
    sky.setColorAt(0, QColor(0x3a, 0x7b, 0xd5));
    sky.setColorAt(1, QColor(0xf3, 0xc6, 0x8c));
    painter.fillRect(image.rect(), sky);
    painter.setBrush(QColor(0x2e, 0x5e, 0x3a));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPoint(200, 460), 360, 160);
    painter.end();
    const QString path = folder + QStringLiteral(
                                      "/Lake at dusk, a very long file name that will "
                                      "not fit on one line.jpg");
    image.save(path, "JPG");
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);

    Scene scene;
    scene.updateService.report(true);
    QMenu menu;
    for (const char* title : {"Hushpane", "Desktop", "Edit", "Window"}) {
        menu.addMenu(QString::fromLatin1(title));
    }
    test::InMemoryHotKeyService hotKeys;
    test::InMemoryKeyboardLayout layout;
    KeyboardShortcuts::Library library(scene.defaults, hotKeys, layout);
    const KeyboardShortcuts::Name toggle(
        QStringLiteral("toggleDesktop"),
        KeyboardShortcuts::Shortcut(KeyboardShortcuts::Key::d,
                                    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const auto recorderRow = [&library, &toggle](const QString& label,
                                                 QWidget* parent) -> QWidget* {
        return new KeyboardShortcuts::Recorder(library, label, toggle, {}, parent);
    };
    SettingsWindowController controller(scene.prefs, scene.desktop, scene.updater, scene.loginItems,
                                        QStringLiteral("0.1.0"), recorderRow, &menu);
    controller.show();
    QCoreApplication::processEvents();
    QWidget* window = controller.window();
    if (!window || !QTest::qWaitForWindowExposed(window)) {
        return 1;
    }
    bool ok = save(window, out, QStringLiteral("settings-shown"));

    const QString picture = writeSamplePicture(out);
    scene.workspace.files.insert(picture);
    scene.prefs.setUseCustomWallpaper(true);
    scene.prefs.setCustomWallpaperURL(QUrl::fromLocalFile(picture));
    scene.prefs.setMenuBarIcon(MenuBarIcon::moon);
    scene.desktop.hide();
    ok = save(window, out, QStringLiteral("settings-hidden")) && ok;

    // With the custom wallpaper on, the last hide reports the wallpaper's outcome.
    scene.workspace.display(QStringLiteral("screen")).setError =
        QStringLiteral("The wallpaper setting of this display is locked by the administrator");
    scene.desktop.hide();
    ok = save(window, out, QStringLiteral("settings-error")) && ok;

    // A dark desktop scheme: the form takes its colours from the palette it starts with.
    {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2e));
        dark.setColor(QPalette::WindowText, QColor(0xea, 0xea, 0xea));
        dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x20));
        dark.setColor(QPalette::Text, QColor(0xea, 0xea, 0xea));
        dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3e));
        dark.setColor(QPalette::ButtonText, QColor(0xea, 0xea, 0xea));
        dark.setColor(QPalette::Highlight, QColor(0x3d, 0x8b, 0xe0));
        dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
        dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
        QApplication::setPalette(dark);
        scene.prefs.setUseCustomWallpaper(false);
        SettingsWindowController darkController(scene.prefs, scene.desktop, scene.updater,
                                                scene.loginItems, QStringLiteral("0.1.0"),
                                                recorderRow, nullptr);
        darkController.show();
        settle();
        if (darkController.window() && QTest::qWaitForWindowExposed(darkController.window())) {
            ok = save(darkController.window(), out, QStringLiteral("settings-dark")) && ok;
        }
        QApplication::setPalette(QPalette());
    }

    // The symbols the form draws, large, to check their art.
    QImage sheet(8 * 72, 72 * 3, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    int i = 0;
    QStringList names{QStringLiteral("photo"), QStringLiteral("exclamationmark.triangle.fill")};
    for (MenuBarIcon icon : MenuBarIcon::allCases()) {
        names << icon.shownSymbol() << icon.hiddenSymbol();
    }
    names.removeDuplicates();
    for (const QString& name : names) {
        painter.drawPixmap((i % 8) * 72 + 4, (i / 8) * 72 + 4,
                           settings::symbolPixmap(name, 64, Qt::black, 1.0));
        ++i;
    }
    painter.end();
    ok = sheet.save(out + QStringLiteral("/symbols.png")) && ok;
    return ok ? 0 : 1;
}
