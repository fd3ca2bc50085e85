#pragma once

#include <QObject>
#include <QString>

namespace hushpane {

// The desktop's notification bubbles. The program shows at most one at a time: each show()
// replaces the one still on screen.
class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void show(const QString& summary, const QString& body) = 0;
    // Whether the last one shown is still on screen (as far as is known).
    virtual bool isShowing() const = 0;
};

}  // namespace hushpane
