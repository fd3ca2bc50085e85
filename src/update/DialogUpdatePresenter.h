#pragma once

#include "update/UpdateDialog.h"
#include "update/UpdatePresenter.h"

#include <QMessageBox>
#include <QPointer>

namespace hushpane {

// Shows check outcomes in one UpdateDialog, made on first use and brought to the front for
// every later outcome.
class DialogUpdatePresenter : public UpdatePresenter {
public:
    explicit DialogUpdatePresenter(UpdateDialog::UrlOpener openUrl = {});
    ~DialogUpdatePresenter() override;

    void present(const UpdatePresentation& presentation) override;
    void askAboutAutomaticChecks(std::function<void(bool)> answer) override;
    UpdateDialog* dialog() const { return dialog_; }
    QMessageBox* question() const { return question_; }

private:
    UpdateDialog::UrlOpener openUrl_;
    QPointer<UpdateDialog> dialog_;
    QPointer<QMessageBox> question_;
};

}  // namespace hushpane
