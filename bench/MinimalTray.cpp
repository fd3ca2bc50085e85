// The floor for idle and start-up figures: the smallest Qt Widgets tray program, with one
// menu, and (with --window) one window shown at start.
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QMenu menu;
    menu.addAction(QStringLiteral("Quit"), &app, &QApplication::quit);
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::black);
    QSystemTrayIcon tray{QIcon(pixmap)};
    tray.setContextMenu(&menu);
    tray.show();
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal Window"));
    window.resize(480, 400);
    if (app.arguments().contains(QStringLiteral("--window"))) {
        window.show();
    }
    return QApplication::exec();
}
