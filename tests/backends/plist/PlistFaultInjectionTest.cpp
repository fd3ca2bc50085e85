// What happens to the preference files when things go wrong around them: a writer killed at
// any moment, another process writing the same domain, a full disk.
#include "backends/plist/PlistCodec.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/mount.h>
#include <unistd.h>

using namespace hushpane;

namespace {

QString writerPath() {
    return test::buildDirectory() + QStringLiteral("/tests/bin/plist_writer");
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(PlistFaultInjection, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/app.hushpane.plist");
    QRandomGenerator random(20261209);
    qlonglong written = 0;  // numbers the writers reported as on disk
    int kills = 0;
    while (written < 1000) {
        QProcess writer;
        writer.start(writerPath(), {file, QStringLiteral("counter"), QString::number(written),
                                    QString::number(1000 - written)});
        ASSERT_TRUE(writer.waitForStarted(5000));
        QThread::usleep(random.bounded(2000u, 30000u));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        writer.waitForFinished(5000);
        ++kills;
        const QStringList reported =
            QString::fromLatin1(writer.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        const qlonglong lastReported =
            reported.isEmpty() ? written - 1 : reported.last().toLongLong();

        if (!QFile::exists(file)) {
            ASSERT_EQ(written, 0) << "the file vanished after it had been written";
            continue;
        }
        const auto decoded = plist::decodeDictionary(readAll(file));
        ASSERT_TRUE(decoded.root) << "unparsable after kill " << kills << ": "
                                  << decoded.error.toStdString();
        const qlonglong onDisk = decoded.root->value(QStringLiteral("counter")).toLongLong();
        // Everything reported is on disk; at most the one write in flight went further.
        ASSERT_GE(onDisk, lastReported);
        ASSERT_LE(onDisk, lastReported + 1);
        written = onDisk + 1;
    }
    EXPECT_GE(kills, 2);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".corrupt")));
    // Temporary files of killed writers are cleared by the next write.
    PlistPreferenceDomain last(QStringLiteral("x"), file);
    last.setValue(QStringLiteral("done"), QVariant(true));
    ASSERT_TRUE(last.synchronize());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("app.hushpane.plist"),
                           QStringLiteral("app.hushpane.plist.lock")}));
}

TEST(PlistFaultInjection, AnotherProcessWritingOtherKeysLosesNothingWhileWeToggle) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/com.apple.finder.plist");
    constexpr int kTheirWrites = 300;
    QProcess other;
    other.start(writerPath(), {file, QStringLiteral("Other"), QStringLiteral("0"),
                               QString::number(kTheirWrites), QStringLiteral("--distinct")});
    ASSERT_TRUE(other.waitForStarted(5000));

    PlistPreferenceDomain ours(QStringLiteral("com.apple.finder"), file);
    for (int i = 0; i < 1000; ++i) {
        ours.setValue(QStringLiteral("CreateDesktop"), QVariant(i % 2 == 1));
        ASSERT_TRUE(ours.synchronize());
    }
    ASSERT_TRUE(other.waitForFinished(60000));
    ASSERT_EQ(other.exitCode(), 0);

    PlistPreferenceDomain reader(QStringLiteral("x"), file);
    const QVariantMap all = reader.snapshot();
    for (int n = 0; n < kTheirWrites; ++n) {
        ASSERT_EQ(all.value(QStringLiteral("Other%1").arg(n)).toLongLong(), n) << "lost key " << n;
    }
    EXPECT_EQ(all.value(QStringLiteral("CreateDesktop")), QVariant(true));
    EXPECT_EQ(all.size(), kTheirWrites + 1);
}

TEST(PlistFaultInjection, AFullDiskFailsTheWriteAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString mountPoint = dir.path() + QStringLiteral("/small");
    QDir().mkpath(mountPoint);
    if (::geteuid() != 0 ||
        ::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    }
    const QString file = mountPoint + QStringLiteral("/app.hushpane.plist");
    {
        PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), file);
        domain.setValue(QStringLiteral("showDockIcon"), QVariant(true));
        ASSERT_TRUE(domain.synchronize());
        const QByteArray before = readAll(file);

        // Fill what is left of the disk.
        QFile filler(mountPoint + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();

        domain.setValue(QStringLiteral("originalWallpapers"),
                        QVariant(QVariantMap{{QStringLiteral("1"), QString(8000, u'p')}}));
        EXPECT_FALSE(domain.synchronize());
        EXPECT_FALSE(domain.lastError().isEmpty());
        EXPECT_EQ(readAll(file), before);
        const QStringList leftovers =
            QDir(mountPoint).entryList({QStringLiteral("*.plist.*")}, QDir::Files | QDir::Hidden);
        EXPECT_EQ(leftovers, QStringList{QStringLiteral("app.hushpane.plist.lock")});

        // Room again: the change that was kept pending is written now.
        ASSERT_TRUE(QFile::remove(mountPoint + QStringLiteral("/filler")));
        EXPECT_TRUE(domain.synchronize());
        EXPECT_TRUE(PlistPreferenceDomain(QStringLiteral("x"), file)
                        .copyValue(QStringLiteral("originalWallpapers"))
                        .has_value());
    }
    ::umount(QFile::encodeName(mountPoint).constData());
}
