#include "backends/gsettings/GioSettingsStore.h"

#include "platform/DesktopSwitch.h"

#include <QStringList>

#include <map>
#include <memory>

// GLib's headers name a structure member `signals`, which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace hushpane {

namespace {

struct Unref {
    void operator()(GVariant* v) const { g_variant_unref(v); }
    void operator()(GSettingsSchemaKey* k) const { g_settings_schema_key_unref(k); }
};
using VariantPtr = std::unique_ptr<GVariant, Unref>;
using KeyPtr = std::unique_ptr<GSettingsSchemaKey, Unref>;

QVariant toQVariant(GVariant* value) {
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN)) {
        return QVariant(g_variant_get_boolean(value) != FALSE);
    }
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)) {
        return QVariant(QString::fromUtf8(g_variant_get_string(value, nullptr)));
    }
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_INT32)) {
        return QVariant(static_cast<int>(g_variant_get_int32(value)));
    }
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_UINT32)) {
        return QVariant(static_cast<uint>(g_variant_get_uint32(value)));
    }
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_INT64)) {
        return QVariant(static_cast<qlonglong>(g_variant_get_int64(value)));
    }
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_DOUBLE)) {
        return QVariant(g_variant_get_double(value));
    }
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY)) {
        QStringList list;
        gsize count = 0;
        const gchar** strings = g_variant_get_strv(value, &count);
        for (gsize i = 0; i < count; ++i) {
            list.append(QString::fromUtf8(strings[i]));
        }
        g_free(static_cast<gpointer>(strings));
        return QVariant(list);
    }
    // Anything else is kept in GVariant's own text form, so it can at least be reported.
    gchar* text = g_variant_print(value, TRUE);
    const QString printed = QString::fromUtf8(text);
    g_free(text);
    return QVariant(printed);
}

// The GVariant of `type` for `value`, or null when the QVariant is not of that kind.
GVariant* toGVariant(const QVariant& value, const GVariantType* type) {
    const int id = value.typeId();
    if (g_variant_type_equal(type, G_VARIANT_TYPE_BOOLEAN) && id == QMetaType::Bool) {
        return g_variant_new_boolean(value.toBool() ? TRUE : FALSE);
    }
    if (g_variant_type_equal(type, G_VARIANT_TYPE_STRING) && id == QMetaType::QString) {
        return g_variant_new_string(value.toString().toUtf8().constData());
    }
    const bool integral = id == QMetaType::Int || id == QMetaType::UInt ||
                          id == QMetaType::LongLong || id == QMetaType::ULongLong;
    if (g_variant_type_equal(type, G_VARIANT_TYPE_INT32) && integral) {
        return g_variant_new_int32(value.toInt());
    }
    if (g_variant_type_equal(type, G_VARIANT_TYPE_UINT32) && integral) {
        return g_variant_new_uint32(value.toUInt());
    }
    if (g_variant_type_equal(type, G_VARIANT_TYPE_INT64) && integral) {
        return g_variant_new_int64(value.toLongLong());
    }
    if (g_variant_type_equal(type, G_VARIANT_TYPE_DOUBLE) &&
        (integral || id == QMetaType::Double)) {
        return g_variant_new_double(value.toDouble());
    }
    return nullptr;
}

QString typeText(const GVariantType* type) {
    return QString::fromUtf8(g_variant_type_peek_string(type),
                             static_cast<qsizetype>(g_variant_type_get_string_length(type)));
}

}  // namespace

struct GioSettingsStore::Schema {
    GSettingsSchema* schema = nullptr;
    GSettings* settings = nullptr;
    // The watched keys' handlers, each with its signal connection.
    struct Watch {
        std::function<void()> handler;
        gulong connection = 0;
    };
    std::map<QString, std::unique_ptr<Watch>> watches;

    ~Schema() {
        for (const auto& [key, watch] : watches) {
            g_signal_handler_disconnect(settings, watch->connection);
        }
        if (settings) {
            g_object_unref(settings);
        }
        if (schema) {
            g_settings_schema_unref(schema);
        }
    }
    KeyPtr key(const QString& name) const {
        const QByteArray utf8 = name.toUtf8();
        if (!g_settings_schema_has_key(schema, utf8.constData())) {
            return KeyPtr();
        }
        return KeyPtr(g_settings_schema_get_key(schema, utf8.constData()));
    }
};

