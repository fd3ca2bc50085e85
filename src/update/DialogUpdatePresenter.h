#pragma once

#include "update/UpdateDialog.h"
#include "update/UpdatePresenter.h"

#include <QPointer>

namespace hushpane {

// Shows check outcomes in one UpdateDialog, made on first use and brought to the front for
// every later outcome.
class DialogUpdatePresenter : public UpdatePresenter {
public:
    explicit DialogUpdatePresenter(UpdateDialog::UrlOpener openUrl = {});
    ~DialogUpdatePresenter() override;

    void present(const UpdatePresentation& presentation) override;
    UpdateDialog* dialog() const { return dialog_; }

private:
    UpdateDialog::UrlOpener openUrl_;
    QPointer<UpdateDialog> dialog_;
};

}  // namespace hushpane
