#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

namespace hushpane {

// Emits changed() whenever xfconfd reports that one property changed or went away, whoever changed
// it (xfce4-settings, xfconf-query, another program). Listening starts no daemon.
class XfconfPropertyWatcher : public QObject {
    Q_OBJECT
public:
    XfconfPropertyWatcher(QDBusConnection bus, QString channel, QString property,
                          QObject* parent = nullptr);
    ~XfconfPropertyWatcher() override;

Q_SIGNALS:
    void changed();

private Q_SLOTS:
    // PropertyChanged and PropertyRemoved alike.
    void propertyTouched(const QString& channel, const QString& property);

private:
    void connectSignal(const QString& name, const char* slot, bool on);

    QDBusConnection bus_;
    QString channel_;
    QString property_;
};

}  // namespace hushpane
