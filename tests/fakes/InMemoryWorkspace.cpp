#include "fakes/InMemoryWorkspace.h"

namespace hushpane::test {

InMemoryWorkspace::Display& InMemoryWorkspace::addDisplay(const QString& id,
                                                          std::optional<quint32> number,
                                                          std::optional<QUrl> image) {
    Display d;
    d.screen.id = id;
    if (number) {
        d.screen.deviceDescription.insert(QStringLiteral("NSScreenNumber"), *number);
    }
    d.image = std::move(image);
    displays_.append(d);
    return displays_.last();
}

void InMemoryWorkspace::removeDisplay(const QString& id) {
    displays_.removeIf([&](const Display& d) { return d.screen.id == id; });
}

InMemoryWorkspace::Display& InMemoryWorkspace::display(const QString& id) {
    for (Display& d : displays_) {
        if (d.screen.id == id) {
            return d;
        }
    }
    Q_ASSERT_X(false, "InMemoryWorkspace::display", "no such display");
    return displays_.first();
}

QList<WorkspaceScreen> InMemoryWorkspace::screens() const {
    QList<WorkspaceScreen> out;
    for (const Display& d : displays_) {
        out.append(d.screen);
    }
    return out;
}

std::optional<QUrl> InMemoryWorkspace::desktopImageUrl(const WorkspaceScreen& screen) const {
    for (const Display& d : displays_) {
        if (d.screen.id == screen.id) {
            return d.image;
        }
    }
    return std::nullopt;
}

std::optional<QVariantMap> InMemoryWorkspace::desktopImageOptions(
    const WorkspaceScreen& screen) const {
    for (const Display& d : displays_) {
        if (d.screen.id == screen.id) {
            return d.options;
        }
    }
    return std::nullopt;
}

std::optional<QString> InMemoryWorkspace::setDesktopImageUrl(const QUrl& url,
                                                             const WorkspaceScreen& screen,
                                                             const QVariantMap& options) {
    setCalls.append({screen.id, url, options});
    for (Display& d : displays_) {
        if (d.screen.id == screen.id) {
            if (!d.setError.isEmpty()) {
                return d.setError;
            }
            d.image = url;
            d.options = options;
            return std::nullopt;
        }
    }
    return QStringLiteral("The display is not attached.");
}

}  // namespace hushpane::test
