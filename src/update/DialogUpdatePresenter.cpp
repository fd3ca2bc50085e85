#include "update/DialogUpdatePresenter.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPushButton>

namespace hushpane {

namespace {
// The question's texts, translated in the context hushpane::DialogUpdatePresenter.
struct QuestionText {
    Q_DECLARE_TR_FUNCTIONS(hushpane::DialogUpdatePresenter)
};
}  // namespace

DialogUpdatePresenter::DialogUpdatePresenter(UpdateDialog::UrlOpener openUrl)
    : openUrl_(std::move(openUrl)) {}

DialogUpdatePresenter::~DialogUpdatePresenter() {
    delete dialog_;
    delete question_;
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

void DialogUpdatePresenter::askAboutAutomaticChecks(std::function<void(bool)> answer) {
    if (question_) {
        question_->raise();
        return;  // asked already; the open question answers
    }
    question_ =
        new QMessageBox(QMessageBox::Question, QuestionText::tr("Check for updates automatically?"),
                        QuestionText::tr("Should Hushpane check for updates automatically?"));
    question_->setInformativeText(QuestionText::tr(
        "It looks for a newer version once a day and tells you when there is one. You can "
        "always check from its menu, and change this in its settings."));
    question_->setAttribute(Qt::WA_DeleteOnClose);
    QAbstractButton* yes =
        question_->addButton(QuestionText::tr("Check Automatically"), QMessageBox::AcceptRole);
    QAbstractButton* no =
        question_->addButton(QuestionText::tr("Don't Check"), QMessageBox::RejectRole);
    question_->setDefaultButton(qobject_cast<QPushButton*>(yes));
    question_->setEscapeButton(no);
    QObject::connect(
        question_, &QMessageBox::buttonClicked, question_,
        [yes, answer = std::move(answer)](QAbstractButton* clicked) { answer(clicked == yes); });
    question_->show();
    question_->raise();
    question_->activateWindow();
}

}  // namespace hushpane
