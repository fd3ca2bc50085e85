#include "backends/posix/PosixFileBookmarks.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/stat.h>

namespace hushpane {

namespace {

constexpr QByteArrayView kMagic = "hushpane-bookmark/1\n";

bool identify(const QString& path, quint64& device, quint64& inode) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return false;
    }
    device = static_cast<quint64>(st.st_dev);
    inode = static_cast<quint64>(st.st_ino);
    return true;
}

}  // namespace

std::optional<QByteArray> PosixFileBookmarks::create(const QUrl& fileUrl) const {
    if (!fileUrl.isLocalFile()) {
        return std::nullopt;
    }
    const QString canonical = QFileInfo(fileUrl.toLocalFile()).canonicalFilePath();
    quint64 device = 0;
    quint64 inode = 0;
    if (canonical.isEmpty() || !identify(canonical, device, inode)) {
        return std::nullopt;
    }
    const QJsonObject o{{QStringLiteral("path"), canonical},
                        {QStringLiteral("device"), QString::number(device)},
                        {QStringLiteral("inode"), QString::number(inode)}};
    return kMagic.toByteArray() + QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<QUrl> PosixFileBookmarks::resolve(const QByteArray& bookmark) const {
    if (!bookmark.startsWith(kMagic)) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bookmark.mid(kMagic.size()), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    const QString path = o.value(QStringLiteral("path")).toString();
    bool okDevice = false;
    bool okInode = false;
    const quint64 device = o.value(QStringLiteral("device")).toString().toULongLong(&okDevice);
    const quint64 inode = o.value(QStringLiteral("inode")).toString().toULongLong(&okInode);
    if (path.isEmpty() || !okDevice || !okInode) {
        return std::nullopt;
    }
    quint64 nowDevice = 0;
    quint64 nowInode = 0;
    if (!identify(path, nowDevice, nowInode) || nowDevice != device || nowInode != inode) {
        return std::nullopt;
    }
    return QUrl::fromLocalFile(path);
}

}  // namespace hushpane
