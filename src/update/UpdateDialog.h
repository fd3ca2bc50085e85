#pragma once

#include "update/UpdatePresenter.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace hushpane {

// The small window that tells the outcome of an update check: up to date, a new version with
// its release notes and a button to the download page, or what went wrong.
class UpdateDialog : public QDialog {
    Q_OBJECT
public:
    using UrlOpener = std::function<bool(const QUrl&)>;

    // `openUrl` opens web pages; the default hands them to the desktop's browser.
    explicit UpdateDialog(UrlOpener openUrl = {}, QWidget* parent = nullptr);

    void setPresentation(const UpdatePresentation& presentation);
    const UpdatePresentation& presentation() const { return presentation_; }

private:
    void openPage(const QUrl& url);

    UrlOpener openUrl_;
    UpdatePresentation presentation_;
    QLabel* icon_;
    QLabel* heading_;
    QLabel* detail_;
    QLabel* releaseNotes_;
    QPushButton* download_;
    QPushButton* close_;
};

}  // namespace hushpane
