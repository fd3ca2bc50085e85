#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace hushpane {

// The file system side of one preference file: bounded reading, keeping a bad file aside and
// atomic replacement. A path that is a symbolic link (chains and relative links included)
// stands for the file it points to: that file is read, kept aside and replaced in its own
// folder, and the link stays a link.
class PreferenceFile {
public:
    explicit PreferenceFile(QString path);

    // Larger files are not read at all: a preference file has no reason to grow this big.
    static constexpr qint64 kMaxSize = qint64(4) << 20;

    struct Contents {
        enum class State {
            Absent,      // nothing there yet
            Read,        // `bytes` holds the whole file
            TooLarge,    // a regular file over kMaxSize, left unread
            Unreadable,  // it exists but cannot be read (`error` says why): leave it alone
        };
        State state = State::Absent;
        QByteArray bytes;
        QString error;
    };

    // Never blocks: FIFOs, devices, sockets and directories are refused without reading them.
    Contents read() const;

    // Renames the file to "<name>.corrupt" (or "<name>.corrupt.N") next to it; the new path,
    // or nothing with `error` set.
    std::optional<QString> moveAside(QString& error) const;

    // Writes `bytes` to a temporary file in the target's folder, syncs it and renames it over
    // the target, then syncs the folder. False with `error` set when any step failed; the
    // old file is then untouched, and so it is when `bytes` are more than kMaxSize, which
    // would not be read back. The file keeps its permissions.
    bool replace(const QByteArray& bytes, QString& error) const;

    // Temporary files whose writer died before renaming them.
    void removeStaleTemporaryFiles() const;

    // The side file that orders writers of the same target, however they reach it.
    QString lockPath() const;

private:
    struct Target {
        QString path;  // the file the links end at
        bool exists = false;
        QString error;  // set when the links cannot be followed
    };
    Target resolve() const;

    QString path_;
};

}  // namespace hushpane
