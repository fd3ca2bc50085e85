#pragma once

#include "backends/gsettings/SettingsStore.h"
#include "backends/linux/BoundedBusCaller.h"

#include <QCoreApplication>
#include <QHash>

#include <memory>

namespace hushpane {

// GSettings through GIO, in this process: reads come from the settings database directly and
// writes go to the settings daemon (dconf) on the session bus; change notifications arrive
// through GLib's main context, which Qt's event loop runs. A schema that is not installed is
// reported as an error, never loaded (GIO would abort the process).
//
// A write waits for the daemon to take it, so a daemon that hangs would hang this process for
// GIO's 25 s: the daemon is asked first, bounded (BoundedBusCaller), and a daemon that does
// not answer fails the write before anything is changed.
class GioSettingsStore : public SettingsStore {
    Q_DECLARE_TR_FUNCTIONS(hushpane::GioSettingsStore)

public:
    static constexpr auto kDaemonService = "ca.desrt.dconf";
    static constexpr auto kDaemonPath = "/ca/desrt/dconf";

    explicit GioSettingsStore(QDBusConnection bus = QDBusConnection::sessionBus());
    ~GioSettingsStore() override;
    GioSettingsStore(const GioSettingsStore&) = delete;
    GioSettingsStore& operator=(const GioSettingsStore&) = delete;

    bool hasSchema(const QString& schema) const override;
    Value value(const QString& schema, const QString& key) const override;
    std::optional<QString> setValue(const QString& schema, const QString& key,
                                    const QVariant& value) override;
    void watch(const QString& schema, const QString& key, std::function<void()> handler) override;

private:
    struct Schema;
    // The loaded schema, or nothing (with `error`) when it is not installed.
    Schema* schema(const QString& id, QString* error) const;

    mutable QHash<QString, std::shared_ptr<Schema>> schemas_;
    BoundedBusCaller daemon_;
};

}  // namespace hushpane
