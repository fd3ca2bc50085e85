#include "platform/Workspace.h"

#include <QFileInfo>

namespace hushpane {

DesktopImageFit desktopImageFit(const QVariantMap& options) {
    const QVariant scaling = options.value(QString::fromLatin1(kDesktopImageScalingKey));
    switch (scaling.isValid() ? scaling.toInt() : 3) {
        case 1:
            return DesktopImageFit::stretch;
        case 2:
            return DesktopImageFit::center;
        case 0:
            return DesktopImageFit::fit;
        default:
            return options.value(QString::fromLatin1(kDesktopImageAllowClippingKey)).toBool()
                       ? DesktopImageFit::fill
                       : DesktopImageFit::fit;
    }
}

bool Workspace::fileExistsAtPath(const QString& path) const {
    return QFileInfo::exists(path);
}

}  // namespace hushpane
