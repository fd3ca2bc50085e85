#include "update/UpdateDialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace hushpane {

UpdateDialog::UpdateDialog(UrlOpener openUrl, QWidget* parent)
    : QDialog(parent),
      openUrl_(openUrl ? std::move(openUrl)
                       : UrlOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); })),
      icon_(new QLabel(this)),
      heading_(new QLabel(this)),
      detail_(new QLabel(this)),
      releaseNotes_(new QLabel(this)),
      download_(new QPushButton(tr("Open Download Page"), this)),
      close_(new QPushButton(tr("Close"), this)) {
    setWindowTitle(tr("Software Update"));
    icon_->setObjectName(QStringLiteral("icon"));
    heading_->setObjectName(QStringLiteral("heading"));
    detail_->setObjectName(QStringLiteral("detail"));
    releaseNotes_->setObjectName(QStringLiteral("releaseNotes"));
    download_->setObjectName(QStringLiteral("download"));
    close_->setObjectName(QStringLiteral("close"));

    QFont bold = heading_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    heading_->setFont(bold);
    heading_->setTextFormat(Qt::PlainText);
    detail_->setTextFormat(Qt::PlainText);
    detail_->setWordWrap(true);
    detail_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    releaseNotes_->setTextFormat(Qt::RichText);
    releaseNotes_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    releaseNotes_->setOpenExternalLinks(false);
    releaseNotes_->setText(QStringLiteral("<a href=\"#\">%1</a>").arg(tr("Release notes")));
    connect(releaseNotes_, &QLabel::linkActivated, this,
            [this] { openPage(presentation_.releaseNotesUrl); });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(download_, QDialogButtonBox::AcceptRole);
    buttons->addButton(close_, QDialogButtonBox::RejectRole);
    connect(download_, &QPushButton::clicked, this, [this] {
        openPage(presentation_.downloadPage);
        accept();
    });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    auto* text = new QVBoxLayout;
    text->setSpacing(8);
    text->addWidget(heading_);
    text->addWidget(detail_);
    text->addWidget(releaseNotes_);
    text->addStretch();
    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    row->addWidget(icon_, 0, Qt::AlignTop);
    row->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    detail_->setFixedWidth(340);

    setPresentation({});
}

void UpdateDialog::setPresentation(const UpdatePresentation& presentation) {
    presentation_ = presentation;
    const bool update = presentation.kind == UpdatePresentation::Kind::UpdateAvailable;
    const QStyle::StandardPixmap pixmap = presentation.kind == UpdatePresentation::Kind::Failed
                                              ? QStyle::SP_MessageBoxWarning
                                              : QStyle::SP_MessageBoxInformation;
    const int extent = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon_->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(extent, extent));
    heading_->setText(presentation.heading);
    detail_->setText(presentation.detail);
    detail_->setVisible(!presentation.detail.isEmpty());
    releaseNotes_->setVisible(update && !presentation.releaseNotesUrl.isEmpty());
    download_->setVisible(update);
    close_->setText(update ? tr("Later") : tr("OK"));
    (update ? download_ : close_)->setDefault(true);
    (update ? close_ : download_)->setDefault(false);
}

void UpdateDialog::openPage(const QUrl& url) {
    if (url.isValid() && !url.isEmpty()) {
        openUrl_(url);
    }
}

}  // namespace hushpane
