"""The URL hand-off of a second `hushpane` process, beside its floor: one process start plus
one D-Bus call (dbus-send calling the same Activate method with a URL the instance ignores).
The two take turns. Used by measure.py; standalone, on a session bus and display of your own:
    python3 bench/handoff.py BUILD/hushpane [repetitions]
(it starts the running instance itself when none runs)."""
import statistics
import subprocess
import sys
import time

DBUS_SEND = ["dbus-send", "--session", "--type=method_call", "--print-reply", "--dest=app.hushpane",
             "/app/hushpane", "app.hushpane.Instance.Activate", "array:string:hushpane://none"]


def instance_runs():
    return subprocess.run(DBUS_SEND, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def measure(hushpane, reps):
    """Medians and minima in milliseconds: (hand-off, floor)."""
    handoff, floor = [], []
    for _ in range(reps):
        t = time.perf_counter()
        subprocess.run([hushpane, "hushpane://toggle"], check=True)
        handoff.append(time.perf_counter() - t)
        t = time.perf_counter()
        subprocess.run(DBUS_SEND, check=True, stdout=subprocess.DEVNULL)
        floor.append(time.perf_counter() - t)
    ms = lambda xs: (statistics.median(xs) * 1000, min(xs) * 1000)
    return ms(handoff), ms(floor)


def report(line, hushpane, reps):
    (h, h_min), (f, f_min) = measure(hushpane, reps)
    line(f"URL hand-off (second process), median of {reps}", f"{h:8.1f} ms (fastest {h_min:.1f} ms)")
    line("floor: dbus-send, the same call, median", f"{f:8.1f} ms (fastest {f_min:.1f} ms)")
    line("hand-off ratio to the floor", f"{h / f:.2f} (fastest against fastest {h_min / f_min:.2f})")
    return h


if __name__ == "__main__":
    program = sys.argv[1]
    repetitions = int(sys.argv[2]) if len(sys.argv) > 2 else 40
    app = None
    if not instance_runs():
        app = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 20
        while not instance_runs() and time.time() < deadline:
            time.sleep(0.05)
    report(lambda what, value: print(f"{what:<44} {value}"), program, repetitions)
    if app:
        app.terminate()
        app.wait()
