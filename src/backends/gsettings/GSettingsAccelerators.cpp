#include "backends/gsettings/GSettingsAccelerators.h"

// GLib names struct members "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace hushpane {

namespace {

void appendString(QStringList& into, const gchar* text) {
    const QString value = QString::fromUtf8(text).trimmed();
    if (!value.isEmpty()) {
        into.append(value);
    }
}

}  // namespace

const QStringList& gnomeKeybindingSchemas() {
    static const QStringList schemas{
        QStringLiteral("org.gnome.desktop.wm.keybindings"),
        QStringLiteral("org.gnome.settings-daemon.plugins.media-keys")};
    return schemas;
}

QStringList gsettingsAccelerators(const QStringList& schemas) {
    QStringList accelerators;
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) {
        return accelerators;
    }
    for (const QString& id : schemas) {
        // Looked up first: GIO aborts the process for a schema that is not installed.
        GSettingsSchema* schema =
            g_settings_schema_source_lookup(source, id.toUtf8().constData(), TRUE);
        if (schema == nullptr) {
            continue;
        }
        GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
        gchar** keys = g_settings_schema_list_keys(schema);
        for (gchar** key = keys; key != nullptr && *key != nullptr; ++key) {
            GVariant* value = g_settings_get_value(settings, *key);
            if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)) {
                appendString(accelerators, g_variant_get_string(value, nullptr));
            } else if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY)) {
                const gchar** strings = g_variant_get_strv(value, nullptr);
                for (const gchar** string = strings; string != nullptr && *string != nullptr;
                     ++string) {
                    appendString(accelerators, *string);
                }
                g_free(static_cast<gpointer>(strings));
            }
            g_variant_unref(value);
        }
        g_strfreev(keys);
        g_object_unref(settings);
        g_settings_schema_unref(schema);
    }
    return accelerators;
}

}  // namespace hushpane
