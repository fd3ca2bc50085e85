#pragma once

#include <QObject>
#include <QString>

namespace hushpane {

// A gentle reminder outside the program's windows: a desktop notification.
class UpdateNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Whether a notification could be shown now.
    virtual bool isAvailable() = 0;
    // Shows (or replaces) the one update notification. Exactly one of activated() (the person
    // clicked it) or failed() may follow; a dismissed notification sends nothing.
    virtual void notify(const QString& summary, const QString& body) = 0;

Q_SIGNALS:
    void activated();
    void failed();
};

}  // namespace hushpane
