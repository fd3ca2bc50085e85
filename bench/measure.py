"""Figures that need the running program: URL hand-off, idle cost and start-up, each against a
baseline run in the same session (a Qt 6 Widgets tray program with nothing else in it)."""
import os
import plistlib
import statistics
import subprocess
import sys
import time

import handoff

build, idle_seconds, reps = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
in_process_toggle_ms = float(sys.argv[4])
hushpane = os.path.join(build, "hushpane")
minimal = os.path.join(build, "bench", "bench_minimal_tray")
probe = os.path.join(build, "bench", "bench_startup_probe")
ticks = os.sysconf("SC_CLK_TCK")


def line(what, value):
    print(f"{what:<44} {value}")


def window_of(pid, name=None, timeout=20.0):
    """Seconds until process `pid` has a window (its tray icon's), or a window named `name`."""
    start = time.perf_counter()
    args = ["xdotool", "search", "--pid", str(pid)] if name is None else ["xdotool", "search", "--name", name]
    while time.perf_counter() - start < timeout:
        if subprocess.run(args, capture_output=True).returncode == 0:
            return time.perf_counter() - start
        time.sleep(0.005)
    return float("nan")


def proc_sample(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    cpu = (int(fields[11]) + int(fields[12])) / ticks  # utime + stime
    status = dict(l.split(":", 1) for l in open(f"/proc/{pid}/status") if ":" in l)
    switches = int(status["voluntary_ctxt_switches"]) + int(status["nonvoluntary_ctxt_switches"])
    rollup = dict(l.split(":", 1) for l in open(f"/proc/{pid}/smaps_rollup").readlines()[1:])
    kb = lambda k: int(rollup[k].split()[0])
    return cpu, switches, kb("Rss"), kb("Pss")


# From its second start on it asks once whether to check for updates by itself: answered
# beforehand, as a user would have, so start-up and idle are measured as every later start and
# rest are, not with that question's window, which the floor does not have.
prefs = os.path.join(os.environ.get("XDG_CONFIG_HOME") or os.path.expanduser("~/.config"),
                     "hushpane", "Preferences", "app.hushpane.plist")
os.makedirs(os.path.dirname(prefs), exist_ok=True)
stored = {}
if os.path.exists(prefs):
    with open(prefs, "rb") as f:
        stored = plistlib.load(f)
stored["SUEnableAutomaticChecks"] = False
with open(prefs, "wb") as f:
    plistlib.dump(stored, f)

# Start-up: process start until its tray icon asks to be docked. The probe is the display's
# system tray while it runs, so the moment is exact and nothing polls; the two programs take
# turns. The probe prints "<program> median M min N max X samples ...".
rounds = 41
out = subprocess.run([probe, str(rounds), hushpane, minimal], capture_output=True, text=True,
                     check=True).stdout.split("\n")
figures = [dict(zip(l.split()[1:7:2], map(float, l.split()[2:7:2]))) for l in out[:2]]
h, m = figures
line("start-up to tray icon, Hushpane",
     f"{h['median']:8.1f} ms (median of {rounds}; fastest {h['min']:.1f} ms)")
line("start-up to tray icon, minimal Qt tray",
     f"{m['median']:8.1f} ms (median of {rounds}; fastest {m['min']:.1f} ms)")
line("start-up ratio (target <= 1.3)", f"{h['median'] / m['median']:.2f} "
     f"(fastest against fastest {h['min'] / m['min']:.2f})")

tray = subprocess.Popen(["trayer", "--edge", "top", "--align", "right", "--widthtype", "request",
                         "--SetDockType", "true"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
time.sleep(1)

# Idle: wake-ups, CPU time and memory over the idle period, both programs side by side.
app = subprocess.Popen([hushpane], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
floor = subprocess.Popen([minimal], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
window_of(app.pid)
window_of(floor.pid)
time.sleep(3)
a0, f0 = proc_sample(app.pid), proc_sample(floor.pid)
time.sleep(idle_seconds)
a1, f1 = proc_sample(app.pid), proc_sample(floor.pid)
line(f"idle {idle_seconds}s wake-ups, Hushpane", f"{a1[1] - a0[1]} context switches, {a1[0] - a0[0]:.2f} s CPU")
line(f"idle {idle_seconds}s wake-ups, minimal Qt tray", f"{f1[1] - f0[1]} context switches, {f1[0] - f0[0]:.2f} s CPU")
line("resident memory, Hushpane", f"RSS {a1[2] / 1024:.1f} MiB, PSS {a1[3] / 1024:.1f} MiB")
line("resident memory, minimal Qt tray", f"RSS {f1[2] / 1024:.1f} MiB, PSS {f1[3] / 1024:.1f} MiB")
line("RSS ratio (target <= 1.3)", f"{a1[2] / f1[2]:.2f}")
floor.terminate()
floor.wait()

# URL hand-off: a second process handing hushpane://toggle to the running one, beside the
# floor of any hand-off (one process start plus one D-Bus call), and the toggle it asks for.
handoff.report(line, hushpane, reps)
line("same toggle in process (with killall)", f"{in_process_toggle_ms:8.1f} ms")

# The settings window's first show, against the minimal program's first window.
t = time.perf_counter()
subprocess.run([hushpane, "hushpane://settings"], check=True)
window_of(None, "Hushpane Settings")
settings = time.perf_counter() - t
t = time.perf_counter()
w = subprocess.Popen([minimal, "--window"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
window_of(None, "Minimal Window")
mw = time.perf_counter() - t
line("settings window first show, Hushpane", f"{settings * 1000:8.1f} ms (from the URL command)")
line("first window, minimal Qt program", f"{mw * 1000:8.1f} ms (from process start)")
w.terminate()
app.terminate()
app.wait()
tray.terminate()
