#include "keyboard_shortcuts/Recorder.h"

#include <QHBoxLayout>
#include <QLabel>

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
      label_(new QLabel(label, this)) {
    label_->setBuddy(control_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_);
    layout->addStretch(1);
    layout->addWidget(control_);
}

void Recorder::setName(const Name& name) {
    control_->setShortcutName(name);
}

}  // namespace KeyboardShortcuts
