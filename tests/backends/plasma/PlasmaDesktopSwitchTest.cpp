#include "PlasmaShellModel.h"

#include "backends/plasma/PlasmaDesktopSwitch.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace hushpane {
namespace {

using test::InMemoryPreferenceDomain;
using test::PlasmaShellModel;

const QString kGeneral = QStringLiteral("General");
const QString kSavedKey = QString::fromLatin1(PlasmaDesktopSwitch::kSavedFiltersKey);

QJsonObject filter(int mode, const QString& pattern, const QStringList& types) {
    return {{QStringLiteral("filterMode"), mode},
            {QStringLiteral("filterPattern"), pattern},
            {QStringLiteral("filterMimeTypes"), QJsonArray::fromStringList(types)}};
}

// Two activities on two screens, and a plain desktop that draws no icons.
QJsonObject twoScreens() {
    const QString folder = QStringLiteral("org.kde.plasma.folder");
    return {{QStringLiteral("activity"), QStringLiteral("A")},
            {QStringLiteral("desktops"),
             QJsonArray{PlasmaShellModel::desktop(1, 0, QStringLiteral("A")),
                        PlasmaShellModel::desktop(
                            2, 1, QStringLiteral("A"), folder,
                            {{kGeneral, filter(1, QStringLiteral("*.txt"), {"text/plain"})}}),
                        PlasmaShellModel::desktop(3, 0, QStringLiteral("B")),
                        PlasmaShellModel::desktop(4, 1, QStringLiteral("B"),
                                                  QStringLiteral("org.kde.desktopcontainment"),
                                                  {{kGeneral, QJsonObject{{"filterMode", 1}}}})}}};
}

class PlasmaDesktopSwitchTest : public ::testing::Test {
protected:
    InMemoryPreferenceDomain domain{QStringLiteral("app.hushpane")};
    UserDefaults defaults{domain};
    PlasmaShellModel shell{twoScreens()};
};

TEST_F(PlasmaDesktopSwitchTest, HidesEveryFolderViewAndShowingPutsBackEachOwnFilter) {
    PlasmaDesktopSwitch desktop(shell, defaults);
    EXPECT_TRUE(desktop.createsDesktop());
    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    for (int id : {1, 2, 3}) {
        EXPECT_EQ(shell.group(id, kGeneral), PlasmaDesktopSwitch::hiddenFilter()) << id;
    }
    EXPECT_EQ(shell.group(4, kGeneral), (QJsonObject{{"filterMode", 1}}));
    EXPECT_FALSE(desktop.createsDesktop());
    EXPECT_EQ(defaults.dictionaryForKey(kSavedKey)->size(), 3);

    // A new run (after a crash) adopts the hidden desktop and puts back what the first saved.
    PlasmaDesktopSwitch again(shell, defaults);
    EXPECT_FALSE(again.createsDesktop());
    ASSERT_EQ(again.setCreatesDesktop(false), std::nullopt);
    ASSERT_EQ(again.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(shell.group(1, kGeneral), PlasmaDesktopSwitch::defaultFilter());
    EXPECT_EQ(shell.group(2, kGeneral), filter(1, QStringLiteral("*.txt"), {"text/plain"}));
    EXPECT_EQ(shell.group(3, kGeneral), PlasmaDesktopSwitch::defaultFilter());
    EXPECT_EQ(shell.group(4, kGeneral), (QJsonObject{{"filterMode", 1}}));
    EXPECT_TRUE(again.createsDesktop());
    EXPECT_FALSE(defaults.objectForKey(kSavedKey));
}

TEST_F(PlasmaDesktopSwitchTest, AFilterChosenWhileHiddenStaysAndUnsavedOnesGetTheDefault) {
    PlasmaDesktopSwitch desktop(shell, defaults);
    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    shell.setGroup(2, kGeneral, filter(2, QStringLiteral("*.iso"), {"all/all"}));
    // Saved filters lost (a hand-edited defaults file): a hidden folder view still comes back.
    QVariantMap saved = *defaults.dictionaryForKey(kSavedKey);
    saved.remove(QStringLiteral("3"));
    saved.insert(QStringLiteral("1"), QStringLiteral("garbage"));
    defaults.setObject(kSavedKey, QVariant(saved));

    ASSERT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(shell.group(1, kGeneral), PlasmaDesktopSwitch::defaultFilter());
    EXPECT_EQ(shell.group(2, kGeneral), filter(2, QStringLiteral("*.iso"), {"all/all"}));
    EXPECT_EQ(shell.group(3, kGeneral), PlasmaDesktopSwitch::defaultFilter());
}

TEST_F(PlasmaDesktopSwitchTest, FailuresChangeNothingAndSayWhy) {
    PlasmaDesktopSwitch desktop(shell, defaults);
    const QJsonObject before = shell.state();
    const QString prefix = QStringLiteral("Couldn't change the KDE Plasma desktop: ");
    const QList<std::pair<PlasmaScripting::Reply, QString>> cases{
        {{std::nullopt, QStringLiteral("plasmashell is not running")},
         QStringLiteral("plasmashell is not running; nothing was changed")},
        {{std::nullopt, QStringLiteral("plasmashell doesn't answer (waited 400 ms)")},
         QStringLiteral("plasmashell doesn't answer (waited 400 ms); nothing was changed")},
        {{QStringLiteral("not json"), std::nullopt},
         QStringLiteral("plasmashell answered the script with something unexpected (\"not "
                        "json\"); nothing was changed")},
        {{QStringLiteral("[1, 2]"), std::nullopt}, {}},
        {{QString(), std::nullopt}, {}},
        {{QStringLiteral("{\"folderViews\": 3}"), std::nullopt},
         QStringLiteral("plasmashell's answer lists no desktops; nothing was changed")},
        {{QStringLiteral(R"({"folderViews": {"1": {"filterMode": "two", "filterPattern": "*",
              "filterMimeTypes": []}}})"),
          std::nullopt},
         QStringLiteral("the file filter of desktop 1 holds a value of an unexpected type; left "
                        "alone; nothing was changed")},
        {{QStringLiteral("{\"folderViews\": {}}"), std::nullopt},
         QStringLiteral("no desktop shows a folder view, so there are no icons to hide")},
    };
    for (const auto& [reply, message] : cases) {
        shell.cannedReplies = {reply};
        const std::optional<QString> error = desktop.setCreatesDesktop(false);
        ASSERT_TRUE(error) << reply.output.value_or(QString()).toStdString();
        EXPECT_TRUE(error->startsWith(prefix)) << error->toStdString();
        if (!message.isEmpty()) {
            EXPECT_EQ(*error, prefix + message);
        }
        EXPECT_EQ(shell.state(), before);
        EXPECT_FALSE(defaults.objectForKey(kSavedKey));
        shell.cannedReplies = {reply};
        EXPECT_TRUE(desktop.createsDesktop());
    }

    // A show that fails keeps what it must put back for the next one.
    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    shell.cannedReplies = {{std::nullopt, QStringLiteral("plasmashell is not running")}};
    EXPECT_EQ(desktop.setCreatesDesktop(true),
              prefix + QStringLiteral("plasmashell is not running; the icons stay hidden"));
    EXPECT_TRUE(defaults.objectForKey(kSavedKey));
    ASSERT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(shell.group(2, kGeneral), filter(1, QStringLiteral("*.txt"), {"text/plain"}));
}

TEST(PlasmaScriptTest, DataReachesTheScriptAsDataWhateverItHolds) {
    PlasmaShellModel shell;
    const QString nasty = QStringLiteral("/tmp/a\"b'c\\d\ne\u2028f\u2029g</script>${x}`);");
    const QString body = QStringLiteral("print(JSON.stringify({echo: input.text}));");
    const PlasmaScript::Answer answer =
        PlasmaScript::run(shell, {{QStringLiteral("text"), nasty}}, body);
    ASSERT_EQ(answer.error, std::nullopt);
    EXPECT_EQ(answer.result.value(QStringLiteral("echo")).toString(), nasty);
    EXPECT_FALSE(
        PlasmaScript::build({{QStringLiteral("text"), nasty}}, body).contains(QChar(0x2028)));
}

}  // namespace
}  // namespace hushpane
