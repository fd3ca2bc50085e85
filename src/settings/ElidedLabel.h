#pragma once

#include <QWidget>

namespace hushpane::settings {

// One line of text that is shortened in the middle when it does not fit, so that both its
// start and its end (a file's extension) stay visible. It never asks for more width.
class ElidedLabel : public QWidget {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    // What is drawn at the current width.
    QString displayedText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

}  // namespace hushpane::settings
