#include "settings/SettingsPalette.h"

#include "menu/SymbolImage.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

#include <cmath>

namespace hushpane::settings {

namespace {

bool isDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128;
}

}  // namespace

QColor blend(const QColor& color, const QColor& background, qreal opacity) {
    const auto mix = [opacity](int over, int under) {
        return static_cast<int>(std::lround(over * opacity + under * (1.0 - opacity)));
    };
    return QColor(mix(color.red(), background.red()), mix(color.green(), background.green()),
                  mix(color.blue(), background.blue()));
}

QColor secondaryTextColor(const QPalette& palette, QPalette::ColorGroup group) {
    const qreal opacity = group == QPalette::Disabled ? 0.35 : 0.62;
    return blend(palette.color(QPalette::Active, QPalette::WindowText),
                 palette.color(QPalette::Active, QPalette::Window), opacity);
}

QColor accentColor(const QPalette& palette) {
    return palette.color(QPalette::Active, QPalette::Highlight);
}

QColor warningColor(const QPalette& palette) {
    return isDark(palette) ? QColor(0xFF, 0x9F, 0x0A) : QColor(0xC2, 0x5E, 0x00);
}

QColor groupFillColor(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Active, QPalette::Window);
    return isDark(palette) ? window.lighter(125) : palette.color(QPalette::Active, QPalette::Base);
}

QColor separatorColor(const QPalette& palette) {
    return blend(palette.color(QPalette::Active, QPalette::WindowText), groupFillColor(palette),
                 0.13);
}

QFont calloutFont(const QFont& base) {
    QFont font = base;
    if (base.pointSizeF() > 0) {
        font.setPointSizeF(base.pointSizeF() - 1.0);
    } else {
        font.setPixelSize(std::max(8, base.pixelSize() - 1));
    }
    return font;
}

void makeCaption(QWidget* label) {
    label->setFont(calloutFont(label->font()));
    QPalette palette = label->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, secondaryTextColor(palette, group));
    }
    label->setPalette(palette);
}

QPixmap symbolPixmap(const QString& name, int size, const QColor& color, qreal devicePixelRatio) {
    const QString path = QLatin1StringView(kSymbolRoot) + u'/' + name + QStringLiteral(".svg");
    if (size <= 0 || !QFile::exists(path)) {
        return {};
    }
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        return {};
    }
    const int pixels = static_cast<int>(std::ceil(size * devicePixelRatio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        // The symbols are drawn in black: keep their shape, take the wanted colour.
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

}  // namespace hushpane::settings
