#include "support/TestPaths.h"
#include "update/DialogUpdatePresenter.h"
#include "update/UpdateDialog.h"

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace hushpane;
using Kind = UpdatePresentation::Kind;

namespace {

UpdatePresentation presentation(Kind kind, const QString& heading, const QString& detail,
                                const QString& notes = {}, const QString& page = {}) {
    UpdatePresentation p;
    p.kind = kind;
    p.heading = heading;
    p.detail = detail;
    p.releaseNotesUrl = QUrl(notes);
    p.downloadPage = QUrl(page);
    return p;
}

const UpdatePresentation kUpToDate =
    presentation(Kind::UpToDate, QStringLiteral("You're up to date."),
                 QStringLiteral("Hushpane 0.1.0 is the newest version available."));
const UpdatePresentation kUpdate = presentation(
    Kind::UpdateAvailable, QStringLiteral("A new version of Hushpane is available."),
    QStringLiteral("Hushpane 0.2.0 is available; you have 0.1.0. It was released on Monday, "
                   "7 December 2026."),
    QStringLiteral("https://hushpane.app/notes/0.2.0"),
    QStringLiteral("https://hushpane.app/download/0.2.0"));
const UpdatePresentation kFailed =
    presentation(Kind::Failed, QStringLiteral("Couldn't check for updates."),
                 QStringLiteral("The update server answered with HTTP error 404 (Not Found)."));

struct Parts {
    QLabel* heading;
    QLabel* detail;
    QLabel* releaseNotes;
    QPushButton* download;
    QPushButton* close;
};

Parts partsOf(UpdateDialog& dialog) {
    return {dialog.findChild<QLabel*>(QStringLiteral("heading")),
            dialog.findChild<QLabel*>(QStringLiteral("detail")),
            dialog.findChild<QLabel*>(QStringLiteral("releaseNotes")),
            dialog.findChild<QPushButton*>(QStringLiteral("download")),
            dialog.findChild<QPushButton*>(QStringLiteral("close"))};
}

// Pictures of each state, to look at after a run (the build's screenshots/ folder).
void saveScreenshot(UpdateDialog& dialog, const QString& name) {
    QString dir = qEnvironmentVariable("HUSHPANE_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        dir = test::buildDirectory() + QStringLiteral("/screenshots");
    }
    QDir().mkpath(dir);
    dialog.show();
    dialog.adjustSize();
    const QImage image = dialog.grab().toImage();
    EXPECT_FALSE(image.isNull());
    EXPECT_TRUE(
        image.save(dir + QStringLiteral("/update-dialog-") + name + QStringLiteral(".png")));
    dialog.hide();
}

}  // namespace

TEST(UpdateDialog, ShowsEachOutcomeWithOnlyTheControlsItNeeds) {
    UpdateDialog dialog([](const QUrl&) { return true; });
    const Parts parts = partsOf(dialog);
    ASSERT_TRUE(parts.heading && parts.detail && parts.releaseNotes && parts.download &&
                parts.close);

    dialog.setPresentation(kUpdate);
    EXPECT_EQ(parts.heading->text(), kUpdate.heading);
    EXPECT_EQ(parts.detail->text(), kUpdate.detail);
    EXPECT_FALSE(parts.releaseNotes->isHidden());
    EXPECT_FALSE(parts.download->isHidden());
    EXPECT_TRUE(parts.download->isDefault());
    EXPECT_EQ(parts.close->text(), u"Later");
    saveScreenshot(dialog, QStringLiteral("update-available"));

    dialog.setPresentation(kUpToDate);
    EXPECT_EQ(parts.heading->text(), u"You're up to date.");
    EXPECT_TRUE(parts.releaseNotes->isHidden());
    EXPECT_TRUE(parts.download->isHidden());
    EXPECT_EQ(parts.close->text(), u"OK");
    EXPECT_TRUE(parts.close->isDefault());
    saveScreenshot(dialog, QStringLiteral("up-to-date"));

    dialog.setPresentation(kFailed);
    EXPECT_EQ(parts.detail->text(), kFailed.detail);
    EXPECT_TRUE(parts.download->isHidden());
    saveScreenshot(dialog, QStringLiteral("error"));

    // An update without release notes has no link to them.
    UpdatePresentation noNotes = kUpdate;
    noNotes.releaseNotesUrl.clear();
    dialog.setPresentation(noNotes);
    EXPECT_TRUE(parts.releaseNotes->isHidden());
    EXPECT_FALSE(parts.download->isHidden());
}

TEST(UpdateDialog, LinksOpenInTheBrowserAndTextIsNeverMarkup) {
    QList<QUrl> opened;
    UpdateDialog dialog([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    const Parts parts = partsOf(dialog);
    UpdatePresentation update = kUpdate;
    update.detail = QStringLiteral("<img src=\"https://tracker.example/\">Hushpane 0.2.0");
    dialog.setPresentation(update);
    dialog.show();

    Q_EMIT parts.releaseNotes->linkActivated(QStringLiteral("#"));
    EXPECT_TRUE(dialog.isVisible()) << "reading the notes keeps the dialog";
    parts.download->click();
    EXPECT_EQ(opened, (QList<QUrl>{kUpdate.releaseNotesUrl, kUpdate.downloadPage}));
    EXPECT_FALSE(dialog.isVisible());
    // Feed and server texts are shown as they are, never rendered.
    EXPECT_EQ(parts.detail->textFormat(), Qt::PlainText);
    EXPECT_EQ(parts.heading->textFormat(), Qt::PlainText);
}

TEST(DialogUpdatePresenter, ReusesOneDialogAndShowsTheLatestOutcome) {
    DialogUpdatePresenter presenter([](const QUrl&) { return true; });
    EXPECT_EQ(presenter.dialog(), nullptr) << "made on first use";
    presenter.present(kFailed);
    UpdateDialog* first = presenter.dialog();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    first->reject();
    EXPECT_FALSE(first->isVisible());

    presenter.present(kUpdate);
    EXPECT_EQ(presenter.dialog(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->presentation(), kUpdate);
}

TEST(DialogUpdatePresenter, TheQuestionAnswersWithTheButtonChosenAndClosingAnswersNothing) {
    for (const QString& button :
         {QStringLiteral("Check Automatically"), QStringLiteral("Don't Check"), QString()}) {
        SCOPED_TRACE(button.toStdString());
        DialogUpdatePresenter presenter;
        QList<bool> answers;
        presenter.askAboutAutomaticChecks([&](bool check) { answers.append(check); });
        QMessageBox* question = presenter.question();
        ASSERT_NE(question, nullptr);
        EXPECT_TRUE(question->isVisible());
        if (button.isEmpty()) {
            question->close();
            EXPECT_TRUE(answers.isEmpty());
            continue;
        }
        for (QAbstractButton* b : question->buttons()) {
            if (b->text() == button) {
                b->click();
            }
        }
        EXPECT_EQ(answers, QList<bool>{button == QStringLiteral("Check Automatically")});
    }
}
