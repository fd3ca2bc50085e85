#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

namespace hushpane {

// Tells when a desktop's settings file changes, also when its program replaces it whole (a
// save to a temporary file renamed over it, which ends a watch on the file itself) or creates
// it. Its folder is watched and the file's time and size compared, so the other files there
// cost a stat each; a burst of saves is told once, after a quiet period. A folder that does
// not exist yet is not made: there are no settings to follow until the program makes it.
class ConfigFileWatcher : public QObject {
    Q_OBJECT

public:
    static constexpr int kQuietMs = 300;

    explicit ConfigFileWatcher(QString path, QObject* parent = nullptr);

Q_SIGNALS:
    void changed();

private:
    void folderChanged();

    QString path_;
    QFileSystemWatcher watcher_;
    QTimer quiet_;
    QDateTime modified_;
    qint64 size_ = -1;
};

}  // namespace hushpane
