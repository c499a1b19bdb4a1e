"""What a screen reader says: Orca itself, on the test's accessibility bus, as the keyboard moves
the focus through the main window, the Options page and the Schedule Task page. No speech server
runs: Orca's debug log records every utterance it would speak. Each control is spoken with its
name, the toggles and check boxes with their on/off state, the pages as panels inside their
window, and the windows by what they are.

Orca answers each key the program forwards to it; on a busy machine the answer comes late and
its speech lags behind the keys. So where the focus is comes from AT-SPI, and the next key waits
until Orca has spoken about the control the last one focused."""

import os
import re
import sys
import time

from gi.repository import Atspi

from desktop import check, run_checks, wait_for

ECHOED_KEYS = ("tab", "return", "space", "menu", "down")
UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*)'(?: voice=\w+)?(?:ACSS|\{|$)", re.M)
WAIT = 15  # s for Orca or the program to answer one key on a busy machine


def patient(condition):
    """condition's first true value within WAIT s, or None: what was missed shows in the checks."""
    end = time.monotonic() + WAIT
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    return None


class Orca:
    """Orca on the desktop's accessibility bus, its speech read from its debug log, and the
    program's keyboard focus read through pyatspi."""

    name = ""  # of no control, while the focus is unknown

    def __init__(self, d, pid):
        self.d, self.pid, self.a = d, pid, d.pyatspi()
        self.log = os.path.join(d.tmp, "orca-debug.log")
        # No speech server to start or reach: Orca logs what it would say and goes on.
        self.proc = d.spawn(["orca", "--debug-file=" + self.log, "-u", os.path.join(d.tmp, "orca-settings")],
                            name="orca", env={"SPEECHD_CMD": "/bin/false"})
        wait_for(lambda: "Startup complete" in self._text(), 120, "Orca to start")
        # Orca is ready for keys once it has read out the control that has the focus.
        self.heard = 0
        self.hear(wait_for(self.focused, WAIT, "the program's focus").name)

    def _text(self):
        try:
            with open(self.log, errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def utterances(self):
        return [u.strip() for u in UTTERANCE.findall(self._text())]

    def focused(self):
        """The focused control of the program's active window, or None."""
        try:
            desktop = self.a.Registry.getDesktop(0)
            # Nothing here runs the event loop that keeps AT-SPI's cache current: every state is asked.
            desktop.set_cache_mask(Atspi.Cache.NONE)
            apps = [desktop[i] for i in range(desktop.childCount)]
            app = next(a for a in apps if a is not None and a.get_process_id() == self.pid)
            for window in (app[i] for i in range(app.childCount)):
                if window is not None and window.getState().contains(self.a.STATE_ACTIVE):
                    return self.a.findDescendant(window, lambda n: n.getState().contains(self.a.STATE_FOCUSED))
        except Exception:  # the program is busy or a window is going away: asked again
            pass
        return None

    def hear(self, about):
        """What Orca says from now on up to the utterance that holds `about` (keys echoed alone
        left out), waiting at most WAIT s; the utterances heard are used up."""
        def said():
            new = self.utterances()[self.heard:]
            upto = next((i + 1 for i, u in enumerate(new) if about in u and u.lower() not in ECHOED_KEYS), None)
            return new[:upto] if upto else None
        new = patient(said) or self.utterances()[self.heard:]
        self.heard += len(new)
        return " ".join(u for u in new if u.lower() not in ECHOED_KEYS)

    def say_after(self, *keys, about=None):
        """What is spoken after each key, pressed one by one once Orca has spoken about the
        control it focused (or `about` for keys within a menu)."""
        said = []
        for key in keys:
            before = self.focused()
            self.d.key(key)
            target = about
            if target is None:
                moved = patient(lambda: next((f for f in [self.focused()] if f not in (None, before)), None))
                target = moved.name if moved else ""
            said.append(self.hear(target))
        return said

    def open_from_menu(self, *items):
        """Opens the window of the program's menu entry below items; what is spoken on opening."""
        self.d.key("Menu")
        wait_for(lambda: self.d.popup_menus(self.pid), WAIT, "the menu")
        for item in items:
            self.say_after("Down", about=item)
        return self.say_after("Return")

    def toggle(self):
        """Presses space on the focused toggle; what is spoken once its state has changed."""
        node = self.focused()
        was = node.getState().contains(self.a.STATE_CHECKED)
        self.d.key("space")
        wait_for(lambda: node.getState().contains(self.a.STATE_CHECKED) != was, WAIT, "the toggle to switch")
        return [self.hear("checked")]


def spoken(said, *parts):
    """Whether one utterance holds all the parts."""
    return any(all(p in u for p in parts) for u in said)


def run(d, artifacts):
    d.start_accessibility_bus()
    corvane = d.start_corvane(env={"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
    main = wait_for(lambda: d.main_window(corvane.pid), 30, "the main window")
    wait_for(lambda: d.tray_icon(corvane.pid) and d.is_embedded(d.tray_icon(corvane.pid)), 10, "the tray icon")
    # Orca after the program: the program's bridge has woken the accessibility registry by then.
    orca = Orca(d, corvane.pid)

    # The Options page from the tray menu's keys: About, Options.
    said = orca.open_from_menu("About", "Options")
    said += orca.say_after(*["Tab"] * 5)
    check("the Options window's page is a panel inside it", spoken(said, "Options page panel"), said)
    for box in ("Load 'Corvane' at Startup.", "Beep on every Hour.", "Show available physical Memory"):
        check(f"\"{box}\" is spoken with its state", spoken(said, box, "check box", "checked"), said)
    check("the Apply buttons are spoken", spoken(said, "Apply push button"), said)
    check("no Tab is read as a bare key", all(said), said)

    # Back to the main window: its name, then each button by Tab.
    d.run(["xdotool", "windowactivate", "--sync", str(main)])
    named = orca.hear("Corvane up time")
    check("the main window is named for what it is", "Corvane up time" in named, named)
    orca.hear(wait_for(orca.focused, WAIT, "the main window's focus").name)
    said = orca.say_after(*["Tab"] * 4)
    check("each main-window button is spoken with its name and role",
          spoken(said, "Minimize", "push button") and spoken(said, "information", "push button"), said)
    for toggle in ("Always On Top", "Window Transparent / Opaque."):
        check(f"\"{toggle}\" is spoken with its on/off state", spoken(said, toggle, "check box", "not checked"), said)
    # Transparency switches in place (on top makes the window anew): its new state is spoken.
    for _ in range(4):
        if "Window Transparent" in (orca.focused() or orca).name:
            break
        orca.say_after("Tab")
    pressed = orca.toggle()
    check("switching transparency on is spoken", spoken(pressed, "checked") and not spoken(pressed, "not checked"),
          pressed)
    orca.toggle()

    # The Schedule Task page: Menu, About, Options, Schedule Task.
    said = orca.open_from_menu("About", "Options", "Schedule Task")
    said += orca.say_after(*["Tab"] * 7)
    check("the Schedule Task page is a panel inside the window", spoken(said, "Schedule Task page panel"), said)
    check("the schedule check box is spoken with its state",
          spoken(said, "Enable / Disable Schedule Task", "check box", "not checked"), said)
    for field in ("Days", "Hours", "Minutes"):
        check(f"the {field} field is spoken by its name", spoken(said, field, "text"), said)
    check("the task kind box is spoken by its name", spoken(said, "Execute this Task"), said)
    check("no Tab is read as a bare key", all(said), said)
    check("Orca and the program keep running", orca.proc.poll() is None and corvane.poll() is None)


if __name__ == "__main__":
    sys.exit(run_checks((run, {})))
