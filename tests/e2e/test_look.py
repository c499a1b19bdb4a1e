"""The installed program's windows under a dark desktop theme and at scale factors 1.5 and 2:
the labels on the designed light backgrounds stay dark and readable, every window's frame lies
inside the work area, and in the small ("less") state the more/less button is whole. The
screenshots stay in the artefacts folder."""

import os
import re
import subprocess
import sys
import time

from desktop import check, run_checks, wait_for

DARK = {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark", "NO_AT_BRIDGE": "1"}
MIN_CONTRAST = 4.5  # the usual least contrast of body text
# Places in the windows' client areas, in pixels at scale 1 (15 twips a pixel): x, y, width, height.
MORE_LESS_BUTTON = (7, 45, 15, 10)  # in the small state, 20 twips lower than designed
OPTIONS_LABELS = {
    "Load 'Corvane' at Startup.": (200, 32, 150, 17),
    "Show available physical Memory": (200, 128, 200, 34),
    "Task Scheduled : No (status bar)": (6, 258, 110, 14),
}
SCHEDULE_TAB = (50, 155)
SCHEDULE_LABELS = {"Days": (196, 72, 40, 21), "Execute this Task :": (196, 120, 120, 21)}


def luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4

    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def pixels(shot, x, y, width, height):
    """The colours of a part of a screenshot, as (r, g, b) tuples."""
    text = subprocess.run(["convert", shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-depth", "8",
                           "txt:-"], capture_output=True, text=True, check=True).stdout
    return [tuple(int(v) for v in m.groups()) for m in re.finditer(r"\((\d+),(\d+),(\d+)", text)]


def text_contrast(shot, x, y, width, height):
    """Contrast between a label's background (its most common colour) and the colour farthest
    from it in brightness (its text): 1 (nothing to see) to 21 (black on white)."""
    colours = pixels(shot, x, y, width, height)
    background = max(set(colours), key=colours.count)
    lb = luminance(background)
    lt = max((luminance(c) for c in colours), key=lambda l: abs(l - lb))
    return (max(lb, lt) + 0.05) / (min(lb, lt) + 0.05)


def work_area(d):
    x, y, w, h = (int(v) for v in d.property(d.root(), "_NET_WORKAREA").split("=")[1].split(",")[:4])
    return x, y, x + w, y + h


def check_inside(d, name, window, top_exempt=False):
    """The window's frame inside the work area (the main window's designed row above the
    screen's top excepted)."""
    frame = d.frame_geometry(window)
    left, top, right, bottom = work_area(d)
    inside = (frame["x"] >= left and frame["x"] + frame["width"] <= right and
              frame["y"] + frame["height"] <= bottom and (top_exempt or frame["y"] >= top))
    check(f"{name}: the frame lies inside the work area", inside, f"frame {frame}, work area {work_area(d)}")


def check_labels(d, window, labels, scale, shot, what):
    client = d.window_info(window)
    for name, (x, y, w, h) in labels.items():
        contrast = text_contrast(shot, client["x"] + round(x * scale), client["y"] + round(y * scale),
                                 round(w * scale), round(h * scale))
        check(f"{what}: \"{name}\" is readable on its background", contrast >= MIN_CONTRAST,
              f"contrast {contrast:.2f}")


def look(scale, dark):
    def run(d, artifacts):
        folder = artifacts or d.tmp
        tag = f"scale{scale}" + ("-dark" if dark else "")
        env = {"QT_SCALE_FACTOR": str(scale), **(DARK if dark else {})}
        corvane = d.start_corvane(env=env)
        main = wait_for(lambda: d.main_window(corvane.pid), 30, "the main window")
        # The slide ends one row (of the program's pixels) above the top.
        wait_for(lambda: d.frame_geometry(main)["y"] in (-1, -2), 20, "the slide to end")
        time.sleep(0.5)
        check_inside(d, "main window", main, top_exempt=True)

        x, y, w, h = (round(v * scale) for v in MORE_LESS_BUTTON)
        d.click(main, x + w // 2, y + h // 2 - round(20 / 15 * scale))
        wait_for(lambda: d.window_info(main)["height"] < 70 * scale, 5, "the small state")
        d.screenshot(os.path.join(folder, f"less-{tag}.png"))
        client = d.window_info(main)
        check("in the small state the more/less button is whole", client["height"] >= y + h,
              f"client height {client['height']}, button bottom {y + h}")
        d.click(main, x + w // 2, y + h // 2)
        wait_for(lambda: d.window_info(main)["height"] > 70 * scale, 5, "the more button to work")

        d.open_tray_menu(corvane.pid)
        d.key("Down", "Down", "Return")  # About, Options
        options = wait_for(lambda: d.window_named(corvane.pid, "Corvane", exclude=(main,)), 10, "Options")
        time.sleep(0.5)
        shot = d.screenshot(os.path.join(folder, f"options-{tag}.png"))
        check_inside(d, "Options window", options)
        check_labels(d, options, OPTIONS_LABELS, scale, shot, "Options page")

        d.click(options, *(round(v * scale) for v in SCHEDULE_TAB))
        time.sleep(0.5)
        shot = d.screenshot(os.path.join(folder, f"schedule-{tag}.png"))
        check_labels(d, options, SCHEDULE_LABELS, scale, shot, "Schedule Task page")
        check("the program keeps running", corvane.poll() is None, d.log_of(corvane)[-600:])

    run.__name__ = f"look_at_scale_{scale}" + ("_dark" if dark else "")
    return run


if __name__ == "__main__":
    sys.exit(run_checks((look(1, True), {}),
                        (look(1.5, False), {"screen": "1366x768x24"}),
                        (look(2, True), {"screen": "1280x800x24"})))
