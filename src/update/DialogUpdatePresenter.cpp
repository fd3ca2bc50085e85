#include "update/DialogUpdatePresenter.h"

namespace hushpane {

DialogUpdatePresenter::DialogUpdatePresenter(UpdateDialog::UrlOpener openUrl)
    : openUrl_(std::move(openUrl)) {}

DialogUpdatePresenter::~DialogUpdatePresenter() {
    delete dialog_;
}

void DialogUpdatePresenter::present(const UpdatePresentation& presentation) {
    if (!dialog_) {
        dialog_ = new UpdateDialog(openUrl_);
    }
    dialog_->setPresentation(presentation);
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

}  // namespace hushpane
