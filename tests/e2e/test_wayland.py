"""The installed program in a Wayland session (weston's headless compositor): without an X server
it runs as a native Wayland client, logs what cannot work there, and registers its tray icon
when a panel's StatusNotifierItem host comes after it; with XWayland (DISPLAY set) it runs on
XWayland, logs that the compositor places its window, and its slide asks for the frame one row
above the top, as on X11."""

import re
import sys
import time

from desktop import check, run_checks, wait_for
from test_tray import registrations, start_watcher

NATIVE_NOTE = "Running as a native Wayland client"
XWAYLAND_NOTE = "Running on XWayland in a Wayland session"


def asked_frame_position(d, window):
    """Where the program last asked its frame to be: its position hint (the client area, static
    gravity) less the client's offset in the frame. Weston places X windows itself."""
    m = re.search(r"specified location: (-?\d+), (-?\d+)", d.property(window, "WM_NORMAL_HINTS"))
    client, frame = d.window_info(window), d.frame_geometry(window)
    return m and (int(m.group(1)) - client["x"] + frame["x"], int(m.group(2)) - client["y"] + frame["y"])


def run(d, artifacts):
    native = d.start_corvane(env={"WAYLAND_DEBUG": "client"})
    wait_for(lambda: ".attach(wl_buffer" in d.log_of(native), 30, "the native window's first frame")
    time.sleep(1.0)
    log = d.log_of(native)
    check("natively, a Wayland window with the program's ID", 'set_app_id("org.example.Corvane")' in log)
    check("the log says what cannot work natively", NATIVE_NOTE in log and "always on top" in log)
    check("the native program keeps running", native.poll() is None, log[-600:])
    check("with no tray yet, the log says the icon waits for one", "Waiting for a tray" in log)
    start_watcher(d)  # the panel starts after the program, as at log-on
    check("the icon registers with the tray that came later", wait_for(lambda: registrations(d), 10, "the item"))
    d.stop(native)

    d.env["DISPLAY"] = d.xwayland_display
    corvane = d.start_corvane()
    window = wait_for(lambda: d.main_window(corvane.pid), 30, "the window on XWayland")
    expected = (int(d.screen.split("x")[0]) // 2, -1)
    seen = []
    try:
        wait_for(lambda: seen.append(asked_frame_position(d, window)) or seen[-1] == expected, 20, "the slide")
    except AssertionError:
        raise AssertionError(f"the slide did not end at {expected}; last asked for {seen[-1:]}") from None
    time.sleep(0.5)
    log = d.log_of(corvane)
    check("on XWayland the slide ends one row above the top and stays",
          asked_frame_position(d, window) == expected and NATIVE_NOTE not in log)
    check("the log says the compositor places the window on XWayland", XWAYLAND_NOTE in log, log[-600:])


if __name__ == "__main__":
    sys.exit(run_checks((run, {"wayland": True})))
