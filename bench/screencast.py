"""The screen-share trigger on GNOME 48 (Wayland, headless), run by the shell harness inside
that session:

    session_run desktop=gnome-wayland python3 bench/screencast.py BUILD [ROUNDS] [IDLE SECONDS]

Per round: Mutter's ScreenCast of the monitor started as GNOME's sharing dialog starts it (the
desktop's time: Start called until PipeWireStreamAdded, the node in PipeWire's registry), a
viewer (GStreamer's PipeWire source) started at once, and Hushpane's time: from the node
appearing until the icons extension is off (Desktop Icons NG takes its windows away with it;
the session test checks that on screen), the viewer's start included. Then idle cost: Hushpane's context switches over all its threads with the switch on
and a PipeWire daemon running, beside the same with the switch off.
"""
import os
import plistlib
import statistics
import subprocess
import sys
import time

from gi.repository import Gio, GLib

build = sys.argv[1]
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
idle_seconds = int(sys.argv[3]) if len(sys.argv) > 3 else 10
hushpane = os.path.join(build, "hushpane")
prefs = os.path.join(os.environ["XDG_CONFIG_HOME"], "hushpane", "Preferences", "app.hushpane.plist")
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
SERVICE = "org.gnome.Mutter.ScreenCast"


def line(what, value):
    print(f"{what:<52} {value}")


def call(path, interface, method, args=None, reply=None):
    return bus.call_sync(SERVICE if interface.startswith(SERVICE) else "org.gnome.Shell", path,
                         interface, method, args, GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, 20000)


def icons_state():
    info = call("/org/gnome/Shell", "org.gnome.Shell.Extensions", "GetExtensionInfo",
                GLib.Variant("(s)", ("ding@rastersoft.com",)), "(a{sv})").unpack()[0]
    return info.get("state")


def wait(predicate, timeout=30.0, step=0.005):
    deadline = time.perf_counter() + timeout
    while time.perf_counter() < deadline:
        if predicate():
            return time.perf_counter()
        time.sleep(step)
    return float("nan")


def set_switch(on):
    os.makedirs(os.path.dirname(prefs), exist_ok=True)
    values = {}
    if os.path.exists(prefs):
        with open(prefs, "rb") as f:
            values = plistlib.load(f)
    values["hideWhileScreenShared"] = on
    with open(prefs, "wb") as f:
        plistlib.dump(values, f, fmt=plistlib.FMT_BINARY)


def start_hushpane():
    env = dict(os.environ, QT_QPA_PLATFORM="wayland")
    env.pop("DISPLAY", None)
    app = subprocess.Popen([hushpane], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    owner = lambda: bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                  "NameHasOwner", GLib.Variant("(s)", ("app.hushpane",)),
                                  GLib.VariantType("(b)"), Gio.DBusCallFlags.NONE, 5000).unpack()[0]
    wait(owner)
    # Without a tray the settings window opens a few seconds after the start: past that.
    time.sleep(8)
    return app


def switches(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        status = dict(l.split(":", 1) for l in open(f"/proc/{pid}/task/{task}/status") if ":" in l)
        total += int(status["voluntary_ctxt_switches"]) + int(status["nonvoluntary_ctxt_switches"])
    return total, len(os.listdir(f"/proc/{pid}/task"))


shown = icons_state()
set_switch(True)
app = start_hushpane()
starts, hides = [], []
loop = GLib.MainContext.default()
for n in range(rounds):
    session = call("/org/gnome/Mutter/ScreenCast", SERVICE, "CreateSession",
                   GLib.Variant("(a{sv})", ({},)), "(o)").unpack()[0]
    stream = call(session, SERVICE + ".Session", "RecordMonitor",
                  GLib.Variant("(sa{sv})", ("", {})), "(o)").unpack()[0]
    node = []
    sub = bus.signal_subscribe(None, SERVICE + ".Stream", "PipeWireStreamAdded", stream, None,
                               Gio.DBusSignalFlags.NONE,
                               lambda *a: node.append((time.perf_counter(), a[5].unpack()[0])))
    t0 = time.perf_counter()
    call(session, SERVICE + ".Session", "Start")
    while not node:
        loop.iteration(True)
    t1, node_id = node[0]
    viewer = subprocess.Popen(["gst-launch-1.0", "-q", "pipewiresrc", f"path={node_id}",
                               "stream-properties=props,media.type=Video,media.category=Capture,media.role=Screen",
                               "!", "fakesink"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    t2 = wait(lambda: icons_state() != shown)
    starts.append((t1 - t0) * 1000)
    hides.append((t2 - t1) * 1000)
    call(session, SERVICE + ".Session", "Stop")
    bus.signal_unsubscribe(sub)
    viewer.terminate()
    viewer.wait()
    wait(lambda: icons_state() == shown)
    time.sleep(2)

med = lambda xs: f"{statistics.median(xs):7.1f} ms (median of {len(xs)}; {min(xs):.1f}-{max(xs):.1f})"
line("GNOME cast: Start until the node is in PipeWire", med(starts))
line("Hushpane: node in PipeWire until icons extension off", med(hides))

a0 = switches(app.pid)
time.sleep(idle_seconds)
a1 = switches(app.pid)
app.terminate()
app.wait()
set_switch(False)
off = start_hushpane()
o0 = switches(off.pid)
time.sleep(idle_seconds)
o1 = switches(off.pid)
off.terminate()
off.wait()
line(f"idle {idle_seconds}s, screen-share switch on (PipeWire up)",
     f"{a1[0] - a0[0]} context switches, {a1[1]} threads")
line(f"idle {idle_seconds}s, screen-share switch off", f"{o1[0] - o0[0]} context switches, {o1[1]} threads")
