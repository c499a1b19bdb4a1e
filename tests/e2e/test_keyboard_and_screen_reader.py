"""The installed program without a mouse, as a screen reader sees it: every control of every
window has a role and a name on the accessibility bus (AT-SPI); keys alone open the Schedule Task
page from the tray menu, schedule an alert, and the alert appears at its minute; the Help and Web
links open the installed help page and the maker's site in the default viewer; the About window
opens from the tray menu and from the Options window and blocks the other windows until closed:
they refuse Alt+F4 meanwhile."""

import os
import re
import sys
import time

from desktop import check, run_checks, wait_for, write_script
from test_schedule import trigger_for, uptime_seconds

SITE = "https://www.pellorin.example/corvane/"
MESSAGE = "Stand up and stretch"


class Reader:
    """What a screen reader reads of one program through pyatspi."""

    # Roles that say nothing about what a control does.
    VAGUE = {"unknown", "filler", "panel", "invalid", "redundant object", "frame"}

    def __init__(self, d, pid):
        self.a = d.pyatspi()
        self.pid = pid

    def app(self):
        desktop = self.a.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop[i]
            if app is not None and app.get_process_id() == self.pid:
                return app
        return None

    def windows(self):
        app = self.app()
        return [app[i] for i in range(app.childCount)] if app else []

    def window(self, name):
        return next((w for w in self.windows() if w.name == name), None)

    def main_window(self):
        return next((w for w in self.windows() if self.find(w, "image", "Task Indicator")), None)

    def window_of(self, node):
        while node.parent is not None and node.parent.getRoleName() != "application":
            node = node.parent
        return node

    def walk(self, node):
        yield node
        for i in range(node.childCount):
            child = node[i]
            if child is not None:
                yield from self.walk(child)

    def actions(self, node):
        try:
            action = node.queryAction()
        except NotImplementedError:
            return []
        return [action.getName(i) for i in range(action.nActions)]

    def has(self, node, state):
        return node.getState().contains(state)

    def unnamed_controls(self, window):
        """The shown controls one can act on (focus or an action) without a telling role or a name."""
        bad = []
        for node in self.walk(window):
            if not self.has(node, self.a.STATE_VISIBLE):
                continue
            if not (self.has(node, self.a.STATE_FOCUSABLE) or self.actions(node)):
                continue
            if node.getRoleName() in self.VAGUE or not node.name.strip():
                bad.append(f"{node.getRoleName()} {node.name!r}")
        return bad

    def find(self, window, role, name):
        return next((n for n in self.walk(window) if n.getRoleName() == role and n.name == name), None)

    def press(self, node):
        action = node.queryAction()
        action.doAction(self.actions(node).index("Press"))

    def enabled(self, node):
        return self.has(node, self.a.STATE_ENABLED)


def every_control_named(r, window, what):
    bad = r.unnamed_controls(window)
    check(f"{what}: every control has a role and a name", not bad, ", ".join(bad))


