#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"

#include <QDateTime>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace hushpane;

TEST(UserDefaults, TypedGettersReadMistypedValuesAsNothingWithoutTouchingThem) {
    test::InMemoryPreferenceDomain domain;
    domain.values = {
        {QStringLiteral("bool"), true},
        {QStringLiteral("zero"), qlonglong(0)},
        {QStringLiteral("two"), qlonglong(2)},
        {QStringLiteral("yes"), QStringLiteral("YES")},
        {QStringLiteral("word"), QStringLiteral("maybe")},
        {QStringLiteral("data"), QByteArray("xy")},
        {QStringLiteral("date"), QDateTime::currentDateTimeUtc()},
        {QStringLiteral("map"), QVariantMap{{QStringLiteral("a"), 1}}},
        {QStringLiteral("list"), QVariantList{1, 2}},
    };
    const QVariantMap before = domain.values;
    UserDefaults defaults(domain);

    EXPECT_TRUE(defaults.boolForKey(QStringLiteral("bool")));
    EXPECT_FALSE(defaults.boolForKey(QStringLiteral("zero")));
    EXPECT_TRUE(defaults.boolForKey(QStringLiteral("two")));
    EXPECT_TRUE(defaults.boolForKey(QStringLiteral("yes")));
    EXPECT_FALSE(defaults.boolForKey(QStringLiteral("word")));
    EXPECT_FALSE(defaults.boolForKey(QStringLiteral("data")));
    EXPECT_FALSE(defaults.boolForKey(QStringLiteral("absent")));

    EXPECT_EQ(defaults.integerForKey(QStringLiteral("two")), 2);
    EXPECT_EQ(defaults.integerForKey(QStringLiteral("bool")), 1);
    EXPECT_EQ(defaults.integerForKey(QStringLiteral("word")), 0);

    EXPECT_EQ(defaults.stringForKey(QStringLiteral("word")), QStringLiteral("maybe"));
    EXPECT_EQ(defaults.stringForKey(QStringLiteral("two")), QStringLiteral("2"));
    EXPECT_FALSE(defaults.stringForKey(QStringLiteral("bool")));
    EXPECT_FALSE(defaults.stringForKey(QStringLiteral("map")));

    EXPECT_EQ(defaults.dataForKey(QStringLiteral("data")), QByteArray("xy"));
    EXPECT_FALSE(defaults.dataForKey(QStringLiteral("word")));
    EXPECT_TRUE(defaults.dictionaryForKey(QStringLiteral("map")));
    EXPECT_FALSE(defaults.dictionaryForKey(QStringLiteral("list")));
    EXPECT_TRUE(defaults.arrayForKey(QStringLiteral("list")));
    EXPECT_FALSE(defaults.arrayForKey(QStringLiteral("map")));

    EXPECT_EQ(domain.values, before);
    EXPECT_EQ(domain.setCount, 0);
}

TEST(UserDefaults, EveryWriteIsPersistedAndAnnounced) {
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults(domain);
    QSignalSpy changed(&defaults, &UserDefaults::valueChanged);

    defaults.setBool(QStringLiteral("showDockIcon"), true);
    EXPECT_EQ(domain.stored.value(QStringLiteral("showDockIcon")).typeId(), QMetaType::Bool);
    defaults.setString(QStringLiteral("menuBarIcon"), QStringLiteral("lamp"));
    defaults.removeObjectForKey(QStringLiteral("showDockIcon"));
    EXPECT_FALSE(domain.stored.contains(QStringLiteral("showDockIcon")));
    EXPECT_EQ(domain.synchronizeCount, 3);
    EXPECT_EQ(changed.count(), 3);
    EXPECT_TRUE(defaults.lastWriteSucceeded());

    domain.failSynchronize = true;
    defaults.setInteger(QStringLiteral("n"), 5);
    EXPECT_FALSE(defaults.lastWriteSucceeded());
    EXPECT_EQ(defaults.lastWriteError(), domain.failReason);
    EXPECT_EQ(defaults.integerForKey(QStringLiteral("n")), 5);
    EXPECT_EQ(defaults.dictionaryRepresentation().keys(),
              (QStringList{QStringLiteral("menuBarIcon"), QStringLiteral("n")}));
}
