#pragma once

#include "platform/FileBookmarks.h"

#include <QSet>

namespace hushpane::test {

// Bookmarks are "bm:" + the path; a path in `gone` no longer resolves and `unbookmarkable`
// paths cannot be bookmarked.
class InMemoryFileBookmarks : public FileBookmarks {
public:
    std::optional<QByteArray> create(const QUrl& url) const override {
        if (unbookmarkable.contains(url.path())) {
            return std::nullopt;
        }
        return "bm:" + url.path().toUtf8();
    }
    std::optional<QUrl> resolve(const QByteArray& bookmark) const override {
        if (!bookmark.startsWith("bm:")) {
            return std::nullopt;
        }
        const QString path = QString::fromUtf8(bookmark.mid(3));
        if (gone.contains(path)) {
            return std::nullopt;
        }
        return QUrl::fromLocalFile(path);
    }

    QSet<QString> gone;
    QSet<QString> unbookmarkable;
};

}  // namespace hushpane::test
