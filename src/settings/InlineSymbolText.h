#pragma once

#include <QLabel>
#include <QStringList>
#include <QTextDocument>

namespace hushpane::settings {

// A wrapping caption whose text carries symbol images inline, drawn like characters in the
// text's size and colour. The text marks each symbol as {0}, {1}, ... for `symbols` in order.
// It is a label to assistive tools, read with the symbols in words.
class InlineSymbolText : public QLabel {
    Q_OBJECT
public:
    explicit InlineSymbolText(QWidget* parent = nullptr);

    // `text` is plain text (it is escaped); `symbols` are symbol names.
    void setText(const QString& text, const QStringList& symbols);

    // The text with each symbol written as its name in brackets.
    QString plainText() const { return plainText_; }
    // The text with each symbol in words, as screen readers read it (its accessible name).
    QString spokenText() const { return spokenText_; }
    QStringList symbols() const { return symbols_; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuild();

    QString text_;
    QStringList symbols_;
    QString plainText_;
    QString spokenText_;
    mutable QTextDocument document_;
};

}  // namespace hushpane::settings
