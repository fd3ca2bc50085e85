// desktop_screen_check COLOR SHOT PREVIOUS [WxH+X+Y]
//
// The shell side of the harness: whether SHOT (after PREVIOUS) shows a desktop drawn with the
// plain wallpaper COLOR and icons in the area given (the left column by default). Prints the
// reason; exits with 0 when drawn, 1 when not, 2 on bad arguments.

#include "support/DesktopScreenCheck.h"

#include <QImage>
#include <QRegularExpression>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s COLOR SHOT PREVIOUS [WxH+X+Y]\n", argv[0]);
        return 2;
    }
    const QColor color(QString::fromLocal8Bit(argv[1]));
    if (!color.isValid()) {
        std::fprintf(stderr, "%s: not a colour: %s\n", argv[0], argv[1]);
        return 2;
    }
    QRect area;
    if (argc == 5) {
        static const QRegularExpression geometry(
            QStringLiteral("^(\\d+)x(\\d+)\\+(\\d+)\\+(\\d+)$"));
        const auto match = geometry.match(QString::fromLocal8Bit(argv[4]));
        if (!match.hasMatch()) {
            std::fprintf(stderr, "%s: not a geometry WxH+X+Y: %s\n", argv[0], argv[4]);
            return 2;
        }
        area = QRect(match.captured(3).toInt(), match.captured(4).toInt(),
                     match.captured(1).toInt(), match.captured(2).toInt());
    }
    const QImage shot(QString::fromLocal8Bit(argv[2]));
    const QImage previous(QString::fromLocal8Bit(argv[3]));
    const auto result = hushpane::test::DesktopScreenCheck(color, area).check(shot, previous);
    std::printf("%s\n", qPrintable(result.text));
    return result.drawn ? 0 : 1;
}
