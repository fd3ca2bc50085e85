#pragma once

#include "backends/pcmanfm/FileManagerDesktop.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QList>

#include <functional>
#include <memory>
#include <optional>

class QObject;

namespace hushpane {

// pcmanfm or pcmanfm-qt running with --desktop on this session's display, found through
// /proc: it is not running without such a process, and does not answer while it is stopped.
// A second start of the program with options hands them to the running instance.
// Every wait is answered from the event loop (the process's signals, its bus name, its end
// through a pidfd, single-shot bounds); the waiting forms run the event loop until then.
class PcmanfmDesktopProgram : public FileManagerDesktop {
    Q_DECLARE_TR_FUNCTIONS(hushpane::PcmanfmDesktopProgram)

public:
    // How long a handed-over command or the end of the desktop is waited for.
    static constexpr int kCommandTimeoutMs = 3000;
    // Starting the desktop loads the whole file manager: it gets longer.
    static constexpr int kLaunchTimeoutMs = 10000;

    struct Options {
        QString executable;    // "pcmanfm"
        QString configFolder;  // under the configuration home: "pcmanfm"
        // True when the program reads its settings only at its start, and writes its own over
        // them when it ends (pcmanfm-qt): then the process must end before the files change.
        bool readsSettingsOnlyAtStart = false;
        // How the running instance takes commands: the bus name it owns (pcmanfm-qt), or else
        // the socket in the runtime directory whose name starts so ("pcmanfm-socket-"), with
        // the display number at its end.
        QString busName;
        QString socketPrefix;
        // Where the bus name is looked for; nothing: the session bus.
        std::optional<QDBusConnection> bus;
        // A boolean property through which the instance on `busName` says that it draws the
        // desktop (pcmanfm-qt: desktopManagerEnabled of org.pcmanfm.Application on
        // /Application). Its answer comes from the program's main thread, so an instance that
        // hangs while it starts owns its name but never gives it. Empty: the name is enough.
        QString desktopObjectPath;
        QString desktopInterface;
        QString desktopProperty;
        // Ends the instance on `busName` (pcmanfm-qt: quit of the interface above). Used when
        // it stays after its desktop went off although it shows no window.
        QString quitMethod;
        // How many windows (its desktop's left out) the process with this pid shows; nothing
        // when that cannot be told. Unset: never known.
        std::function<std::optional<int>(qint64 pid)> openWindows;
        // How long a started desktop gets to draw.
        int launchTimeoutMs = kLaunchTimeoutMs;
    };

    explicit PcmanfmDesktopProgram(Options options);
    ~PcmanfmDesktopProgram() override;
    PcmanfmDesktopProgram(const PcmanfmDesktopProgram&) = delete;
    PcmanfmDesktopProgram& operator=(const PcmanfmDesktopProgram&) = delete;

    State state() override;
    std::optional<QString> launch() override;
    QString name() const override { return options_.executable; }
    int timeoutMs() const override { return kCommandTimeoutMs; }

    QString profile() override;
    QString profileDirectory() override;
    std::optional<QString> tell(const QStringList& arguments) override;
    std::optional<QString> restart(const std::function<std::optional<QString>()>& change) override;
    void launchThen(const std::function<void(const std::optional<QString>&)>& done) override;
    void tellThen(const QStringList& arguments, const Answer& done) override;
    void restartThen(const std::function<std::optional<QString>()>& change,
                     const Answer& done) override;

    // The profile named by a command line (--profile=NAME, --profile NAME, -p NAME, -pNAME).
    static std::optional<QString> profileOf(const QStringList& arguments);

private:
    struct Found {
        qint64 pid = 0;
        QStringList arguments;
        bool stopped = false;
    };
    std::optional<Found> find() const;
    // Answers whether the process `pid` ended within `ms`.
    void whenGone(qint64 pid, int ms, const std::function<void(bool gone)>& done) const;
    // Whether the process is known to show windows of its own (not just its desktop).
    bool showsWindows(qint64 pid) const;
    // Ends an instance that stays without any window to stay for, through its bus interface;
    // answers true once it is gone.
    void endWindowless(qint64 pid, const std::function<void(bool gone)>& done) const;
    // Whether the instance takes commands yet (a second start would otherwise become one)
    // and says that it draws the desktop, asked with at most `timeoutMs`.
    void askDrawing(qint64 pid, int timeoutMs, const std::function<void(bool)>& done) const;
    bool ownsSocket() const;
    // Starts the desktop; the pid started, 0 when it could not be started.
    qint64 startDesktop();
    // Answers once the desktop draws, or false after the launch timeout.
    void whenDrawing(const std::function<void(bool)>& done) const;
    void launchAttempt(int attempt, const std::function<void(const std::optional<QString>&)>& done);
    // Ends a desktop this process started that did not draw, so that it blocks no later change.
    void endStarted(qint64 pid, const std::function<void()>& done) const;
    void changeThenLaunch(const std::function<std::optional<QString>()>& change,
                          const Answer& done);
    QString keepsRunning() const;
    // Restarts and launches go one after another: a change waits for the one before it.
    void inTurn(const std::function<void(const std::function<void()>& finished)>& job);
    void restartNow(const std::function<std::optional<QString>()>& change, const Answer& done);

    Options options_;
    QString profile_;  // the last one seen running
    // Parent of whatever waits: gone with this program, so no answer reaches a dead one.
    std::unique_ptr<QObject> context_;
    bool busy_ = false;
    QList<std::function<void()>> waiting_;
};

}  // namespace hushpane
