#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

namespace hushpane::test {

// xfconf-query on the xfce4-desktop channel, run with `environment` (a PrivateSession's, or this
// process's own in a session of the shell harness): its trimmed output, nothing when it failed.
std::optional<QString> xfconfQuery(
    const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
// The value of one property.
std::optional<QString> xfconfProperty(
    const QString& property,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

}  // namespace hushpane::test
