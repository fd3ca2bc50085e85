#include "app/CommandLine.h"

namespace hushpane {

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine result;
    for (const QString& argument : arguments) {
        const QUrl url(argument, QUrl::StrictMode);
        // A URL names its scheme; "hide" or "/tmp/x" do not.
        if (!url.isValid() || url.scheme().isEmpty()) {
            result.error = QStringLiteral(
                               "hushpane: \"%1\" is not a URL. Usage: hushpane [URL...], for "
                               "example hushpane hushpane://toggle (commands: hide, show, "
                               "toggle, settings)")
                               .arg(argument);
            result.urls.clear();
            return result;
        }
        result.urls.append(url);
    }
    return result;
}

}  // namespace hushpane
