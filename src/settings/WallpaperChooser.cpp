#include "settings/WallpaperChooser.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>

namespace hushpane::settings {

std::optional<QUrl> WallpaperChooser::runModally(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QList<QUrl> urls = dialog.selectedUrls();
    if (urls.isEmpty() || urls.first().isEmpty()) {
        return std::nullopt;
    }
    return urls.first();
}

QString WallpaperChooser::imageFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(format).toLower();
        if (!patterns.contains(pattern)) {
            patterns.append(pattern);
        }
    }
    return QCoreApplication::translate("WallpaperChooser", "Images") + QStringLiteral(" (") +
           patterns.join(u' ') + u')';
}

std::optional<QString> WallpaperChooser::startingDirectory(const std::optional<QUrl>& current) {
    if (current && current->isLocalFile()) {
        return QFileInfo(current->toLocalFile()).absolutePath();
    }
    const QStringList pictures =
        QStandardPaths::standardLocations(QStandardPaths::PicturesLocation);
    if (pictures.isEmpty()) {
        return std::nullopt;
    }
    return pictures.first();
}

void WallpaperChooser::configure(QFileDialog& dialog, const std::optional<QUrl>& current) {
    dialog.setWindowTitle(QCoreApplication::translate("WallpaperChooser", "Choose a Wallpaper"));
    dialog.setLabelText(QFileDialog::Accept,
                        QCoreApplication::translate("WallpaperChooser", "Use"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(imageFilter());
    if (const std::optional<QString> directory = startingDirectory(current)) {
        dialog.setDirectory(*directory);
    }
}

std::optional<QUrl> WallpaperChooser::choose(QWidget* parent, const std::optional<QUrl>& current,
                                             const Runner& runner) {
    QFileDialog dialog(parent);
    dialog.setWindowModality(Qt::ApplicationModal);
    configure(dialog, current);
    return runner ? runner(dialog) : runModally(dialog);
}

}  // namespace hushpane::settings
