// What happens to the preference files when things go wrong around them: a writer killed at
// any moment, other processes writing the same domain, a full or read-only disk, files that
// cannot be read, symbolic links, pipes, devices and floods in place of a file.
#include "backends/plist/BinaryPlistBuilder.h"
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

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
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

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// One run of the writer that sets `key` = 1, as another program would at its start.
struct WriterRun {
    bool finished = false;  // false: it hung (and was killed)
    int exitCode = -1;
    QString errors;
};

WriterRun runWriter(const QString& file, const QString& key, const QStringList& runAs = {}) {
    QProcess writer;
    QStringList args = runAs;
    args << writerPath() << file << key << QStringLiteral("1") << QStringLiteral("1");
    writer.start(args.takeFirst(), args);
    WriterRun run;
    if (!writer.waitForStarted(5000)) {
        return run;
    }
    run.finished = writer.waitForFinished(15000);
    if (!run.finished) {
        writer.kill();
        writer.waitForFinished(5000);
    }
    run.exitCode = writer.exitStatus() == QProcess::NormalExit ? writer.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(writer.readAllStandardError());
    return run;
}

// Root reads anything, so the permission test runs the writer as an ordinary user then.
QStringList asOrdinaryUser() {
    if (::geteuid() != 0) {
        return {};
    }
    return {QStringLiteral("setpriv"),         QStringLiteral("--reuid=65534"),
            QStringLiteral("--regid=65534"),   QStringLiteral("--clear-groups"),
            QStringLiteral("--inh-caps=-all"), QStringLiteral("--bounding-set=-all")};
}

QVariantMap onDisk(const QString& file) {
    return plist::decodeDictionary(readAll(file)).root.value_or(QVariantMap());
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

TEST(PlistFaultInjection, ADeeplyNestedBinaryFileIsKeptAsideInsteadOfCrashingEveryStart) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/app.hushpane.plist");
    const QByteArray deep = test::BinaryPlistBuilder::nested(100000);
    writeAll(file, deep);
    const WriterRun run = runWriter(file, QStringLiteral("showDockIcon"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("nested too deeply")))
        << run.errors.toStdString();
    EXPECT_EQ(readAll(file + QStringLiteral(".corrupt")), deep);
    EXPECT_EQ(onDisk(file).value(QStringLiteral("showDockIcon")).toLongLong(), 1);
}

TEST(PlistFaultInjection, AFileThatCannotBeOpenedIsNeverReplaced) {
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const QString file = dir.path() + QStringLiteral("/app.hushpane.plist");
    {
        PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), file);
        domain.setValue(QStringLiteral("menuBarIcon"), QVariant(QStringLiteral("lamp")));
        ASSERT_TRUE(domain.synchronize());
    }
    const QByteArray before = readAll(file);
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0000), 0);

    const WriterRun refused = runWriter(file, QStringLiteral("showDockIcon"), asOrdinaryUser());
    ASSERT_TRUE(refused.finished);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("exists but can't be read (couldn't open ")))
        << refused.errors.toStdString();
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("Permission denied")));
    EXPECT_EQ(readAll(file), before);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".corrupt")));

    // Readable again: the write goes through and keeps what was there.
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0644), 0);
    const WriterRun works = runWriter(file, QStringLiteral("showDockIcon"), asOrdinaryUser());
    EXPECT_EQ(works.exitCode, 0) << works.errors.toStdString();
    EXPECT_EQ(onDisk(file).value(QStringLiteral("menuBarIcon")), QVariant(QStringLiteral("lamp")));
    EXPECT_EQ(onDisk(file).value(QStringLiteral("showDockIcon")).toLongLong(), 1);
}

TEST(PlistFaultInjection, AFolderInPlaceOfTheFileRefusesWritesUntilItIsGone) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/app.hushpane.plist");
    ASSERT_TRUE(QDir().mkpath(file + QStringLiteral("/inside")));
    PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), file);
    EXPECT_FALSE(domain.copyValue(QStringLiteral("showDockIcon")));
    domain.setValue(QStringLiteral("showDockIcon"), QVariant(true));
    EXPECT_FALSE(domain.synchronize());
    EXPECT_TRUE(domain.lastError().contains(QStringLiteral("is a folder, not a preference file")))
        << domain.lastError().toStdString();
    EXPECT_TRUE(QFileInfo(file + QStringLiteral("/inside")).isDir());

    ASSERT_TRUE(QDir(file).removeRecursively());
    EXPECT_TRUE(domain.synchronize()) << domain.lastError().toStdString();
    EXPECT_TRUE(domain.lastError().isEmpty());
    EXPECT_EQ(onDisk(file).value(QStringLiteral("showDockIcon")), QVariant(true));
}

