#pragma once

#include <QByteArray>
#include <QUrl>

#include <optional>

namespace hushpane {

// Durable references to files: opaque data that resolves back to the same file later, or
// fails cleanly when that file is gone or was replaced.
class FileBookmarks {
public:
    virtual ~FileBookmarks() = default;

    virtual std::optional<QByteArray> create(const QUrl& fileUrl) const = 0;
    virtual std::optional<QUrl> resolve(const QByteArray& bookmark) const = 0;
};

}  // namespace hushpane
