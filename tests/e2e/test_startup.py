"""Start-up and end of the installed program in a private desktop: the window slides in to one
row above the work area (below the tray panel that reserves the top edge) and stays, the tray icon is embedded and opens the menu, a second copy from the same folder ends
silently, one from another folder runs, and "Exit Corvane" ends the process with status 3."""

import os
import sys
import time

from desktop import check, run_checks, wait_for

SLIDE_TIMEOUT = 20  # s; the slide itself takes about two seconds


def watch_slide(d, window, last):
    """Frame rows seen while the window slides, until it reaches its last row."""
    rows = []

    def arrived():
        frame = d.frame_geometry(window)
        if frame is None:
            return False
        if not rows or rows[-1] != frame["y"]:
            rows.append(frame["y"])
        return frame["y"] == last

    wait_for(arrived, SLIDE_TIMEOUT, f"the window to reach y = {last}", interval=0.005)
    return rows


def no_window_while_running(d, proc, timeout):
    """Waits for proc to end; returns the windows it showed meanwhile (none expected) and its status."""
    seen = set()
    deadline = time.monotonic() + timeout
    while proc.poll() is None and time.monotonic() < deadline:
        seen.update(w for w in d.windows_of(proc.pid) if (d.window_info(w) or {}).get("viewable"))
        time.sleep(0.01)
    return seen, d.wait_exit(proc, max(0.1, deadline - time.monotonic()), "the second copy to end")


def choose_last_item(d, proc, menu):
    """Clicks the menu's last item ("Exit Corvane"), once more if the click is lost; returns the
    program's exit status."""
    info = d.window_info(menu)
    for attempt in range(2):
        d.click(menu, info["width"] // 2, info["height"] - 10)
        try:
            return d.wait_exit(proc, 5, "the program to end after Exit Corvane")
        except AssertionError:
            if attempt == 1 or menu not in d.popup_menus(proc.pid):
                raise
    return None


def run(d, artifacts):
    corvane = d.start_corvane()
    window = wait_for(lambda: d.main_window(corvane.pid), 30, "the main window")
    check("the main window appears", window)

    area_x, area_top, area_width, _ = d.work_area()
    check("the tray panel reserves the top edge", area_top == 24, f"work area top {area_top}")
    rows = watch_slide(d, window, area_top - 1)
    # openbox places a window mapped above the screen partly into view, and clamps the first
    # rows of the slide: the slide is what follows the highest row seen.
    slide = rows[rows.index(min(rows)):]
    check("the window slides down row by row",
          len(slide) >= 10 and slide == sorted(slide), f"frame rows seen: {rows}")
    check("the slide ends with the frame's top one row above the work area, just under the panel",
          rows[-1] == area_top - 1, f"rows: {rows}")
    frame = d.frame_geometry(window)
    expected_x = round((area_x + area_width) / 2)  # half to even, as the program rounds
    check("the window's left edge is at the middle of the work area", frame["x"] == expected_x,
          f"frame x {frame['x']}, expected {expected_x}")
    time.sleep(1.0)  # the window must stay put after the slide
    later = d.frame_geometry(window)
    check("the window stays there", (later["x"], later["y"]) == (frame["x"], area_top - 1), f"frame now {later}")
    if artifacts:
        d.screenshot(os.path.join(artifacts, "startup.png"))

    icon = wait_for(lambda: d.tray_icon(corvane.pid), 10, "the tray icon")
    check("the tray icon is embedded in the tray", wait_for(lambda: d.is_embedded(icon), 10, "the icon in trayer"))

    menu = d.open_tray_menu(corvane.pid)
    check("a right-click on the tray icon opens the menu", menu)
    if artifacts:
        d.screenshot(os.path.join(artifacts, "menu.png"))
    d.key("Escape")
    wait_for(lambda: not d.popup_menus(corvane.pid), 5, "the menu to close")

    second = d.start_corvane()
    windows, status = no_window_while_running(d, second, 15)
    check("a second copy from the same folder ends at once with status 0", status == 0, f"status {status}")
    check("the second copy shows no window", not windows, f"windows {windows}")
    check("the first copy keeps running", corvane.poll() is None)

    other = d.start_corvane(prefix=d.copy_prefix("elsewhere"))
    wait_for(lambda: d.main_window(other.pid), 30, "the other copy's window")
    time.sleep(0.5)
    check("a copy from another folder keeps running", other.poll() is None,
          f"status {other.returncode}: {d.log_of(other)[-400:]}")
    d.stop(other)
    check("the first copy still runs beside it", corvane.poll() is None)

    menu = d.open_tray_menu(corvane.pid)
    check("Exit Corvane ends the program with status 3 (259 & 0xff)", choose_last_item(d, corvane, menu) == 3,
          f"status {corvane.returncode}")


if __name__ == "__main__":
    sys.exit(run_checks((run, {})))