def run(d, artifacts):
    if uptime_seconds() > 31 * 86400 - 300:
        print("skip: the machine has been up for more than 31 days, which the program refuses")
        return
    d.start_accessibility_bus()
    visits = os.path.join(d.tmp, "visits.txt")
    d.set_default_browser(write_script(os.path.join(d.tmp, "recording-browser"),
                                       f'#!/bin/sh\nprintf "%s\\n" "$@" >> {visits}\n'))
    corvane = d.start_corvane(env={"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
    main = wait_for(lambda: d.main_window(corvane.pid), 30, "the main window")
    wait_for(lambda: d.tray_icon(corvane.pid) and d.is_embedded(d.tray_icon(corvane.pid)), 10, "the tray icon")
    r = Reader(d, corvane.pid)
    main_window = wait_for(r.main_window, 10, "the main window on the accessibility bus")

    every_control_named(r, main_window, "main window")
    phrase = wait_for(lambda: [n.name for n in r.walk(main_window) if re.fullmatch(
        r"up \d+ days?, \d+ hours?, \d+ minutes?", n.name)], 5, "the up time as one phrase")
    check("the up time reads as one phrase, its figures not one by one",
          not [n for n in r.walk(main_window) if n.name in ("00", ":")], phrase)

    # Keys alone from here to Apply: the main window has the focus as it comes up.
    check("the main window has the keyboard focus", int(d.run(["xdotool", "getwindowfocus"]).stdout) == main)
    before = set(d.popup_menus(corvane.pid))
    d.key("Menu")
    wait_for(lambda: set(d.popup_menus(corvane.pid)) - before, 5, "the tray menu from the menu key")
    d.key("Down", "Down", "Down", "Return")  # About, Options, Schedule Task
    options_window = wait_for(lambda: d.window_named(corvane.pid, "Corvane", exclude=(main,)), 10, "the Schedule Task page")
    time.sleep(0.5)
    up = uptime_seconds()
    ahead = 60 if up % 60 < 35 else 120
    days, hours, minutes = trigger_for(up + ahead)
    # The page opens on "Enable / Disable Schedule Task"; Tab passes each box and its arrows.
    d.key("space", "Tab", *str(days), "Tab", "Tab", *str(hours), "Tab", "Tab", *str(minutes), "Tab", "Tab",
          "alt+Down")
    time.sleep(0.3)
    d.key("Home", "Down", "Down", "Down", "Down", "Return")  # Alert, the fifth kind
    alert_editor = wait_for(lambda: d.window_named(corvane.pid, "Corvane", exclude=(main, options_window)), 10, "the alert editor")
    time.sleep(0.3)
    message = wait_for(lambda: r.find(r.app(), "text", "Message"), 5, "the alert editor on the bus")
    every_control_named(r, r.window_of(message), "alert editor")
    d.run(["xdotool", "type", "--delay", "20", MESSAGE], check=True)
    d.key("Return", "BackSpace")  # a new line, taken back
    d.key("ctrl+Return")
    wait_for(lambda: not (d.window_info(alert_editor) or {}).get("viewable"), 10, "the alert editor to close")
    time.sleep(0.3)
    d.key("Tab", "Return")  # from the kind box to Apply
    applied_at = uptime_seconds()
    due = (int(up + ahead) // 60) * 60
    options = r.window("Options and Schedule Task")
    wait_for(lambda: r.find(options, "label", "Task Scheduled : Yes"), 5, "the status bar to say it is scheduled")
    check("Apply came before the trigger minute", applied_at < due, f"applied at {applied_at:.1f}, due {due}")

    # While the task waits: both pages read, and the links at the foot open what they say.
    every_control_named(r, options, "Schedule Task page")
    r.press(r.find(options, "check box", "Options"))
    wait_for(lambda: r.has(r.find(options, "check box", "Options"), r.a.STATE_CHECKED), 5, "the Options tab")
    every_control_named(r, options, "Options page")
    r.press(r.find(options, "push button", "Help"))
    r.press(r.find(options, "push button", "Web"))
    page = os.path.join(os.environ["CORVANE_PREFIX"], "share", "corvane", "corvanehelp.htm")

    def seen():
        if not os.path.exists(visits):
            return None
        with open(visits) as f:
            lines = f.read().splitlines()
        return lines if len(lines) >= 2 else None

    check("Help opens the installed page and Web the maker's site in the default viewer",
          sorted(wait_for(seen, 15, "two visits")) == sorted([os.path.realpath(page), SITE]), open(visits).read())

    boxes = wait_for(lambda: d.message_boxes(corvane.pid), due - uptime_seconds() + 15, "the alert", interval=0.2)
    shown_at = uptime_seconds()
    check("the alert appears in its minute", due <= shown_at < due + 60, f"shown at {shown_at:.1f}, due {due}")
    check("the alert shows the message typed", wait_for(lambda: r.find(r.app(), "label", MESSAGE), 5, "the text"))
    d.key("Return")
    wait_for(lambda: not d.message_boxes(corvane.pid), 5, "the alert to close on Return")

    # About from the tray menu, then from the Options window: the others wait until it closes.
    d.open_tray_menu(corvane.pid)
    d.key("Down", "Return")
    for opened_from in ("the tray menu", "the Options window"):
        about = wait_for(lambda: r.window("About Corvane"), 10, f"the About window from {opened_from}")
        wait_for(lambda: not r.enabled(r.find(options, "push button", "About")), 5, "the Options window blocked")
        check(f"About from {opened_from} blocks the main window",
              not r.enabled(r.find(r.main_window(), "push button", "Minimize")))
        every_control_named(r, about, "About window")
        d.key("Escape")
        wait_for(lambda: r.window("About Corvane") is None, 10, "the About window to close on Escape")
        wait_for(lambda: r.enabled(r.find(options, "push button", "About")), 5, "the Options window free again")
        check("the main window is free again", r.enabled(r.find(r.main_window(), "push button", "Minimize")))
        if opened_from == "the tray menu":
            r.press(r.find(options, "push button", "About"))

    # The other two editors read as well; Escape closes each.
    for position, kind in ((6, "Run Program"), (7, "Visit Website")):
        r.press(r.find(options, "check box", "Schedule Task"))
        combo = wait_for(lambda: next((n for n in r.walk(options) if n.getRoleName() == "combo box"), None), 5,
                         "the kind box")
        d.run(["xdotool", "windowactivate", "--sync", str(options_window)])
        combo.queryAction().doAction(r.actions(combo).index("ShowMenu"))
        time.sleep(0.5)
        d.key("Home", *["Down"] * (position - 1), "Return")
        box = wait_for(lambda: r.find(r.app(), "text", "Program" if position == 6 else "Web address"), 10, kind)
        every_control_named(r, r.window_of(box), f"{kind} editor")
        d.key("Escape")
        wait_for(lambda: r.find(r.app(), "text", "Program" if position == 6 else "Web address") is None, 10,
                 f"the {kind} editor to close on Escape")

    # While About is up, the windows it blocks refuse the window manager's close (Alt+F4); freed,
    # they close again.
    def close_by_keys(window):
        d.run(["xdotool", "windowactivate", str(window)])
        time.sleep(0.3)
        d.key("alt+F4")
        time.sleep(0.5)

    r.press(r.find(options, "push button", "About"))
    about = wait_for(lambda: d.window_named(corvane.pid, "About Corvane"), 10, "the About window")
    wait_for(lambda: not r.enabled(r.find(options, "push button", "About")), 5, "the Options window blocked")
    for window, what in ((main, "main window"), (options_window, "Options window")):
        close_by_keys(window)
        check(f"the blocked {what} stays open after Alt+F4", corvane.poll() is None and
              (d.window_info(window) or {}).get("viewable"), d.log_of(corvane)[-400:])
    d.run(["xdotool", "windowactivate", "--sync", str(about)])
    d.key("Escape")
    wait_for(lambda: r.window("About Corvane") is None, 10, "the About window to close on Escape")
    close_by_keys(options_window)
    wait_for(lambda: r.window("Options and Schedule Task") is None, 10, "the freed Options window to close")

    # The main window's toggles tell their state.
    for name in ("Always On Top", "Window Transparent / Opaque."):
        for state in (True, False):
            r.press(r.find(r.main_window(), "check box", name))
            wait_for(lambda: r.has(r.find(r.main_window(), "check box", name), r.a.STATE_CHECKED) == state, 5,
                     f"{name} to read {'checked' if state else 'not checked'}")

    check("the program keeps running", corvane.poll() is None, d.log_of(corvane)[-400:])


if __name__ == "__main__":
    sys.exit(run_checks((run, {"audio": True})))
