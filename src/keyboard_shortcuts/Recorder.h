#pragma once

#include "keyboard_shortcuts/RecorderCocoa.h"

#include <QWidget>

class QLabel;

namespace KeyboardShortcuts {

// The recorder as a form row: the label on the leading side, the field, as wide as its text needs,
// on the trailing side, and under them a line while another program holds the shortcut; without a
// label, the field alone.
class Recorder : public QWidget {
    Q_OBJECT
public:
    Recorder(Library& library, const Name& name, RecorderCocoa::OnChange onChange = {},
             QWidget* parent = nullptr);
    // The label is shown as given (translate it before).
    Recorder(Library& library, const QString& label, const Name& name,
             RecorderCocoa::OnChange onChange = {}, QWidget* parent = nullptr);

    // Re-showing with the same name keeps the field as it is (also a running recording);
    // another name shows that name's shortcut.
    void setName(const Name& name);

    RecorderCocoa* control() const { return control_; }
    QLabel* label() const { return label_; }
    // "Ctrl+Alt+Super+D is taken by another program; choose another shortcut", shown only
    // then; none without a label.
    QLabel* refusalLine() const { return refusalLine_; }

private:
    void showRefusal();

    RecorderCocoa* control_ = nullptr;
    QLabel* label_ = nullptr;
    QLabel* refusalLine_ = nullptr;
};

}  // namespace KeyboardShortcuts
