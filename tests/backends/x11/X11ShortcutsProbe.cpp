// A Qt program on the X11 platform that drives itself with xdotool on the display it is given
// and prints what the shortcut library did. The X11 test runs it against a private server.

#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/x11/X11HotKeyService.h"
#include "backends/x11/X11KeyboardLayout.h"
#include "common/UserDefaults.h"
#include "keyboard_shortcuts/KeyboardShortcuts.h"
#include "keyboard_shortcuts/Recorder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <cstdio>
#include <functional>

using namespace KeyboardShortcuts;

namespace {

void say(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > 10000) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void run(const QString& program, const QStringList& arguments) {
    QProcess::execute(program, arguments);
}

void click(QWidget* widget) {
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
         QStringLiteral("click"), QStringLiteral("1")});
}

void key(const QString& keys) {
    run(QStringLiteral("xdotool"), {QStringLiteral("key"), keys});
}

QString stored(const Name& name) {
    const auto shortcut = getShortcut(name);
    return shortcut ? QStringLiteral("%1/%2")
                          .arg(shortcut->carbonKeyCode())
                          .arg(shortcut->carbonModifiers())
                    : QStringLiteral("none");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    hushpane::PlistPreferenceDomain domain(QStringLiteral("app.hushpane"),
                                           dir.filePath(QStringLiteral("app.hushpane.plist")));
    hushpane::UserDefaults defaults(domain);
    hushpane::x11::X11HotKeyService hotKeys;
    hushpane::x11::X11KeyboardLayout layout;
    Library library(defaults, hotKeys, layout);
    const Name toggle(QStringLiteral("toggleDesktop"),
                      Shortcut(Key::d, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    int toggles = 0;
    onKeyUp(toggle, [&] { ++toggles; });

    key(QStringLiteral("ctrl+alt+super+d"));
    say(QStringLiteral("hot key: %1").arg(waitFor([&] { return toggles == 1; })));

    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    menu.popup(QPoint(20, 20));
    waitFor([&] { return menu.isVisible() && isMenuOpen(); });
    key(QStringLiteral("ctrl+alt+super+d"));
    say(QStringLiteral("in menu: %1 still open: %2")
            .arg(waitFor([&] { return toggles == 2; }))
            .arg(menu.isVisible()));
    menu.hide();
    waitFor([&] { return !isMenuOpen(); });

    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* elsewhere = new QLineEdit(&window);
    column->addWidget(elsewhere);
    auto* row = new Recorder(library, QStringLiteral("Keyboard shortcut"), toggle, {}, &window);
    column->addWidget(row);
    RecorderCocoa* field = row->control();
    window.setGeometry(0, 0, 300, 100);
    window.show();
    window.activateWindow();
    waitFor([&] { return window.isActiveWindow(); });
    QCoreApplication::processEvents();
    say(QStringLiteral("recording on open: %1").arg(field->isRecording()));

    click(field);
    waitFor([&] { return field->isRecording(); });
    key(QStringLiteral("super+shift+k"));
    waitFor([&] { return !field->isRecording(); });
    say(QStringLiteral("recorded: %1 %2").arg(field->text(), stored(toggle)));
    // The event loop runs between the recording and the next key, as it does for a person.
    QCoreApplication::processEvents();
    key(QStringLiteral("super+shift+k"));
    say(QStringLiteral("new hot key: %1").arg(waitFor([&] { return toggles == 3; })));

    run(QStringLiteral("setxkbmap"), {QStringLiteral("de")});
    click(field);
    waitFor([&] { return field->isRecording(); });
    key(QStringLiteral("ctrl+alt+z"));
    waitFor([&] { return !field->isRecording(); });
    say(QStringLiteral("recorded on de: %1 %2").arg(field->text(), stored(toggle)));
    run(QStringLiteral("setxkbmap"), {QStringLiteral("us")});

    // The library's own hot key is a grab of another X client: only a recorder that holds the
    // keyboard sees it. Recording it again stores it again and ends recording.
    click(field);
    waitFor([&] { return field->isRecording(); });
    key(QStringLiteral("ctrl+alt+y"));
    say(QStringLiteral("own hot key reaches the recorder: %1").arg(waitFor([&] {
        return !field->isRecording();
    })));
    // Every way out lets the keyboard go, so the hot key works again.
    const std::function<void()> waysOut[] = {
        [] { key(QStringLiteral("Escape")); },
        [&] { click(elsewhere); },
        [&] { field->clearFocus(); },
        [&] { window.hide(); },
    };
    for (const auto& wayOut : waysOut) {
        window.show();
        window.activateWindow();
        waitFor([&] { return window.isActiveWindow(); });
        QCoreApplication::processEvents();
        click(field);
        waitFor([&] { return field->isRecording(); });
        wayOut();
        waitFor([&] { return !field->isRecording(); });
        QCoreApplication::processEvents();
        const int before = toggles;
        key(QStringLiteral("ctrl+alt+y"));
        say(QStringLiteral("hot key after recording: %1").arg(waitFor([&] {
            return toggles == before + 1;
        })));
    }

    // The clear button under a real pointer.
    window.show();
    window.activateWindow();
    waitFor([&] { return window.isActiveWindow(); });
    QCoreApplication::processEvents();
    QWidget* clearButton = nullptr;
    for (QWidget* child : field->findChildren<QWidget*>()) {
        if (child->isVisible() && child->inherits("QToolButton")) {
            clearButton = child;
        }
    }
    if (clearButton != nullptr) {
        click(clearButton);
    }
    say(QStringLiteral("clear button click clears: %1").arg(waitFor([&] {
        return !getShortcut(toggle) && field->text().isEmpty();
    })));
    return 0;
}
