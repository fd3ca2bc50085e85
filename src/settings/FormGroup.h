#pragma once

#include <QList>
#include <QWidget>

class QVBoxLayout;

namespace hushpane::settings {

// One section's rounded group: its rows stacked, with a hairline between each two rows that
// are shown (a hidden row takes its line with it).
class FormGroup : public QWidget {
    Q_OBJECT
public:
    explicit FormGroup(QWidget* parent = nullptr);

    void addRow(QWidget* row);
    const QList<QWidget*>& rows() const { return rows_; }
    // The rows shown now (also before the window is on screen).
    QList<QWidget*> visibleRows() const;

    static constexpr qreal kCornerRadius = 8.0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* layout_;
    QList<QWidget*> rows_;
};

}  // namespace hushpane::settings
