"""Corvane4.0.exe under Wine at 144 dots per inch (150 %, Wine's LogPixels): the main window,
the About window and both pages of the Options window lay out at that density with nothing cut
off: every shown control lies inside its window's client area and no two overlap. Screenshots
of each go to the artifacts folder, for the texts inside the controls."""

import os
import sys
import time

from desktop import check, run_checks, wait_for
from wine_desktop import WineDesktop, inside

DPI = 144
# The status bar spans the window's foot, the tool tips float: neither is laid out in the window.
SKIPPED = ("tooltips_class32", "msctls_statusbar32")
# The pairs of controls that cover one another by design, at 96 dots per inch, by window.
DESIGN = {}
# Labels drawn by their window (the up time as one phrase for screen readers, under the figures).
SS_OWNERDRAW = 0x0D


def overlap(a, b):
    """The overlap of two rectangles in pixels: (width, height), or None."""
    width, height = min(a[2], b[2]) - max(a[0], b[0]), min(a[3], b[3]) - max(a[1], b[1])
    return (width, height) if width > 0 and height > 0 else None


def layout(d, window):
    """The window's client area and its shown controls that are laid out in it, in creation order
    (the order of the children's list)."""
    window = d.refresh(window)
    controls = [(i, c) for i, c in enumerate(d.children(window)) if c["visible"] and c["class"] not in SKIPPED
                and not (c["class"] == "Static" and c["style"] & 0x1F == SS_OWNERDRAW)]
    return window["client"], controls


def covered(controls):
    """The pairs of controls (by their places in the list) that cover one another; a control
    inside another (a page, a combo box's field) is part of it."""
    pairs = {}
    for n, (i, a) in enumerate(controls):
        for j, b in controls[n + 1:]:
            if overlap(a["rect"], b["rect"]) and not inside(a["rect"], b["rect"]) and not inside(b["rect"], a["rect"]):
                pairs[(i, j)] = (a, b)
    return pairs


def clipped(d, window, name):
    """What is cut off in a window at this density: a control outside the client area, or two
    controls that cover one another where the design at 96 dots per inch keeps them apart (a
    pixel of rounding aside)."""
    client, controls = layout(d, window)
    faults = [f"{c['class']} {c['text']!r} at {c['rect']} outside {client}"
              for _, c in controls if not inside(c["rect"], client)]
    for pair, (a, b) in covered(controls).items():
        if pair not in DESIGN.get(name, {}) and min(overlap(a["rect"], b["rect"])) > 1:
            faults.append(f"{a['class']} {a['text']!r} at {a['rect']} covers {b['class']} {b['text']!r} at {b['rect']}")
    return faults


def visit(d, look, artifacts=None):
    """Shows the main window, the About window and both pages of the Options window in turn,
    and hands each to look(name, window) (with a screenshot when artifacts is given)."""
    corvane = d.start_program(env={"WINEDEBUG": "+menu"})
    main, _ = d.wait_started()

    def see(name, window):
        if artifacts:
            time.sleep(0.5)  # the last paint
            d.screenshot(os.path.join(artifacts, f"windows-{DPI}dpi-{name}.png"))
        look(name, window)

    see("main", main)
    d.choose_from_tray_menu(corvane, "About")
    about = d.wait_for_window("CorvaneAbout", 15, "the About window")
    see("about", about)
    d.probe("close", str(about["hwnd"]))
    d.wait_gone(about, what="the About window to close")
    d.choose_from_tray_menu(corvane, "Options")
    options = d.wait_for_window("CorvaneOptionsWindow", 15, "the Options window")
    see("options-page", options)
    d.click_control(d.child(options, text="Schedule Task"))
    wait_for(lambda: d.child(options, cls="ComboBox")["visible"], 5, "the Schedule Task page")
    see("schedule-page", options)
    return main, options


def design(d, artifacts):
    """The windows at 96 dots per inch: which controls cover one another by design."""
    def record(name, window):
        DESIGN[name] = covered(layout(d, window)[1])
    visit(d, record)


def at_high_density(d, artifacts):
    def look(name, window):
        faults = clipped(d, window, name)
        check(f"nothing is cut off in the window {name}", not faults, "; ".join(faults))

    main, options = visit(d, look, artifacts)
    # 135 pixels wide at 96 dots per inch, half as much again here.
    width = d.refresh(main)["rect"][2] - d.refresh(main)["rect"][0]
    check("the main window is laid out at 150 %", 195 <= width <= 210, str(d.refresh(main)["rect"]))
    # 2325 twips, frame included: 232.5 pixels, a half to the even neighbour as the slide's rows.
    height = d.refresh(main)["rect"][3] - d.refresh(main)["rect"][1]
    check("the main window is 2325 twips high at 150 %, its frame included", height == 232, str(d.refresh(main)["rect"]))
    screen = (0, 0, *map(int, d.screen.split("x")[:2]))
    places = [d.refresh(w)["rect"] for w in (main, options)]
    check("the windows fit the screen", all(inside(r, screen) for r in places), str(places))


if __name__ == "__main__":
    sys.exit(run_checks((design, {}), (at_high_density, {"dpi": DPI}), desktop=WineDesktop))