TEST(PlistFaultInjection, PipesAndDevicesInPlaceOfTheFileNeitherHangNorFlood) {
    QTemporaryDir dir;
    const QString pipe = dir.path() + QStringLiteral("/pipe.plist");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString zeros = dir.path() + QStringLiteral("/zeros.plist");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeros));
    for (const QString& file : {pipe, zeros}) {
        const WriterRun run = runWriter(file, QStringLiteral("k"));
        ASSERT_TRUE(run.finished) << file.toStdString() << " hung the read";
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.errors.contains(QStringLiteral(" not a preference file")))
            << run.errors.toStdString();
    }
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(QFileInfo(zeros).symLinkTarget(), QStringLiteral("/dev/zero"));
}

TEST(PlistFaultInjection, AHugeFileIsKeptAsideUnread) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/app.hushpane.plist");
    {
        QFile huge(file);
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(qint64(1) << 30));  // sparse: costs no disk
    }
    const WriterRun run = runWriter(file, QStringLiteral("k"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("(it is larger than 4 MiB); moved it to")))
        << run.errors.toStdString();
    EXPECT_EQ(QFileInfo(file + QStringLiteral(".corrupt")).size(), qint64(1) << 30);
    EXPECT_EQ(onDisk(file).value(QStringLiteral("k")).toLongLong(), 1);
}

TEST(PlistFaultInjection, AWriterThatHangsHoldingTheLockDoesNotHangTheOthers) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/app.hushpane.plist");
    const int held = ::open(QFile::encodeName(file + QStringLiteral(".lock")).constData(),
                            O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const WriterRun blocked = runWriter(file, QStringLiteral("k"));
    ASSERT_TRUE(blocked.finished) << "waited for the lock without end";
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_TRUE(blocked.errors.contains(QStringLiteral("locked for over 2 s")))
        << blocked.errors.toStdString();
    EXPECT_FALSE(QFile::exists(file));

    ::close(held);
    EXPECT_EQ(runWriter(file, QStringLiteral("k")).exitCode, 0);
}

TEST(PlistFaultInjection, ManyConcurrentWritersLoseNoKey) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/app.hushpane.plist");
    constexpr int kWriters = 8;
    constexpr int kKeysEach = 40;
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int w = 0; w < kWriters; ++w) {
        auto& writer = writers.emplace_back(std::make_unique<QProcess>());
        writer->start(writerPath(), {file, QStringLiteral("w%1-").arg(w), QStringLiteral("0"),
                                     QString::number(kKeysEach), QStringLiteral("--distinct")});
    }
    for (auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(120000));
        EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().constData();
    }
    const QVariantMap all = onDisk(file);
    EXPECT_EQ(all.size(), kWriters * kKeysEach);
    for (int w = 0; w < kWriters; ++w) {
        for (int n = 0; n < kKeysEach; ++n) {
            EXPECT_EQ(all.value(QStringLiteral("w%1-%2").arg(w).arg(n)).toLongLong(), n);
        }
    }
}

