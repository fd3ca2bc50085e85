#pragma once

#include "platform/FileBookmarks.h"

namespace hushpane {

// A bookmark names the file by its canonical path together with the device and inode it had
// when the bookmark was made; it resolves only while that same file is still at that path.
class PosixFileBookmarks : public FileBookmarks {
public:
    std::optional<QByteArray> create(const QUrl& fileUrl) const override;
    std::optional<QUrl> resolve(const QByteArray& bookmark) const override;
};

}  // namespace hushpane
