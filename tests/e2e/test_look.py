"""The installed program under a dark desktop theme and at scale factors 1.5 and 2: the labels on
the designed backgrounds stay readable, the frames of the main, About, Options and alert windows
lie inside the work area, and the small ("less") window shows the whole more/less button.
Screenshots go to the artefacts."""

import os
import re
import subprocess
import sys
import time

from desktop import check, run_checks, wait_for

DARK = {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark", "NO_AT_BRIDGE": "1"}
# Client-area places in pixels at scale 1: x, y, width, height.
LESS_BUTTON = (7, 45, 15, 10)  # the more/less button in the small window
MAIN_LABELS = {"up-time figures": (58, 33, 64, 17), "start date": (55, 80, 74, 15)}
LABELS = {"options": {"Load 'Corvane' at Startup.": (200, 32, 150, 17), "status bar": (6, 258, 110, 14),
                      "Help link": (22, 206, 40, 15)},
          "schedule": {"Days": (196, 72, 40, 21), "Execute this Task :": (196, 120, 120, 21)}}
SCHEDULE_TAB = (50, 155)
KIND_BOX = (376, 130)
ALERT_LABELS = {"Play Sound": (33, 152, 73, 20)}
ABOUT_LABELS = {"name and version": (80, 16, 200, 50)}


def pixels(shot, x, y, width, height):
    """The (r, g, b) colours of a part of a screenshot."""
    text = subprocess.run(["convert", shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-depth", "8",
                           "txt:-"], capture_output=True, text=True, check=True).stdout
    return [tuple(map(int, m.groups())) for m in re.finditer(r"\((\d+),(\d+),(\d+)", text)]


def text_contrast(colours):
    """Contrast (1 to 21) of the background (the commonest colour) and the text (the colour
    farthest from it in brightness)."""
    def luminance(rgb):
        r, g, b = (c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4 for c in (v / 255 for v in rgb))
        return 0.2126 * r + 0.7152 * g + 0.0722 * b

    lb = luminance(max(set(colours), key=colours.count))
    lt = max(map(luminance, colours), key=lambda l: abs(l - lb))
    return (max(lb, lt) + 0.05) / (min(lb, lt) + 0.05)


def check_inside(d, name, window, top_exempt=False):
    """The frame inside the work area; the main window's designed row above the top excepted."""
    f = d.frame_geometry(window)
    x, y, w, h = d.work_area()
    check(f"{name}: the frame lies inside the work area", f["x"] >= x and f["x"] + f["width"] <= x + w and
          f["y"] + f["height"] <= y + h and (top_exempt or f["y"] >= y), f"frame {f}, work area {x, y, w, h}")


def check_labels(d, window, labels, scale, picture, what):
    client = d.window_info(window)
    for name, (x, y, w, h) in labels.items():
        contrast = text_contrast(pixels(picture, client["x"] + round(x * scale), client["y"] + round(y * scale),
                                        round(w * scale), round(h * scale)))
        check(f"{what}: \"{name}\" reads on its background", contrast >= 4.5, f"contrast {contrast:.2f}")


def look(scale, dark):
    tag = f"{scale}" + ("-dark" if dark else "")

    def run(d, artifacts):
        shot = lambda name: d.screenshot(os.path.join(artifacts or d.tmp, f"{name}-scale{tag}.png"))
        corvane = d.start_corvane(env={"QT_SCALE_FACTOR": str(scale), **(DARK if dark else {})})
        main = wait_for(lambda: d.main_window(corvane.pid), 30, "the main window")
        # One logical row above the work area, in the screen's pixels.
        top = d.work_area()[1]
        wait_for(lambda: top - 2 <= d.frame_geometry(main)["y"] <= top - 1, 20, "the slide's last row")
        time.sleep(0.3)
        check_inside(d, "main window", main, top_exempt=True)
        check_labels(d, main, MAIN_LABELS, scale, shot("main"), "main window")

        x, y, w, h = (round(v * scale) for v in LESS_BUTTON)
        d.click(main, x + w // 2, y)  # the button is 20 twips higher in the large window
        wait_for(lambda: d.window_info(main)["height"] < 70 * scale, 5, "the small window")
        shot("less")
        check("the small window shows the whole more/less button", d.window_info(main)["height"] >= y + h,
              f"{d.window_info(main)}, button bottom {y + h}")

        d.open_tray_menu(corvane.pid)
        d.key("Down", "Return")
        about = wait_for(lambda: d.window_named(corvane.pid, "About Corvane"), 10, "About")
        time.sleep(0.5)
        check_inside(d, "About window", about)
        check_labels(d, about, ABOUT_LABELS, scale, shot("about"), "About window")
        d.key("Escape")
        wait_for(lambda: d.window_named(corvane.pid, "About Corvane") is None, 5, "About to close")

        d.open_tray_menu(corvane.pid)
        d.key("Down", "Down", "Return")  # About, Options
        options = wait_for(lambda: d.window_named(corvane.pid, "Corvane", exclude=(main,)), 10, "Options")
        check_inside(d, "Options window", options)
        for page, labels in LABELS.items():
            if page == "schedule":
                d.click(options, *(round(v * scale) for v in SCHEDULE_TAB))
            time.sleep(0.5)
            check_labels(d, options, labels, scale, shot(page), page)

        d.click(options, *(round(v * scale) for v in KIND_BOX))
        d.key("alt+Down", "Home", "Down", "Down", "Down", "Down", "Return")  # the fifth kind, Alert
        alert = wait_for(lambda: d.window_named(corvane.pid, "Corvane", exclude=(main, options)), 10, "the editor")
        time.sleep(0.5)
        check_inside(d, "alert editor", alert)
        check_labels(d, alert, ALERT_LABELS, scale, shot("alert"), "alert editor")

    run.__name__ = "look_at_scale_" + tag.replace("-", "_")
    return run


if __name__ == "__main__":
    sys.exit(run_checks((look(1, True), {}), (look(1.5, False), {"screen": "1366x768x24"}),
                        (look(2, True), {"screen": "1280x800x24"})))
