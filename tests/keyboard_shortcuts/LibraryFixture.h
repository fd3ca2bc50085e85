#pragma once

#include "common/UserDefaults.h"
#include "fakes/InMemoryHotKeyService.h"
#include "fakes/InMemoryKeyboardLayout.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "keyboard_shortcuts/KeyboardShortcuts.h"

#include <gtest/gtest.h>

#include <memory>

// A fresh library over in-memory defaults, hot keys and a US layout for each test.
class LibraryTest : public ::testing::Test {
protected:
    hushpane::test::InMemoryPreferenceDomain domain;
    hushpane::UserDefaults defaults{domain};
    hushpane::test::InMemoryHotKeyService hotKeys;
    hushpane::test::InMemoryKeyboardLayout layout;
    std::unique_ptr<KeyboardShortcuts::Library> library =
        std::make_unique<KeyboardShortcuts::Library>(defaults, hotKeys, layout);

    static KeyboardShortcuts::Shortcut controlOptionCommandD() {
        return KeyboardShortcuts::Shortcut(
            KeyboardShortcuts::Key::d, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    }
    static KeyboardShortcuts::Shortcut commandShiftK() {
        return KeyboardShortcuts::Shortcut(KeyboardShortcuts::Key::k,
                                           Qt::MetaModifier | Qt::ShiftModifier);
    }
};
