// The stored form of a shortcut, as anyone may have edited it.
#include "common/UserDefaults.h"
#include "fakes/InMemoryHotKeyService.h"
#include "fakes/InMemoryKeyboardLayout.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "keyboard_shortcuts/Library.h"
#include "keyboard_shortcuts/Shortcut.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_shortcut_json";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    static hushpane::test::InMemoryPreferenceDomain domain;
    static hushpane::UserDefaults defaults(domain);
    static hushpane::test::InMemoryHotKeyService hotKeys;
    static hushpane::test::InMemoryKeyboardLayout layout;
    static KeyboardShortcuts::Library library(defaults, hotKeys, layout);

    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto shortcut = KeyboardShortcuts::Shortcut::fromJson(text);
    if (!shortcut) {
        return 0;
    }
    (void)shortcut->presentableDescription();
    (void)shortcut->menuItemKeyEquivalent();
    (void)shortcut->keySequence();
    if (KeyboardShortcuts::Shortcut::fromJson(shortcut->toJson()) != shortcut) {
        std::abort();  // what is written must read back as the same shortcut
    }
    return 0;
}
