#pragma once

#include "backends/pcmanfm/FileManagerDesktop.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include <functional>
#include <optional>

namespace hushpane {

// pcmanfm or pcmanfm-qt running with --desktop on this session's display, found through
// /proc: it is not running without such a process, and does not answer while it is stopped.
// A second start of the program with options hands them to the running instance.
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

    State state() override;
    std::optional<QString> launch() override;
    QString name() const override { return options_.executable; }
    int timeoutMs() const override { return kCommandTimeoutMs; }

    QString profile() override;
    QString profileDirectory() override;
    std::optional<QString> tell(const QStringList& arguments) override;
    std::optional<QString> restart(const std::function<std::optional<QString>()>& change) override;

    // The profile named by a command line (--profile=NAME, --profile NAME, -p NAME, -pNAME).
    static std::optional<QString> profileOf(const QStringList& arguments);

private:
    struct Found {
        qint64 pid = 0;
        QStringList arguments;
        bool stopped = false;
    };
    std::optional<Found> find() const;
    bool waitUntilGone(qint64 pid) const;
    // Whether the process is known to show windows of its own (not just its desktop).
    bool showsWindows(qint64 pid) const;
    // Ends an instance that stays without any window to stay for, through its bus interface;
    // true once it is gone.
    bool endWindowless(qint64 pid) const;
    // Whether the instance takes commands yet (a second start would otherwise become one).
    bool takesCommands(qint64 pid) const;
    // Whether it says that it draws the desktop, asked with at most `timeoutMs`.
    bool drawsDesktop(int timeoutMs) const;
    // Starts the desktop and waits (bounded) until it draws; the pid started, 0 when it could
    // not be started.
    qint64 startDesktop();
    bool waitUntilDrawing() const;
    // Ends a desktop this process started that did not draw, so that it blocks no later change.
    void endStarted(qint64 pid) const;

    Options options_;
    QString profile_;  // the last one seen running
};

}  // namespace hushpane
