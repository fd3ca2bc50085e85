#include "backends/linux/ConfigFileWatcher.h"

#include <QFileInfo>

namespace hushpane {

ConfigFileWatcher::ConfigFileWatcher(QString path, QObject* parent)
    : QObject(parent), path_(std::move(path)) {
    const QFileInfo file(path_);
    modified_ = file.lastModified();
    size_ = file.exists() ? file.size() : -1;
    watcher_.addPath(file.absolutePath());
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietMs);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this,
            &ConfigFileWatcher::folderChanged);
    connect(&quiet_, &QTimer::timeout, this, &ConfigFileWatcher::changed);
}

void ConfigFileWatcher::folderChanged() {
    const QFileInfo file(path_);
    const QDateTime modified = file.lastModified();
    const qint64 size = file.exists() ? file.size() : -1;
    if (modified == modified_ && size == size_) {
        return;  // another file of the folder
    }
    modified_ = modified;
    size_ = size;
    quiet_.start();
}

}  // namespace hushpane
