#include "platform/Workspace.h"

#include <QFileInfo>

namespace hushpane {

bool Workspace::fileExistsAtPath(const QString& path) const {
    return QFileInfo::exists(path);
}

}  // namespace hushpane
