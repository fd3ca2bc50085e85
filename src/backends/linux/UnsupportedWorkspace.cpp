#include "backends/linux/UnsupportedWorkspace.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace hushpane {

UnsupportedWorkspace::UnsupportedWorkspace(QObject* parent) : Workspace(parent) {
    if (!qGuiApp) {
        return;
    }
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &Workspace::screenParametersChanged);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &Workspace::screenParametersChanged);
}

QList<WorkspaceScreen> UnsupportedWorkspace::screens() const {
    QList<WorkspaceScreen> out;
    if (qGuiApp) {
        for (const QScreen* screen : QGuiApplication::screens()) {
            out.append({screen->name(), {}});
        }
    }
    return out;
}

std::optional<QString> UnsupportedWorkspace::setDesktopImageUrl(const QUrl&, const WorkspaceScreen&,
                                                                const QVariantMap&) {
    return QCoreApplication::translate("hushpane::UnsupportedWorkspace",
                                       "This desktop doesn't let Hushpane change its wallpaper.");
}

}  // namespace hushpane
