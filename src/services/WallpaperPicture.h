#pragma once

#include <QString>

#include <memory>
#include <optional>

class QFile;

namespace hushpane {

// Whether a file can serve as the custom wallpaper: a picture Qt can read (told from its
// content, not its name) of at most kMaxPixels. Only the file's header is read, never the
// whole picture.
class WallpaperPicture {
public:
    // Larger pictures would make the desktop decode gigabytes for one wallpaper.
    static constexpr qint64 kMaxPixels = 100'000'000;

    // Nothing when the file is fine, else the sentence to show.
    static std::optional<QString> problemWith(const QString& path);

    // The file opened for reading when it is a regular file, else nothing and why in `error`.
    // Opening never waits: a pipe or a device in the picture's place would block every read.
    static std::unique_ptr<QFile> open(const QString& path, QString* error = nullptr);
};

}  // namespace hushpane
