#include "settings/InlineSymbolText.h"

#include "settings/SettingsPalette.h"
#include "settings/SymbolDescription.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPainter>
#include <QUrl>

#include <cmath>

namespace hushpane::settings {

InlineSymbolText::InlineSymbolText(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    document_.setDocumentMargin(0);
    makeCaption(this);
}

void InlineSymbolText::setText(const QString& text, const QStringList& symbols) {
    text_ = text;
    symbols_ = symbols;
    rebuild();
}

void InlineSymbolText::rebuild() {
    const QColor color =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    // Like a glyph: a little taller than the capitals.
    const int size = QFontMetrics(font()).height() - 1;
    QString html = text_.toHtmlEscaped();
    plainText_ = text_;
    spokenText_ = text_;
    for (qsizetype i = 0; i < symbols_.size(); ++i) {
        const QString marker = QStringLiteral("{%1}").arg(i);
        const QString url = QStringLiteral("symbol:%1").arg(i);
        document_.addResource(QTextDocument::ImageResource, QUrl(url),
                              symbolPixmap(symbols_[i], size, color, devicePixelRatioF()));
        html.replace(marker, QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%2\" "
                                            "style=\"vertical-align: middle\">")
                                 .arg(url)
                                 .arg(size));
        plainText_.replace(marker, u'[' + symbols_[i] + u']');
        spokenText_.replace(marker, spokenSymbolName(symbols_[i]));
    }
    document_.setDefaultFont(font());
    document_.setDefaultStyleSheet(QStringLiteral("body { color: %1; }").arg(color.name()));
    document_.setHtml(QStringLiteral("<body>%1</body>").arg(html));
    setAccessibleName(spokenText_);
    updateGeometry();
    update();
}

int InlineSymbolText::heightForWidth(int width) const {
    document_.setTextWidth(width);
    return static_cast<int>(std::ceil(document_.size().height()));
}

QSize InlineSymbolText::sizeHint() const {
    const int width = this->width() > 0 ? this->width() : 400;
    return {width, heightForWidth(width)};
}

QSize InlineSymbolText::minimumSizeHint() const {
    return {50, QFontMetrics(font()).height()};
}

void InlineSymbolText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    document_.setTextWidth(width());
    document_.drawContents(&painter, rect());
}

void InlineSymbolText::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::FontChange) {
        rebuild();
    }
}

void InlineSymbolText::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    document_.setTextWidth(width());
}

}  // namespace hushpane::settings
