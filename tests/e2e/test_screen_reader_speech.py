"""What a screen reader says: Orca itself, on the test's accessibility bus, as the keyboard moves
the focus through the main window, the Options page and the Schedule Task page. No speech server
runs: Orca's debug log records every utterance it would speak. Each control is spoken with its
name, the toggles and check boxes with their on/off state, the pages as panels inside their
window, and the windows by what they are."""

import os
import re
import sys
import time

from desktop import check, run_checks, wait_for

ECHOED_KEYS = ("tab", "return", "space", "menu", "down")
UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*)'(?: voice=\w+)?(?:ACSS|\{|$)", re.M)


class Orca:
    """Orca on the desktop's accessibility bus, its speech read from its debug log."""

    def __init__(self, d):
        self.log = os.path.join(d.tmp, "orca-debug.log")
        # No speech server to start or reach: Orca logs what it would say and goes on.
        self.proc = d.spawn(["orca", "--debug-file=" + self.log, "-u", os.path.join(d.tmp, "orca-settings")],
                            name="orca", env={"SPEECHD_CMD": "/bin/false"})
        wait_for(lambda: "Startup complete" in self._text(), 60, "Orca to start")
        self.heard = len(self.utterances())

    def _text(self):
        try:
            with open(self.log, errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def utterances(self):
        return [u.strip() for u in UTTERANCE.findall(self._text())]

    def say_after(self, d, *keys, settle=0.4, timeout=8):
        """What is spoken after each key, pressed one by one once the last one has been answered
        (or timeout s have passed); keys echoed alone are left out."""
        said = []
        for key in keys:
            d.key(key)
            deadline = time.monotonic() + timeout
            words = []
            while time.monotonic() < deadline:
                time.sleep(0.1)
                new = self.utterances()[self.heard:]
                words = [u for u in new if u.lower() not in ECHOED_KEYS]
                if words:
                    time.sleep(settle)  # what follows at once belongs to the same key
                    new = self.utterances()[self.heard:]
                    words = [u for u in new if u.lower() not in ECHOED_KEYS]
                    break
            self.heard += len(new)
            said.append(" ".join(words))
        return said


def spoken(said, *parts):
    """Whether one utterance holds all the parts."""
    return any(all(p in u for p in parts) for u in said)


def run(d, artifacts):
    d.start_accessibility_bus()
    corvane = d.start_corvane(env={"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
    main = wait_for(lambda: d.main_window(corvane.pid), 30, "the main window")
    wait_for(lambda: d.tray_icon(corvane.pid) and d.is_embedded(d.tray_icon(corvane.pid)), 10, "the tray icon")
    # Orca after the program: the program's bridge has woken the accessibility registry by then.
    orca = Orca(d)

    # The Options page from the tray menu's keys: About, Options.
    said = orca.say_after(d, "Menu", "Down", "Down", "Return", settle=1.0)[-1:]
    said += orca.say_after(d, *["Tab"] * 5)
    check("the Options window's page is a panel inside it", spoken(said, "Options page panel"), said)
    for box in ("Load 'Corvane' at Startup.", "Beep on every Hour.", "Show available physical Memory"):
        check(f"\"{box}\" is spoken with its state", spoken(said, box, "check box", "checked"), said)
    check("the Apply buttons are spoken", spoken(said, "Apply push button"), said)
    check("no Tab is read as a bare key", all(said), said)

    # Back to the main window: its name, then each button by Tab.
    d.run(["xdotool", "windowactivate", "--sync", str(main)])
    time.sleep(1.5)
    said = orca.say_after(d, *["Tab"] * 4)
    check("the main window is named for what it is", "Corvane up time" in " ".join(orca.utterances()),
          orca.utterances()[-12:])
    check("each main-window button is spoken with its name and role",
          spoken(said, "Minimize", "push button") and spoken(said, "information", "push button"), said)
    for toggle in ("Always On Top", "Window Transparent / Opaque."):
        check(f"\"{toggle}\" is spoken with its on/off state", spoken(said, toggle, "check box", "not checked"), said)
    # Transparency switches in place (on top makes the window anew): its new state is spoken.
    for _ in range(4):
        if "Window Transparent" in said[-1]:
            break
        said = orca.say_after(d, "Tab")
    pressed = orca.say_after(d, "space", settle=1.0)
    check("switching transparency on is spoken", spoken(pressed, "checked") and not spoken(pressed, "not checked"),
          pressed)
    orca.say_after(d, "space")

    # The Schedule Task page: Menu, About, Options, Schedule Task.
    said = orca.say_after(d, "Menu", "Down", "Down", "Down", "Return", settle=1.0)[-1:]
    said += orca.say_after(d, *["Tab"] * 7)
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
