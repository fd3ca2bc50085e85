#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace hushpane {

// `hushpane [--help | --version | URL...]`. Every URL must name one of Hushpane's commands
// (hushpane://hide, show, toggle, settings), so a typing error is told instead of being
// handed to the running instance, which would ignore it. Nothing here needs an application
// object or a display.
struct CommandLine {
    Q_DECLARE_TR_FUNCTIONS(hushpane::CommandLine)

public:
    enum class Action { run, showHelp, showVersion, refuse };

    Action action = Action::run;
    QList<QUrl> urls;  // for run: the commands, in the order given
    QString error;     // for refuse: what to tell the user; the program exits with status 2

    static CommandLine parse(const QStringList& arguments);
    static QString helpText();
    static QString versionText();
};

}  // namespace hushpane
