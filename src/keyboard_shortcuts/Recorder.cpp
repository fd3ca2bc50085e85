#include "keyboard_shortcuts/Recorder.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace KeyboardShortcuts {

Recorder::Recorder(Library& library, const Name& name, RecorderCocoa::OnChange onChange,
                   QWidget* parent)
    : QWidget(parent), control_(new RecorderCocoa(library, name, std::move(onChange), this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control_);
}

Recorder::Recorder(Library& library, const QString& label, const Name& name,
                   RecorderCocoa::OnChange onChange, QWidget* parent)
    : QWidget(parent),
      control_(new RecorderCocoa(library, name, std::move(onChange), this)),
      label_(new QLabel(label, this)),
      refusalLine_(new QLabel(this)) {
    label_->setBuddy(control_);
    auto* row = new QHBoxLayout;
    row->addWidget(label_);
    row->addStretch(1);
    row->addWidget(control_);

    refusalLine_->setObjectName(QStringLiteral("refusalLine"));
    refusalLine_->setWordWrap(true);
    refusalLine_->setTextFormat(Qt::PlainText);
    QPalette warning = refusalLine_->palette();
    warning.setColor(QPalette::WindowText, QColor(0xC4, 0x5A, 0x00));
    refusalLine_->setPalette(warning);
    connect(control_, &RecorderCocoa::refusalDidChange, this, &Recorder::showRefusal);
    showRefusal();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(row);
    column->addWidget(refusalLine_);
}

void Recorder::setName(const Name& name) {
    control_->setShortcutName(name);
}

void Recorder::showRefusal() {
    refusalLine_->setText(control_->refusalText());
    refusalLine_->setVisible(control_->isShowingRefusal());
}

}  // namespace KeyboardShortcuts
