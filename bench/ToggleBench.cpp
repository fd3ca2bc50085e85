// Times one hide() + show() round in process against what a user would otherwise run, both
// over the real preference file and the real /usr/bin/killall ending a stand-in Finder.
//   bench_toggle <stand-in Finder> <repetitions>
// Prints one line per figure: median and spread (interquartile range) in milliseconds.
#include "BenchStats.h"

#include "backends/finder/FinderDesktopSwitch.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "backends/posix/PosixProcessLauncher.h"
#include "common/UserDefaults.h"
#include "platform/Workspace.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace hushpane;

using bench::Stats;
using bench::stats;

namespace {

// A Finder for killall to end, started outside the timed part.
void startFinder(const QString& path) {
    QProcess::startDetached(path, {});
    QProcess wait;  // killall must find it: wait until it is listed
    for (int i = 0; i < 100; ++i) {
        wait.start(QStringLiteral("/usr/bin/pgrep"),
                   {QStringLiteral("-x"), QStringLiteral("Finder")});
        wait.waitForFinished();
        if (wait.exitCode() == 0) {
            return;
        }
    }
}

// A launcher that does not start anything: what remains is our own code and the file write.
class NoProcesses : public ProcessLauncher {
public:
    Launch launch(const QString&, const QStringList&) override { return {1, {}}; }
    int waitUntilExit(ProcessId) override { return 0; }
};

void print(const char* what, const Stats& s, const char* unit = "ms") {
    std::printf("%-44s median %8.3f %s  (IQR %.3f-%.3f)\n", what, s.median, unit, s.q1, s.q3);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("app.hushpane.*=false"));
    const QString finder = app.arguments().value(1);
    const int reps = app.arguments().value(2, QStringLiteral("40")).toInt();
    QTemporaryDir dir;
    const QString finderFile = dir.path() + QStringLiteral("/com.apple.finder.plist");

    PlistPreferenceDomain appDomain(QStringLiteral("app.hushpane"),
                                    dir.path() + QStringLiteral("/app.hushpane.plist"));
    UserDefaults defaults(appDomain);
    PosixFileBookmarks bookmarks;
    Preferences preferences(defaults, bookmarks);
    class NoWorkspace : public Workspace {
    public:
        QList<WorkspaceScreen> screens() const override { return {}; }
        std::optional<QUrl> desktopImageUrl(const WorkspaceScreen&) const override { return {}; }
        std::optional<QVariantMap> desktopImageOptions(const WorkspaceScreen&) const override {
            return {};
        }
        std::optional<QString> setDesktopImageUrl(const QUrl&, const WorkspaceScreen&,
                                                  const QVariantMap&) override {
            return {};
        }
    } workspace;

    // Ours: hide() + show() with killall ending a Finder each time.
    std::vector<double> ours;
    {
        PlistPreferenceDomain finderDomain(QStringLiteral("com.apple.finder"), finderFile);
        PosixProcessLauncher launcher;
        FinderDesktopSwitch desktopSwitch(finderDomain, launcher);
        DesktopController desktop(desktopSwitch, preferences, workspace);
        for (int i = 0; i < reps; ++i) {
            double total = 0;
            for (const bool hide : {true, false}) {
                startFinder(finder);
                QElapsedTimer t;
                t.start();
                hide ? desktop.hide() : desktop.show();
                // Each request made now, not spaced out as a burst would be.
                desktop.finishPendingChange();
                total += static_cast<double>(t.nsecsElapsed()) / 1e6;
            }
            ours.push_back(total);
        }
    }

    // Baseline: a preference-writing process plus killall, twice.
    std::vector<double> baseline;
    const QString script = QStringLiteral(
        "import plistlib,sys,os\n"
        "p=sys.argv[1]\n"
        "d=plistlib.load(open(p,'rb')) if os.path.exists(p) else {}\n"
        "d['CreateDesktop']=sys.argv[2]=='1'\n"
        "open(p,'wb').write(plistlib.dumps(d))\n");
    for (int i = 0; i < reps; ++i) {
        double total = 0;
        for (const char* value : {"0", "1"}) {
            startFinder(finder);
            QElapsedTimer t;
            t.start();
            QProcess::execute(QStringLiteral("python3"), {QStringLiteral("-c"), script, finderFile,
                                                          QString::fromLatin1(value)});
            QProcess::execute(QStringLiteral("/usr/bin/killall"), {QStringLiteral("Finder")});
            total += static_cast<double>(t.nsecsElapsed()) / 1e6;
        }
        baseline.push_back(total);
    }

    // Our code alone: the same round without starting killall.
    std::vector<double> inProcess;
    {
        PlistPreferenceDomain finderDomain(QStringLiteral("com.apple.finder"), finderFile);
        NoProcesses launcher;
        FinderDesktopSwitch desktopSwitch(finderDomain, launcher);
        DesktopController desktop(desktopSwitch, preferences, workspace);
        for (int i = 0; i < reps * 10; ++i) {
            QElapsedTimer t;
            t.start();
            desktop.hide();
            desktop.finishPendingChange();
            desktop.show();
            desktop.finishPendingChange();
            inProcess.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6 / 2);
        }
    }

    const Stats o = stats(ours), b = stats(baseline), p = stats(inProcess);
    print("toggle round (hide+show), Hushpane", o);
    print("toggle round, python3 plistlib + killall", b);
    std::printf("%-44s %.2f (target <= 0.6)\n", "toggle ratio Hushpane / baseline",
                o.median / b.median);
    print("in-process cost per toggle (no killall)", p);
    std::printf("%-44s %s\n", "in-process target < 1 ms", p.median < 1.0 ? "met" : "NOT met");
    return 0;
}