TEST(PlistFaultInjection, ASymbolicLinkIsWrittenThroughToItsTarget) {
    QTemporaryDir dir;
    const QString prefs = dir.path() + QStringLiteral("/Preferences");
    const QString dotfiles = dir.path() + QStringLiteral("/dotfiles");
    ASSERT_TRUE(QDir().mkpath(prefs) && QDir().mkpath(dotfiles));
    const QString target = dotfiles + QStringLiteral("/app.hushpane.plist");
    const QString link = prefs + QStringLiteral("/app.hushpane.plist");
    {
        PlistPreferenceDomain theirs(QStringLiteral("x"), target);
        theirs.setValue(QStringLiteral("menuBarIcon"), QVariant(QStringLiteral("lamp")));
        ASSERT_TRUE(theirs.synchronize());
    }
    // Relative, as dotfile managers make them.
    ASSERT_EQ(::symlink("../dotfiles/app.hushpane.plist", QFile::encodeName(link).constData()), 0);

    PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), link);
    EXPECT_EQ(domain.copyValue(QStringLiteral("menuBarIcon")), QVariant(QStringLiteral("lamp")));
    domain.setValue(QStringLiteral("showDockIcon"), QVariant(true));
    ASSERT_TRUE(domain.synchronize()) << domain.lastError().toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(onDisk(target).value(QStringLiteral("showDockIcon")), QVariant(true));
    EXPECT_EQ(onDisk(target).value(QStringLiteral("menuBarIcon")),
              QVariant(QStringLiteral("lamp")));
    EXPECT_EQ(QDir(prefs).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                    QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("app.hushpane.plist")});
    EXPECT_EQ(QDir(dotfiles).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("app.hushpane.plist"),
                           QStringLiteral("app.hushpane.plist.lock")}));

    // A corrupt target is kept aside next to it; the link stays.
    writeAll(target, "garbage");
    PlistPreferenceDomain again(QStringLiteral("app.hushpane"), link);
    again.setValue(QStringLiteral("k"), QVariant(1));
    ASSERT_TRUE(again.synchronize());
    EXPECT_EQ(readAll(target + QStringLiteral(".corrupt")), QByteArray("garbage"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

TEST(PlistFaultInjection, DanglingAndLoopingLinksGetClearErrors) {
    QTemporaryDir dir;
    // Dangling into a folder that exists: the target is created there.
    const QString dangling = dir.path() + QStringLiteral("/dangling.plist");
    ASSERT_TRUE(QFile::link(dir.path() + QStringLiteral("/made.plist"), dangling));
    PlistPreferenceDomain created(QStringLiteral("x"), dangling);
    created.setValue(QStringLiteral("k"), QVariant(true));
    ASSERT_TRUE(created.synchronize()) << created.lastError().toStdString();
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(onDisk(dir.path() + QStringLiteral("/made.plist")).value(QStringLiteral("k")),
              QVariant(true));

    // Dangling into a folder that does not: nothing is created anywhere.
    const QString nowhere = dir.path() + QStringLiteral("/nowhere.plist");
    ASSERT_TRUE(QFile::link(dir.path() + QStringLiteral("/missing/x.plist"), nowhere));
    PlistPreferenceDomain lost(QStringLiteral("x"), nowhere);
    lost.setValue(QStringLiteral("k"), QVariant(true));
    EXPECT_FALSE(lost.synchronize());
    EXPECT_TRUE(lost.lastError().contains(QStringLiteral("whose folder doesn't exist")))
        << lost.lastError().toStdString();
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/missing")));

    // A loop: refused, both links left as they are.
    const QString a = dir.path() + QStringLiteral("/a.plist");
    const QString b = dir.path() + QStringLiteral("/b.plist");
    ASSERT_TRUE(QFile::link(b, a) && QFile::link(a, b));
    PlistPreferenceDomain looping(QStringLiteral("x"), a);
    looping.setValue(QStringLiteral("k"), QVariant(true));
    EXPECT_FALSE(looping.synchronize());
    EXPECT_TRUE(looping.lastError().contains(QStringLiteral("loop of symbolic links")))
        << looping.lastError().toStdString();
    EXPECT_TRUE(QFileInfo(a).isSymLink() && QFileInfo(b).isSymLink());
}

TEST(PlistFaultInjection, EveryFailedWriteReachesTheCallerWithAReason) {
    QTemporaryDir dir;
    // The preferences folder is a file.
    const QString notAFolder = dir.path() + QStringLiteral("/Preferences");
    writeAll(notAFolder, "x");
    PlistPreferenceDomain blocked(QStringLiteral("x"), notAFolder + QStringLiteral("/a.plist"));
    blocked.setValue(QStringLiteral("k"), QVariant(true));
    PreferenceDomain& asInterface = blocked;
    EXPECT_FALSE(asInterface.synchronize());
    EXPECT_TRUE(asInterface.lastError().contains(QStringLiteral("is not a folder")))
        << asInterface.lastError().toStdString();

    // A read-only file system and one without free inodes.
    const QString mountPoint = dir.path() + QStringLiteral("/small");
    QDir().mkpath(mountPoint);
    if (::geteuid() != 0 || ::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0,
                                    "size=1m,nr_inodes=4") != 0) {
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    }
    const QString file = mountPoint + QStringLiteral("/app.hushpane.plist");
    PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), file);
    domain.setValue(QStringLiteral("a"), QVariant(true));
    ASSERT_TRUE(domain.synchronize()) << domain.lastError().toStdString();
    // The root, the file and its lock take three inodes; fill the last one.
    writeAll(mountPoint + QStringLiteral("/filler"), "x");
    domain.setValue(QStringLiteral("b"), QVariant(true));
    EXPECT_FALSE(domain.synchronize());
    EXPECT_TRUE(domain.lastError().contains(QStringLiteral("No space left on device")))
        << domain.lastError().toStdString();
    ASSERT_TRUE(QFile::remove(mountPoint + QStringLiteral("/filler")));

    ASSERT_EQ(::mount(nullptr, QFile::encodeName(mountPoint).constData(), nullptr,
                      MS_REMOUNT | MS_RDONLY, nullptr),
              0);
    EXPECT_FALSE(domain.synchronize());
    EXPECT_TRUE(domain.lastError().contains(QStringLiteral("Read-only file system")))
        << domain.lastError().toStdString();
    EXPECT_EQ(onDisk(file).value(QStringLiteral("a")), QVariant(true));
    EXPECT_FALSE(onDisk(file).contains(QStringLiteral("b")));
    ::umount(QFile::encodeName(mountPoint).constData());
}
