#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

namespace hushpane {

// Calls back whenever xfconfd reports that one property changed or went away, whoever changed
// it (xfce4-settings, xfconf-query, another program). Listening starts no daemon.
class XfconfPropertyWatcher : public QObject {
    Q_OBJECT
public:
    XfconfPropertyWatcher(QDBusConnection bus, QString channel, QString property,
                          std::function<void()> changed, QObject* parent = nullptr);
    ~XfconfPropertyWatcher() override;

private Q_SLOTS:
    // PropertyChanged and PropertyRemoved alike.
    void propertyTouched(const QString& channel, const QString& property);

private:
    void connectSignal(const QString& name, const char* slot, bool on);

    QDBusConnection bus_;
    QString channel_;
    QString property_;
    std::function<void()> changed_;
};

}  // namespace hushpane
