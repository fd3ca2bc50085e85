#pragma once

#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace hushpane {

// Where Hushpane's plugins are looked for: relative to the program, <prefix>/lib/hushpane
// installed and build/lib/hushpane in the build tree.
QStringList pluginDirectories();

// Loads `<name>.so` from `directories` in order and hands each plugin that loads to `take`
// (its root object) until one is taken; `take` says why it refused one. The library stays
// loaded for the rest of the process: what it made may outlive this call. A file that does not
// load is logged in `log`. False, with the last reason ("it is not installed" when no file was
// found), when none was taken.
bool loadPlugin(const QString& name, const QStringList& directories,
                const std::function<bool(QObject* root, QString* reason)>& take, QString* reason,
                const QLoggingCategory& log);

}  // namespace hushpane