GioSettingsStore::GioSettingsStore(QDBusConnection bus)
    : daemon_(std::move(bus), QString::fromLatin1(kDaemonService), QString::fromLatin1(kDaemonPath),
              kDesktopCallTimeoutMs, kDesktopCallTimeoutMs * 10, [](const QDBusMessage&) {
                  return tr("dconf, the settings daemon, doesn't answer (waited %1 s)")
                      .arg(kDesktopCallTimeoutMs / 1000.0);
              }) {}
GioSettingsStore::~GioSettingsStore() = default;

GioSettingsStore::Schema* GioSettingsStore::schema(const QString& id, QString* error) const {
    if (const auto found = schemas_.constFind(id); found != schemas_.cend()) {
        return found->get();
    }
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source ? g_settings_schema_source_lookup(source, id.toUtf8().constData(), TRUE) : nullptr;
    if (!schema) {
        *error = tr("the settings schema %1 is not installed").arg(id);
        return nullptr;
    }
    auto loaded = std::make_shared<Schema>();
    loaded->schema = schema;
    loaded->settings = g_settings_new_full(schema, nullptr, nullptr);
    schemas_.insert(id, loaded);
    return loaded.get();
}

bool GioSettingsStore::hasSchema(const QString& schemaId) const {
    QString error;
    return schema(schemaId, &error) != nullptr;
}

SettingsStore::Value GioSettingsStore::value(const QString& schemaId, const QString& key) const {
    QString error;
    const Schema* loaded = schema(schemaId, &error);
    if (!loaded) {
        return {std::nullopt, error};
    }
    if (!loaded->key(key)) {
        return {std::nullopt, tr("%1 has no key %2").arg(schemaId, key)};
    }
    const VariantPtr value(g_settings_get_value(loaded->settings, key.toUtf8().constData()));
    return {toQVariant(value.get()), std::nullopt};
}

std::optional<QString> GioSettingsStore::setValue(const QString& schemaId, const QString& key,
                                                  const QVariant& value) {
    QString error;
    const Schema* loaded = schema(schemaId, &error);
    if (!loaded) {
        return error;
    }
    const KeyPtr schemaKey = loaded->key(key);
    if (!schemaKey) {
        return tr("%1 has no key %2").arg(schemaId, key);
    }
    const GVariantType* type = g_settings_schema_key_get_value_type(schemaKey.get());
    GVariant* converted = toGVariant(value, type);
    if (!converted) {
        return tr("%1 %2 takes a value of type %3, not %4")
            .arg(schemaId, key, typeText(type), QString::fromLatin1(value.typeName()));
    }
    const VariantPtr owned(g_variant_ref_sink(converted));
    if (!g_settings_schema_key_range_check(schemaKey.get(), owned.get())) {
        return tr("%1 %2 does not take the value %3").arg(schemaId, key, value.toString());
    }
    // One that is not running is started by the write itself; only one that hangs is refused.
    QDBusMessage ping = QDBusMessage::createMethodCall(
        QString::fromLatin1(kDaemonService), QString::fromLatin1(kDaemonPath),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    ping.setAutoStartService(false);
    if (const QDBusMessage answer = daemon_.call(ping); BoundedBusCaller::isTimeout(answer)) {
        return answer.errorMessage();
    }
    if (!g_settings_set_value(loaded->settings, key.toUtf8().constData(), owned.get())) {
        return tr("%1 %2 is not writable").arg(schemaId, key);
    }
    // Handed to the daemon now, so a process that ends right after still made the change.
    g_settings_sync();
    return std::nullopt;
}

void GioSettingsStore::watch(const QString& schemaId, const QString& key,
                             std::function<void()> handler) {
    QString error;
    Schema* loaded = schema(schemaId, &error);
    if (!loaded || !loaded->key(key)) {
        return;
    }
    if (const auto found = loaded->watches.find(key); found != loaded->watches.end()) {
        g_signal_handler_disconnect(loaded->settings, found->second->connection);
        loaded->watches.erase(found);
    }
    if (!handler) {
        return;
    }
    auto watch = std::make_unique<Schema::Watch>();
    watch->handler = std::move(handler);
    const QByteArray signal = "changed::" + key.toUtf8();
    watch->connection = g_signal_connect(
        loaded->settings, signal.constData(), G_CALLBACK(+[](GSettings*, gchar*, gpointer data) {
            // A copy: the handler may stop the watch it runs from.
            const std::function<void()> told = static_cast<Schema::Watch*>(data)->handler;
            told();
        }),
        watch.get());
    // GSettings tells of changes only to a key that was read once since a handler was connected.
    const VariantPtr current(g_settings_get_value(loaded->settings, key.toUtf8().constData()));
    loaded->watches.emplace(key, std::move(watch));
}

}  // namespace hushpane
