#include "backends/plist/BinaryPlistBuilder.h"
#include "backends/plist/PlistCodec.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/plist/PreferencesDirectory.h"
#include "support/LogCapture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <csignal>
#include <limits>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace hushpane;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class PlistDomainTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file() const {
        return dir.path() + QStringLiteral("/Preferences/com.apple.finder.plist");
    }
};

}  // namespace

TEST(PreferencesDirectory, FollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/cfg");
    EXPECT_EQ(plist::preferencesFile(QStringLiteral("app.hushpane")),
              QStringLiteral("/tmp/cfg/hushpane/Preferences/app.hushpane.plist"));
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(plist::preferencesDirectory(),
              QDir::homePath() + QStringLiteral("/.config/hushpane/Preferences"));
    qputenv("XDG_CONFIG_HOME", saved);
}

// A write clears what writers that are gone left behind, and only that.
TEST_F(PlistDomainTest, AWriteRemovesTheTemporaryFilesOfWritersThatAreGone) {
    const QDir preferences(QFileInfo(file()).absolutePath());
    ASSERT_TRUE(preferences.mkpath(QStringLiteral(".")));
    // A pid no process has (above the kernel's limit), one that runs, and another domain's.
    const QStringList kept = {QStringLiteral("com.apple.finder.plist.tmp-%1-live").arg(::getppid()),
                              QStringLiteral("other.plist.tmp-999999999-gone")};
    const QString removed = QStringLiteral("com.apple.finder.plist.tmp-999999999-gone");
    for (const QString& name : kept + QStringList{removed}) {
        writeAll(preferences.filePath(name), "partial");
    }
    PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"), file());
    domain.setValue(QStringLiteral("CreateDesktop"), QVariant(true));
    ASSERT_TRUE(domain.synchronize());
    EXPECT_FALSE(preferences.exists(removed));
    for (const QString& name : kept) {
        EXPECT_TRUE(preferences.exists(name)) << name.toStdString();
    }
}

