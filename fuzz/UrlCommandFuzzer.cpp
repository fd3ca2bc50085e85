// Command-line arguments and the URLs the desktop hands over.
#include "app/CommandLine.h"
#include "app/UrlCommand.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const hushpane::CommandLine line = hushpane::CommandLine::parse(text.split(u'\n'));
    for (const QUrl& url : line.urls) {
        (void)hushpane::urlCommand(url);
    }
    (void)hushpane::urlCommand(QUrl(text));
    return 0;
}
