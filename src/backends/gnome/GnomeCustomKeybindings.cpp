#include "backends/gnome/GnomeCustomKeybindings.h"

#include "backends/wayland/KeyTriggerText.h"

#include <QCoreApplication>
#include <QStringList>

#include <memory>
#include <vector>

// GLib names struct members "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace hushpane {

namespace {

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using Settings = std::unique_ptr<GSettings, ObjectUnref>;

bool hasSchema(const char* id) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) {
        return false;
    }
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, id, TRUE);
    if (schema == nullptr) {
        return false;
    }
    g_settings_schema_unref(schema);
    return true;
}

QString stringOf(GSettings* settings, const char* key) {
    gchar* value = g_settings_get_string(settings, key);
    QString text = QString::fromUtf8(value);
    g_free(value);
    return text;
}

}  // namespace

bool GnomeCustomKeybindings::isAvailable() const {
    return hasSchema(kSchema) && hasSchema(kEntrySchema);
}

std::optional<QString> GnomeCustomKeybindings::addKeybinding(const QString& name,
                                                             const QString& command,
                                                             qint64 carbonKeyCode,
                                                             qint64 carbonModifiers) {
    if (!isAvailable()) {
        return QCoreApplication::translate("hushpane::GnomeCustomKeybindings",
                                           "GNOME's keyboard settings are not installed");
    }
    const auto binding = wayland::gtkAccelerator(carbonKeyCode, carbonModifiers);
    if (!binding) {
        return QCoreApplication::translate("hushpane::GnomeCustomKeybindings",
                                           "GNOME cannot bind this key combination");
    }
    const Settings mediaKeys(g_settings_new(kSchema));
    QStringList paths;
    gchar** list = g_settings_get_strv(mediaKeys.get(), kListKey);
    for (gchar** entry = list; entry != nullptr && *entry != nullptr; ++entry) {
        paths.append(QString::fromUtf8(*entry));
    }
    g_strfreev(list);

    // Ours again when it runs the same command; else the first free customN.
    QString path;
    for (const QString& candidate : std::as_const(paths)) {
        const QByteArray utf8 = candidate.toUtf8();
        // What GSettings takes as a path: slashes around, no empty element.
        if (!utf8.startsWith('/') || !utf8.endsWith('/') || utf8.contains("//")) {
            continue;  // not a path GSettings could open; leave it to GNOME
        }
        const Settings entry(g_settings_new_with_path(kEntrySchema, utf8.constData()));
        if (stringOf(entry.get(), "command") == command) {
            path = candidate;
            break;
        }
    }
    for (int n = 0; path.isEmpty(); ++n) {
        const QString candidate = QLatin1String(kPathPrefix) + QStringLiteral("custom%1/").arg(n);
        if (!paths.contains(candidate)) {
            path = candidate;
            paths.append(path);
        }
    }

    const QByteArray pathUtf8 = path.toUtf8();
    const Settings entry(g_settings_new_with_path(kEntrySchema, pathUtf8.constData()));
    const bool written =
        g_settings_set_string(entry.get(), "name", name.toUtf8().constData()) &&
        g_settings_set_string(entry.get(), "command", command.toUtf8().constData()) &&
        g_settings_set_string(entry.get(), "binding", binding->toUtf8().constData());
    QList<QByteArray> utf8Paths;
    std::vector<const gchar*> strv;
    for (const QString& p : std::as_const(paths)) {
        utf8Paths.append(p.toUtf8());
    }
    for (const QByteArray& p : std::as_const(utf8Paths)) {
        strv.push_back(p.constData());
    }
    strv.push_back(nullptr);
    const bool listed = g_settings_set_strv(mediaKeys.get(), kListKey, strv.data());
    g_settings_sync();
    if (!written || !listed) {
        return QCoreApplication::translate("hushpane::GnomeCustomKeybindings",
                                           "GNOME's keyboard settings are read-only");
    }
    return std::nullopt;
}

}  // namespace hushpane
