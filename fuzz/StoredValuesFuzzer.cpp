// Every stored setting read back from a hand-edited preference file: the settings store's
// values and the stored shortcuts, through the plist layer.
#include "backends/plist/PlistCodec.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryHotKeyService.h"
#include "fakes/InMemoryKeyboardLayout.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "keyboard_shortcuts/KeyboardShortcuts.h"
#include "services/Preferences.h"

#include <QGuiApplication>

#include <cstdint>

namespace {

QGuiApplication* application() {
    static int argc = 1;
    static char name[] = "fuzz_stored_values";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    return app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    application();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto decoded = hushpane::plist::decodeDictionary(bytes);
    if (!decoded.root) {
        return 0;
    }
    hushpane::test::InMemoryPreferenceDomain domain;
    domain.values = *decoded.root;
    hushpane::UserDefaults defaults(domain);
    hushpane::PosixFileBookmarks bookmarks;
    hushpane::Preferences preferences(defaults, bookmarks);
    (void)preferences.menuBarIcon().rawValue();
    (void)preferences.originalWallpapers().size();

    hushpane::test::InMemoryHotKeyService hotKeys;
    hushpane::test::InMemoryKeyboardLayout layout;
    KeyboardShortcuts::Library library(defaults, hotKeys, layout);
    for (auto it = decoded.root->cbegin(); it != decoded.root->cend(); ++it) {
        if (it.key().startsWith(QLatin1String(KeyboardShortcuts::kUserDefaultsKeyPrefix))) {
            const auto name = KeyboardShortcuts::Name::fromRawValue(it.key().mid(
                static_cast<qsizetype>(qstrlen(KeyboardShortcuts::kUserDefaultsKeyPrefix))));
            if (const auto shortcut = KeyboardShortcuts::getShortcut(name)) {
                (void)shortcut->description();
                (void)shortcut->keySequence();
                KeyboardShortcuts::onKeyUp(name, [] {});
            }
        }
    }
    return 0;
}
