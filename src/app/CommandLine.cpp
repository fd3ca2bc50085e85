#include "app/CommandLine.h"

#include "app/AppInfo.h"
#include "app/UrlCommand.h"

namespace hushpane {

namespace {

CommandLine refusal(const QString& error) {
    CommandLine result;
    result.action = CommandLine::Action::refuse;
    result.error = QStringLiteral("hushpane: ") + error + u'\n' +
                   CommandLine::tr("Try \"hushpane --help\" for more information.");
    return result;
}

}  // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine result;
    for (const QString& argument : arguments) {
        if (argument == u"--help" || argument == u"-h") {
            result.action = Action::showHelp;
            return result;
        }
        if (argument == u"--version" || argument == u"-v") {
            result.action = Action::showVersion;
            return result;
        }
    }
    for (const QString& argument : arguments) {
        if (argument.startsWith(u'-')) {
            return refusal(CommandLine::tr("unknown option \"%1\"").arg(argument));
        }
        const QUrl url(argument, QUrl::StrictMode);
        // A URL names its scheme; "hide" or "/tmp/x" do not.
        if (!url.isValid() || url.scheme().isEmpty()) {
            return refusal(CommandLine::tr("\"%1\" is not a URL").arg(argument));
        }
        if (!urlCommand(url)) {
            return refusal(
                CommandLine::tr(
                    "\"%1\" is not a Hushpane command (hushpane://hide, show, toggle or settings)")
                    .arg(argument));
        }
        result.urls.append(url);
    }
    return result;
}

QString CommandLine::helpText() {
    return tr(
        "Usage: hushpane [OPTION | URL...]\n"
        "An empty desktop on demand: hides and shows the desktop icons from the tray.\n"
        "\n"
        "Without arguments Hushpane starts in the tray, or opens the settings of the\n"
        "Hushpane already running. URLs are handed to the running Hushpane (which is\n"
        "started first when none runs), in the order given:\n"
        "  hushpane://hide      hide the desktop icons\n"
        "  hushpane://show      show them again\n"
        "  hushpane://toggle    hide them when shown, show them when hidden\n"
        "  hushpane://settings  open the settings window\n"
        "\n"
        "Options:\n"
        "  -h, --help     show this help and exit\n"
        "  -v, --version  show the version and exit\n"
        "\n"
        "Exit status: 0 when done, 1 when the running Hushpane could not be reached or\n"
        "there is no display to start on, 2 for an argument that is not understood.\n"
        "See hushpane(1) for the settings and the files.\n");
}

QString CommandLine::versionText() {
    return QStringLiteral("Hushpane %1\n").arg(AppInfo::version());
}

}  // namespace hushpane
