#pragma once

#include <QUrl>

#include <optional>

namespace hushpane {

// What a hushpane:// URL asks for. Only the scheme and the host count, both in any letter case;
// a path, query or fragment behind them is ignored.
enum class UrlCommand { hide, show, toggle, settings };

// Nothing for other schemes, URLs without a host, and hosts that name no command.
std::optional<UrlCommand> urlCommand(const QUrl& url);

}  // namespace hushpane
