"""The installed program in a Wayland session (weston's headless compositor): without an X
server it runs as a native Wayland client and says in its log what cannot work there; with
XWayland (DISPLAY set) it runs on XWayland and its slide ends with the window's frame at the
top of the screen, one row above it as on X11."""

import re
import sys
import time

from desktop import check, run_checks, wait_for

NATIVE_NOTE = "Running as a native Wayland client"


def requested_frame_position(d, window):
    """Where the program last asked its frame to be: its position hint (the client area's place,
    static gravity) less the client's offset in the compositor's frame. Weston places X windows
    itself, so where they really are says nothing about the slide."""
    m = re.search(r"specified location: (-?\d+), (-?\d+)", d.property(window, "WM_NORMAL_HINTS"))
    client, frame = d.window_info(window), d.frame_geometry(window)
    if not m or not client or not frame:
        return None
    return int(m.group(1)) - (client["x"] - frame["x"]), int(m.group(2)) - (client["y"] - frame["y"])


def run(d, artifacts):
    # No X server: a native Wayland client whose window is mapped with the program's ID.
    native = d.start_corvane(env={"WAYLAND_DEBUG": "client"})
    wait_for(lambda: "wl_surface" in d.log_of(native) and ".attach(wl_buffer" in d.log_of(native), 30,
             "the native window's first frame")
    log = d.log_of(native)
    check("natively, the window is a Wayland toplevel with the program's ID",
          'set_app_id("org.example.Corvane")' in log)
    check("the log says what cannot work natively", NATIVE_NOTE in log and "always on top" in log)
    time.sleep(1.0)
    check("the native program keeps running", native.poll() is None, log[-600:])
    d.stop(native)

    # XWayland: the X server weston starts, as a Wayland desktop offers it.
    d.env["DISPLAY"] = d.xwayland_display
    corvane = d.start_corvane()
    window = wait_for(lambda: d.main_window(corvane.pid), 30, "the window on XWayland")
    check("with DISPLAY set, the window is an X window on XWayland", window)
    width = int(re.search(r"(\d+)x\d+", d.screen).group(1))
    expected = (round(width / 2), -1)
    seen = []

    def arrived():
        seen.append(requested_frame_position(d, window))
        return seen[-1] == expected

    try:
        wait_for(arrived, 20, f"the slide to end at {expected}")
    except AssertionError:
        raise AssertionError(f"the slide did not end at {expected}; last asked for {seen[-1:]}") from None
    check("on XWayland the slide ends with the frame's top one row above the screen", seen[-1] == expected)
    time.sleep(0.5)
    check("it stays there", requested_frame_position(d, window) == expected,
          f"now {requested_frame_position(d, window)}")
    check("nothing about a native Wayland client in the log", NATIVE_NOTE not in d.log_of(corvane))
    check("the program keeps running on XWayland", corvane.poll() is None, d.log_of(corvane)[-600:])


if __name__ == "__main__":
    sys.exit(run_checks((run, {"wayland": True})))
