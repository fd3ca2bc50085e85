#include "app/UrlCommand.h"

namespace hushpane {

std::optional<UrlCommand> urlCommand(const QUrl& url) {
    if (url.scheme().toLower() != u"hushpane") {
        return std::nullopt;
    }
    const QString host = url.host(QUrl::FullyEncoded).toLower();
    if (host == u"hide") {
        return UrlCommand::hide;
    }
    if (host == u"show") {
        return UrlCommand::show;
    }
    if (host == u"toggle") {
        return UrlCommand::toggle;
    }
    if (host == u"settings") {
        return UrlCommand::settings;
    }
    return std::nullopt;
}

}  // namespace hushpane
