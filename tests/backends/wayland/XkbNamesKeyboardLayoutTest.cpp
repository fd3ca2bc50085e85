#include "backends/wayland/XkbNamesKeyboardLayout.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using hushpane::wayland::XkbNamesKeyboardLayout;

namespace {

constexpr qint64 kKeyY = 16;
constexpr qint64 kKeyQ = 12;
constexpr qint64 kKeyEqual = 24;
constexpr qint64 kReturn = 36;

}  // namespace

TEST(XkbNamesKeyboardLayout, NamesKeysByTheFirstLayoutOfTheList) {
    XkbNamesKeyboardLayout us({{}, {}, QStringLiteral("us"), {}, {}});
    ASSERT_TRUE(us.isValid());
    EXPECT_EQ(us.characterForKey(kKeyY), QStringLiteral("y"));

    XkbNamesKeyboardLayout german({{}, {}, QStringLiteral("de,us"), {}, {}});
    ASSERT_TRUE(german.isValid());
    EXPECT_EQ(german.characterForKey(kKeyY), QStringLiteral("z"));
    // A dead key shows its spacing form.
    EXPECT_EQ(german.characterForKey(kKeyEqual), QStringLiteral("\u00B4"));

    XkbNamesKeyboardLayout french({{}, {}, QStringLiteral("fr"), {}, {}});
    EXPECT_EQ(french.characterForKey(kKeyQ), QStringLiteral("a"));
    EXPECT_FALSE(french.characterForKey(kReturn));
    EXPECT_FALSE(french.characterForKey(-3));
}

TEST(XkbNamesKeyboardLayout,
     ReadsTheSystemsKeyboardConfigurationUnlessTheEnvironmentSaysOtherwise) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keyboard"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "# KEYBOARD CONFIGURATION FILE\n"
        "XKBMODEL=\"pc105\"\n"
        "XKBLAYOUT=\"de\"\n"
        "XKBVARIANT=\"nodeadkeys\"\n"
        "XKBOPTIONS=\"\"\n"
        "BACKSPACE=\"guess\"\n");
    file.close();

    qunsetenv("XKB_DEFAULT_LAYOUT");
    qunsetenv("XKB_DEFAULT_VARIANT");
    auto names = XkbNamesKeyboardLayout::namesFromSystem(path);
    EXPECT_EQ(names.model, QStringLiteral("pc105"));
    EXPECT_EQ(names.layout, QStringLiteral("de"));
    EXPECT_EQ(names.variant, QStringLiteral("nodeadkeys"));
    EXPECT_EQ(XkbNamesKeyboardLayout(names).characterForKey(kKeyY), QStringLiteral("z"));

    qputenv("XKB_DEFAULT_LAYOUT", "fr");
    qputenv("XKB_DEFAULT_VARIANT", "");
    names = XkbNamesKeyboardLayout::namesFromSystem(path);
    qunsetenv("XKB_DEFAULT_LAYOUT");
    EXPECT_EQ(names.layout, QStringLiteral("fr"));
    EXPECT_EQ(XkbNamesKeyboardLayout(names).characterForKey(kKeyQ), QStringLiteral("a"));

    // No file: xkbcommon's own defaults still name the keys.
    names = XkbNamesKeyboardLayout::namesFromSystem(dir.filePath(QStringLiteral("missing")));
    EXPECT_TRUE(names.layout.isEmpty());
    EXPECT_TRUE(XkbNamesKeyboardLayout(names).isValid());
}
