#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace hushpane {

// `hushpane [URL...]`: every argument must be a URL (hushpane://hide and the like). URLs of
// other schemes or with unknown commands are accepted here and ignored later, as when the
// desktop hands them over.
struct CommandLine {
    QList<QUrl> urls;
    QString error;  // set when an argument is not a URL; the program then exits with status 2

    static CommandLine parse(const QStringList& arguments);
};

}  // namespace hushpane
