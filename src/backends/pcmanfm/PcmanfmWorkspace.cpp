#include "backends/pcmanfm/PcmanfmWorkspace.h"

#include "backends/linux/AwaitAnswer.h"
#include "backends/pcmanfm/FileManagerDesktop.h"
#include "backends/pcmanfm/IniFile.h"
#include "common/Logging.h"

#include <QDir>
#include <QFileSystemWatcher>
#include <QTimer>

namespace hushpane {

namespace {

constexpr auto kScreenNumberKey = "NSScreenNumber";

// What a key file cannot hold as plain text (QSettings would quote or escape it).
bool needsQuoting(const QString& text) {
    return text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
           text.contains(QLatin1Char('\\')) || text.contains(QLatin1Char(';')) ||
           text.contains(QLatin1Char('\n')) || text.startsWith(QLatin1Char('@')) ||
           text != text.trimmed();
}

}  // namespace

PcmanfmWorkspace::PcmanfmWorkspace(FileManagerDesktop& program, Layout layout, QObject* parent)
    : Workspace(parent), program_(program), layout_(std::move(layout)) {}

QList<WorkspaceScreen> PcmanfmWorkspace::screens() const {
    WorkspaceScreen all;
    all.id = QString::fromLatin1(kScreenId);
    all.deviceDescription.insert(QString::fromLatin1(kScreenNumberKey),
                                 QVariant::fromValue(kScreenNumber));
    return {all};
}

std::optional<QString> PcmanfmWorkspace::failure(const QString& message) const {
    qCWarning(lcDesktop).noquote()
        << QStringLiteral("%1 wallpaper: %2").arg(layout_.desktopName, message);
    return message;
}

std::optional<IniFile> PcmanfmWorkspace::readFile() const {
    IniFile::Read read =
        IniFile::read(program_.profileDirectory() + QLatin1Char('/') + layout_.file);
    if (!read.file) {
        failure(read.error);
    }
    return read.file;
}

std::optional<QUrl> PcmanfmWorkspace::desktopImageUrl(const WorkspaceScreen&) const {
    const std::optional<IniFile> ini = readFile();
    const QString picture =
        ini ? ini->value(layout_.section, layout_.pictureKey).value_or(QString()) : QString();
    if (picture.isEmpty() || !QDir::isAbsolutePath(picture)) {
        return std::nullopt;
    }
    return QUrl::fromLocalFile(picture);
}

std::optional<QVariantMap> PcmanfmWorkspace::desktopImageOptions(const WorkspaceScreen&) const {
    const std::optional<IniFile> ini = readFile();
    if (!ini) {
        return std::nullopt;
    }
    const std::optional<QString> mode = ini->value(layout_.section, layout_.modeKey);
    if (!mode || !layout_.modes.contains(*mode)) {
        return std::nullopt;
    }
    return optionsForMode(*mode);
}

std::optional<QString> PcmanfmWorkspace::editFile(const QString& picture,
                                                  const QString& mode) const {
    const QString dir = program_.profileDirectory();
    const QString path = dir + QLatin1Char('/') + layout_.file;
    IniFile::Read read = IniFile::read(path);
    if (!read.file) {
        return read.error;
    }
    read.file->setValue(layout_.section, layout_.pictureKey, picture);
    read.file->setValue(layout_.section, layout_.modeKey, mode);
    QDir().mkpath(dir);
    return read.file->write(path);
}

bool PcmanfmWorkspace::fileHolds(const QString& picture, const QString& mode) const {
    const IniFile::Read read =
        IniFile::read(program_.profileDirectory() + QLatin1Char('/') + layout_.file);
    return read.file && read.file->value(layout_.section, layout_.pictureKey) == picture &&
           read.file->value(layout_.section, layout_.modeKey) == mode;
}

void PcmanfmWorkspace::whenFileHolds(
    const QString& picture, const QString& mode,
    const std::function<void(const std::optional<QString>&)>& done) {
    if (fileHolds(picture, mode)) {
        done(std::nullopt);
        return;
    }
    // The handed-over command ends before the running instance has taken it; the instance
    // writes the file once it has, replacing it, so its folder is watched too.
    const QString dir = program_.profileDirectory();
    auto* watcher = new QFileSystemWatcher({dir, dir + QLatin1Char('/') + layout_.file}, this);
    auto* bound = new QTimer(watcher);
    bound->setSingleShot(true);
    const auto check = [this, watcher, picture, mode, done] {
        if (fileHolds(picture, mode)) {
            watcher->disconnect();
            watcher->deleteLater();
            done(std::nullopt);
        }
    };
    connect(watcher, &QFileSystemWatcher::directoryChanged, watcher, check);
    connect(watcher, &QFileSystemWatcher::fileChanged, watcher, check);
    connect(bound, &QTimer::timeout, watcher, [this, watcher, done] {
        watcher->disconnect();
        watcher->deleteLater();
        done(tr("%1 did not take the wallpaper within %2 s")
                 .arg(program_.name())
                 .arg(program_.timeoutMs() / 1000.0));
    });
    bound->start(program_.timeoutMs());
}

void PcmanfmWorkspace::setLive(const QString& picture, const QString& mode,
                               const std::function<void(const std::optional<QString>&)>& done) {
    program_.tellThen(
        {QStringLiteral("--set-wallpaper=") + picture, QStringLiteral("--wallpaper-mode=") + mode},
        [this, picture, mode, done](const std::optional<QString>& error) {
            if (error) {
                done(error);
            } else {
                whenFileHolds(picture, mode, done);
            }
        });
}

std::optional<QString> PcmanfmWorkspace::setDesktopImageUrl(const QUrl& url, const WorkspaceScreen&,
                                                            const QVariantMap& options) {
    if (!url.isLocalFile()) {
        return failure(tr("only a local picture can be shown, not %1").arg(url.toDisplayString()));
    }
    const QString picture = url.toLocalFile();
    const QString mode = modeFor(options);
    const DesktopProgram::State state = program_.state();
    if (state == DesktopProgram::State::notAnswering) {
        return failure(tr("%1 doesn't answer; the wallpaper was not changed").arg(program_.name()));
    }
    std::optional<QString> error;
    if (state == DesktopProgram::State::answering && layout_.setsWallpaperLive) {
        error = awaitAnswer<std::optional<QString>>(
            [&](const auto& done) { setLive(picture, mode, done); });
    } else if (needsQuoting(picture)) {
        error = tr("the path %1 can't be written into %2's settings as it is")
                    .arg(picture, program_.name());
    } else if (state == DesktopProgram::State::answering) {
        error = program_.restart([&] { return editFile(picture, mode); });
    } else {
        // Nothing runs to write over the file: it is read at the next start.
        error = editFile(picture, mode);
    }
    if (error) {
        return failure(*error);
    }
    qCInfo(lcDesktop).noquote()
        << QStringLiteral("%1 wallpaper set to %2 (%3)").arg(layout_.desktopName, picture, mode);
    return std::nullopt;
}

QString PcmanfmWorkspace::modeFor(const QVariantMap& options) const {
    QString own = options.value(QString::fromLatin1(kModeKey)).toString();
    if (layout_.modes.contains(own)) {
        return own;
    }
    switch (desktopImageFit(options)) {
        case DesktopImageFit::stretch:
            return QStringLiteral("stretch");
        case DesktopImageFit::center:
            return QStringLiteral("center");
        case DesktopImageFit::fill:
            return layout_.zoomMode;
        case DesktopImageFit::fit:
            break;
    }
    return QStringLiteral("fit");
}

QVariantMap PcmanfmWorkspace::optionsForMode(const QString& mode) {
    uint scaling = 3;
    bool clipping = false;
    if (mode == QLatin1String("stretch")) {
        scaling = 1;
    } else if (mode == QLatin1String("center") || mode == QLatin1String("tile") ||
               mode == QLatin1String("color")) {
        scaling = 2;
    } else if (mode != QLatin1String("fit")) {
        clipping = true;  // crop, zoom, screen
    }
    return QVariantMap{{QString::fromLatin1(kModeKey), mode},
                       {QString::fromLatin1(kDesktopImageScalingKey), scaling},
                       {QString::fromLatin1(kDesktopImageAllowClippingKey), clipping}};
}

}  // namespace hushpane