// XML property lists keep dates to the second.
TEST_F(PlistDomainTest, WritesBooleansAsPlistBooleansAndKeepsEveryType) {
    PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"), file());
    const QDateTime when(QDate(2024, 5, 6), QTime(7, 8, 9), QTimeZone::utc());
    domain.setValue(QStringLiteral("CreateDesktop"), QVariant(false));
    domain.setValue(QStringLiteral("count"), QVariant(qlonglong(-42)));
    domain.setValue(QStringLiteral("ratio"), QVariant(0.5));
    domain.setValue(QStringLiteral("name"), QVariant(QStringLiteral("Grüße")));
    domain.setValue(QStringLiteral("blob"), QVariant(QByteArray("\x00\x01\xff", 3)));
    domain.setValue(QStringLiteral("when"), QVariant(when));
    domain.setValue(QStringLiteral("list"), QVariant(QVariantList{1, QStringLiteral("a"), true}));
    domain.setValue(QStringLiteral("map"),
                    QVariant(QVariantMap{{QStringLiteral("k"), QStringLiteral("v")}}));
    ASSERT_TRUE(domain.synchronize());

    const QByteArray xml = readAll(file());
    EXPECT_TRUE(xml.contains("<key>CreateDesktop</key>\n\t<false/>")) << xml.constData();

    PlistPreferenceDomain again(QStringLiteral("com.apple.finder"), file());
    const auto b = again.copyValue(QStringLiteral("CreateDesktop"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->typeId(), QMetaType::Bool);
    EXPECT_FALSE(b->toBool());
    EXPECT_EQ(again.copyValue(QStringLiteral("count"))->toLongLong(), -42);
    EXPECT_EQ(again.copyValue(QStringLiteral("count"))->typeId(), QMetaType::LongLong);
    EXPECT_EQ(again.copyValue(QStringLiteral("ratio"))->typeId(), QMetaType::Double);
    EXPECT_EQ(again.copyValue(QStringLiteral("name"))->toString(), QStringLiteral("Grüße"));
    EXPECT_EQ(again.copyValue(QStringLiteral("blob"))->toByteArray(),
              QByteArray("\x00\x01\xff", 3));
    EXPECT_EQ(again.copyValue(QStringLiteral("when"))->toDateTime(), when);
    EXPECT_EQ(again.copyValue(QStringLiteral("list"))->toList().size(), 3);
    EXPECT_EQ(again.copyValue(QStringLiteral("map"))->toMap().value(QStringLiteral("k")).toString(),
              QStringLiteral("v"));
    EXPECT_FALSE(again.copyValue(QStringLiteral("missing")));
}

TEST_F(PlistDomainTest, CreatesItsDirectoryForTheUserOnly) {
    PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"), file());
    domain.setValue(QStringLiteral("k"), QVariant(true));
    ASSERT_TRUE(domain.synchronize());
    struct stat st {};
    ASSERT_EQ(
        ::stat(QFile::encodeName(dir.path() + QStringLiteral("/Preferences")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(QFile::encodeName(file()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);
}

TEST_F(PlistDomainTest, SynchronizeKeepsKeysAnotherProcessWroteMeanwhile) {
    PlistPreferenceDomain ours(QStringLiteral("com.apple.finder"), file());
    PlistPreferenceDomain theirs(QStringLiteral("com.apple.finder"), file());
    ours.setValue(QStringLiteral("CreateDesktop"), QVariant(true));
    ASSERT_TRUE(ours.synchronize());

    theirs.setValue(QStringLiteral("ShowPathbar"), QVariant(true));
    ASSERT_TRUE(theirs.synchronize());

    ours.setValue(QStringLiteral("CreateDesktop"), QVariant(false));
    ASSERT_TRUE(ours.synchronize());
    // Their key survived our write, and ours now sees it.
    EXPECT_TRUE(ours.copyValue(QStringLiteral("ShowPathbar")).has_value());
    PlistPreferenceDomain reader(QStringLiteral("com.apple.finder"), file());
    EXPECT_TRUE(reader.copyValue(QStringLiteral("ShowPathbar"))->toBool());
    EXPECT_FALSE(reader.copyValue(QStringLiteral("CreateDesktop"))->toBool());

    // A removal made elsewhere is seen after synchronize; a removal of ours is written.
    theirs.setValue(QStringLiteral("ShowPathbar"), std::nullopt);
    ASSERT_TRUE(theirs.synchronize());
    ASSERT_TRUE(ours.synchronize());
    EXPECT_FALSE(ours.copyValue(QStringLiteral("ShowPathbar")));
}

TEST_F(PlistDomainTest, CorruptFileIsMovedAsideReportedAndReadAsEmpty) {
    QDir().mkpath(dir.path() + QStringLiteral("/Preferences"));
    const QByteArray garbage("<?xml version=\"1.0\"?><plist><dict><key>Crea");
    writeAll(file(), garbage);

    test::LogCapture log;
    PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"), file());
    EXPECT_FALSE(domain.copyValue(QStringLiteral("CreateDesktop")));
    EXPECT_EQ(readAll(file() + QStringLiteral(".corrupt")), garbage);
    EXPECT_FALSE(QFile::exists(file()));
    ASSERT_EQ(log.lines(QStringLiteral("app.hushpane.preferences")).size(), 1);
    EXPECT_TRUE(log.lines(QStringLiteral("app.hushpane.preferences"))[0].message.contains(
        QStringLiteral(".corrupt")));

    // A second corrupt file does not replace the first one kept aside.
    writeAll(file(), "not a plist at all");
    PlistPreferenceDomain second(QStringLiteral("com.apple.finder"), file());
    second.setValue(QStringLiteral("CreateDesktop"), QVariant(true));
    ASSERT_TRUE(second.synchronize());
    EXPECT_EQ(readAll(file() + QStringLiteral(".corrupt")), garbage);
    EXPECT_EQ(readAll(file() + QStringLiteral(".corrupt.1")), QByteArray("not a plist at all"));
    EXPECT_TRUE(PlistPreferenceDomain(QStringLiteral("x"), file())
                    .copyValue(QStringLiteral("CreateDesktop"))
                    ->toBool());
}

TEST_F(PlistDomainTest, NonDictionaryRootsAndDeepNestingAreRefused) {
    EXPECT_FALSE(plist::decodeDictionary("<plist><array/></plist>").root);
    EXPECT_FALSE(plist::decodeDictionary("").root);
    const auto xmlNested = [](int depth) {
        QByteArray deep = "<plist><dict><key>a</key>";
        deep += QByteArray("<array>").repeated(depth) + QByteArray("</array>").repeated(depth);
        return deep + "</dict></plist>";
    };
    EXPECT_FALSE(plist::decodeDictionary(xmlNested(200)).root);
    EXPECT_TRUE(plist::decodeDictionary(xmlNested(plist::kMaxDepth)).root);
    // Deep binary files used to overflow the stack inside the parser before any check ran.
    for (int depth : {200, 50000, 100000}) {
        EXPECT_EQ(plist::decodeDictionary(test::BinaryPlistBuilder::nested(depth)).error,
                  QStringLiteral("the property list is nested too deeply"))
            << depth;
        EXPECT_FALSE(plist::decodeDictionary(xmlNested(depth)).root) << depth;
    }
    // As deep as XML gets within the size limit: libplist parses it, then overflowed the
    // stack freeing it.
    EXPECT_EQ(plist::decodeDictionary(xmlNested(270000)).error,
              QStringLiteral("the property list is nested too deeply"));
    // Quoted attribute values cannot hide a level.
    EXPECT_EQ(plist::decodeDictionary("<plist><dict><key>a</key>" +
                                      QByteArray("<array x='/>'>").repeated(270000) +
                                      QByteArray("</array>").repeated(270000) + "</dict></plist>")
                  .error,
              QStringLiteral("the property list is nested too deeply"));
    EXPECT_TRUE(plist::decodeDictionary(test::BinaryPlistBuilder::nested(plist::kMaxDepth)).root);
}

TEST_F(PlistDomainTest, BinaryFilesCannotLoopOrMultiplyTheWork) {
    // An array that holds itself.
    test::BinaryPlistBuilder loop;
    const int key = loop.ascii("a");
    const int self = loop.reserve();
    loop.setArray(self, {self});
    EXPECT_FALSE(plist::decodeDictionary(loop.build(loop.dict({{key, self}}))).root);

    // Forty levels of arrays that each hold the next level twice: 2^40 values once expanded.
    test::BinaryPlistBuilder shared;
    const int k = shared.ascii("a");
    int level = shared.array({});
    for (int i = 0; i < 40; ++i) {
        level = shared.array({level, level});
    }
    EXPECT_EQ(plist::decodeDictionary(shared.build(shared.dict({{k, level}}))).error,
              QStringLiteral("the property list holds too many values"));
}

TEST_F(PlistDomainTest, DatesBeyond32BitSecondsSurviveARewrite) {
    const QDateTime late(QDate(9999, 12, 31), QTime(0, 0), QTimeZone::utc());
    const QDateTime early(QDate(1900, 1, 1), QTime(0, 0), QTimeZone::utc());
    PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), file());
    domain.setValue(QStringLiteral("SULastCheckTime"), QVariant(late));
    domain.setValue(QStringLiteral("early"), QVariant(early));
    // Years before 1000 too: their XML text once made the whole file unreadable.
    const QList<QDateTime> ancient{QDateTime(QDate(1, 1, 1), QTime(0, 0), QTimeZone::utc()),
                                   QDateTime(QDate(999, 6, 30), QTime(12, 0), QTimeZone::utc())};
    domain.setValue(QStringLiteral("ancient"),
                    QVariant(QVariantList(ancient.cbegin(), ancient.cend())));
    ASSERT_TRUE(domain.synchronize());
    PlistPreferenceDomain other(QStringLiteral("app.hushpane"), file());
    other.setValue(QStringLiteral("unrelated"), QVariant(true));
    ASSERT_TRUE(other.synchronize());
    PlistPreferenceDomain reader(QStringLiteral("app.hushpane"), file());
    EXPECT_EQ(reader.copyValue(QStringLiteral("SULastCheckTime"))->toDateTime(), late);
    EXPECT_EQ(reader.copyValue(QStringLiteral("early"))->toDateTime(), early);
    const QVariantList readBack = reader.copyValue(QStringLiteral("ancient"))->toList();
    ASSERT_EQ(readBack.size(), 2) << reader.lastError().toStdString();
    EXPECT_EQ(readBack[0].toDateTime(), ancient[0]);
    EXPECT_EQ(readBack[1].toDateTime(), ancient[1]);

    // The same dates in a binary file.
    test::BinaryPlistBuilder b;
    const int lateKey = b.ascii("late");
    const int earlyKey = b.ascii("early");
    const QDateTime reference(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    const int lateDate = b.date(double(reference.secsTo(late)));
    const int earlyDate = b.date(double(reference.secsTo(early)));
    const auto decoded =
        plist::decodeDictionary(b.build(b.dict({{lateKey, lateDate}, {earlyKey, earlyDate}})));
    ASSERT_TRUE(decoded.root) << decoded.error.toStdString();
    EXPECT_EQ(decoded.root->value(QStringLiteral("late")).toDateTime(), late);
    EXPECT_EQ(decoded.root->value(QStringLiteral("early")).toDateTime(), early);

    // A date the XML form cannot hold makes the file unreadable instead of changing it.
    test::BinaryPlistBuilder far;
    const int farKey = far.ascii("far");
    EXPECT_FALSE(plist::decodeDictionary(far.build(far.dict({{farKey, far.date(1e300)}}))).root);
}

TEST_F(PlistDomainTest, NulBytesInTextAreRefusedNotFatal) {
    // Found by fuzzing: a NUL byte inside a string or a key of an XML file used to abort the
    // whole program at start. XML cannot hold one, so such a file is unreadable.
    for (const char* place : {"<key>s</key><string>a%b</string>", "<key>a%b</key><true/>"}) {
        QByteArray xml = QByteArray("<plist><dict>") + place + "</dict></plist>";
        xml.replace('%', '\0');
        EXPECT_FALSE(plist::decodeDictionary(xml).root) << place;
    }
    // A binary file keeps its text by length; a key of thirteen NUL bytes is refused the same.
    EXPECT_FALSE(
        plist::decodeDictionary(
            QByteArray::fromHex("62706c6973743030d101025d0000000000000000000000000000700908"
                                "031900000000000001010000000000000003000000000000000000"
                                "00000000001a"))
            .root);
}

// A value the next write would change is refused, so the file is kept aside untouched: text
// that is not UTF-8 (it would come back with U+FFFD in it) and an integer beyond the signed
// 64-bit range (libplist reads 18446744073709551615 as -1). The largest ones that fit stay.
TEST_F(PlistDomainTest, TextThatIsNotUtf8AndIntegersBeyond64BitsAreRefused) {
    for (const QByteArray& place :
         {QByteArray("<key>s</key><string>caf\xe9</string>"),
          QByteArray("<key>caf\xe9</key><true/>"),
          QByteArray("<key>n</key><integer>18446744073709551615</integer>"),
          QByteArray("<key>n</key><integer>9223372036854775808</integer>"),
          QByteArray("<key>n</key><integer>\n\t+18446744073709551616 </integer>")}) {
        const QByteArray xml = "<plist><dict>" + place + "</dict></plist>";
        const plist::Decoded decoded = plist::decodeDictionary(xml);
        EXPECT_FALSE(decoded.root) << place.toStdString();
        EXPECT_FALSE(decoded.error.isEmpty());
    }
    const plist::Decoded kept = plist::decodeDictionary(
        "<plist><dict><key>caf\xc3\xa9</key><string>\xe2\x9c\x93</string>"
        "<key>max</key><integer>9223372036854775807</integer>"
        "<key>min</key><integer>-9223372036854775808</integer></dict></plist>");
    ASSERT_TRUE(kept.root) << kept.error.toStdString();
    EXPECT_EQ(kept.root->value(QStringLiteral("caf\u00e9")).toString(), QStringLiteral("\u2713"));
    EXPECT_EQ(kept.root->value(QStringLiteral("max")).toLongLong(),
              std::numeric_limits<qint64>::max());
    EXPECT_EQ(kept.root->value(QStringLiteral("min")).toLongLong(),
              std::numeric_limits<qint64>::min());
}

TEST_F(PlistDomainTest, BinaryTextWithANulIsKeptAsideNotCutShort) {
    // A NUL inside a key or a string, in one-byte and in two-byte text: written back as XML
    // it used to lose everything after the NUL.
    const auto make = [](bool inKey, bool wide) {
        test::BinaryPlistBuilder b;
        const QByteArray withNul("Create\0Desktop", 14);
        const auto text = [&](const QByteArray& t) {
            return wide ? b.utf16(QString::fromLatin1(t)) : b.ascii(t);
        };
        const int key = text(inKey ? withNul : QByteArray("CreateDesktop"));
        const int value = inKey ? b.boolean(true) : text(withNul);
        return b.build(b.dict({{key, value}}));
    };
    for (bool inKey : {false, true}) {
        for (bool wide : {false, true}) {
            const QByteArray bytes = make(inKey, wide);
            EXPECT_EQ(plist::decodeDictionary(bytes).error,
                      QStringLiteral("not a property list (a key or text holds a NUL byte)"));
            QDir().mkpath(QFileInfo(file()).path());
            QFile::remove(file() + QStringLiteral(".corrupt"));
            writeAll(file(), bytes);
            PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"), file());
            domain.setValue(QStringLiteral("other"), QVariant(1));
            ASSERT_TRUE(domain.synchronize());
            EXPECT_EQ(readAll(file() + QStringLiteral(".corrupt")), bytes);
        }
    }
    // Text with a NUL from the program itself is refused, not cut short.
    EXPECT_FALSE(plist::encodeDictionary({{QStringLiteral("k"), QString(QChar(u'\0'))}}).bytes);
}

TEST_F(PlistDomainTest, ReadsBinaryPropertyLists) {
    // {"CreateDesktop": false} in the binary format, as Python's plistlib writes it.
    const auto decoded = plist::decodeDictionary(QByteArray::fromHex(
        "62706c6973743030d101025d4372656174654465736b746f7008080b1900000000000001010000"
        "0000000000030000000000000000000000000000001a"));
    ASSERT_TRUE(decoded.root);
    EXPECT_EQ(decoded.root->value(QStringLiteral("CreateDesktop")).typeId(), QMetaType::Bool);
}

TEST_F(PlistDomainTest, FailedWriteIsReportedKeepsTheOldFileAndRetries) {
    PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"), file());
    domain.setValue(QStringLiteral("CreateDesktop"), QVariant(true));
    ASSERT_TRUE(domain.synchronize());
    const QByteArray before = readAll(file());

    // A file-size limit makes the write fail even for root, like a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    domain.setValue(QStringLiteral("CreateDesktop"), QVariant(false));
    EXPECT_FALSE(domain.synchronize());
    EXPECT_FALSE(domain.lastError().isEmpty());
    EXPECT_EQ(readAll(file()), before);
    EXPECT_FALSE(domain.copyValue(QStringLiteral("CreateDesktop"))->toBool());

    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(domain.synchronize());
    EXPECT_FALSE(PlistPreferenceDomain(QStringLiteral("x"), file())
                     .copyValue(QStringLiteral("CreateDesktop"))
                     ->toBool());
}

// A rewrite keeps the file's permissions, and what would be too large to read back is never
// written: the file stays as it was and the write fails with the reason.
TEST_F(PlistDomainTest, ARewriteKeepsTheModeAndNeverWritesWhatCouldNotBeReadBack) {
    {
        PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"), file());
        domain.setValue(QStringLiteral("CreateDesktop"), QVariant(true));
        ASSERT_TRUE(domain.synchronize()) << domain.lastError().toStdString();
    }
    ASSERT_EQ(::chmod(QFile::encodeName(file()).constData(), 0644), 0);
    const QByteArray before = readAll(file());

    PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"), file());
    // Base64 in XML: 3.5 MiB of data become more than 4 MiB of text.
    domain.setValue(QStringLiteral("big"), QVariant(QByteArray(3'500'000, 'x')));
    EXPECT_FALSE(domain.synchronize());
    EXPECT_TRUE(domain.lastError().contains(QStringLiteral("larger than 4 MiB")))
        << domain.lastError().toStdString();
    EXPECT_EQ(readAll(file()), before);

    domain.setValue(QStringLiteral("big"), std::nullopt);
    domain.setValue(QStringLiteral("CreateDesktop"), QVariant(false));
    ASSERT_TRUE(domain.synchronize()) << domain.lastError().toStdString();
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(file()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644u);
}
