"""The Windows program under Wine on a private desktop: the end-to-end tests' desktop (Xvfb,
openbox, trayer; see tests/e2e/desktop.py) with a Wine prefix of its own in its folder.

    with WineDesktop(dpi=144) as d:
        p = d.start_program()
        main = d.wait_for_window("CorvaneMainWindow")

Windows are read with window_probe.exe (tests/e2e_windows/window_probe.cpp) in the same prefix:
class names, texts, places in screen pixels (the X screen's), check states. The prefix's
wineserver is ended with the desktop.
"""

import json
import os
import re
import shutil
import subprocess
import tempfile
import time

from desktop import Desktop, wait_for

WINE64 = "/usr/lib/wine/wine64" if os.path.exists("/usr/lib/wine/wine64") else shutil.which("wine64") or "wine"
SETTINGS_KEY = "HKEY_CURRENT_USER\\Software\\Pellorin\\Corvane\\4.0"
RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
DEFAULTS = {"autoaddstp": 1, "hrbeep": 1, "Ontop": 0, "ShowMemCpu": 1, "tpme": 0}
EXE = "Corvane4.0.exe"
MAIN_CLASS = "CorvaneMainWindow"
MENU_CLASS = "#32768"
DIALOG_CLASS = "#32770"


def program_folder():
    folder = os.environ.get("CORVANE_WINDOWS_BIN")
    if not folder or not os.path.exists(os.path.join(folder, EXE)):
        raise AssertionError(f"no {EXE} in CORVANE_WINDOWS_BIN ({folder})")
    return folder


def reg_values(text):
    """The values of `reg query` output: {name: int for REG_DWORD, str otherwise}."""
    values = {}
    for line in text.splitlines():
        m = re.match(r"^\s{4}(\S.*?)\s{4}(REG_\w+)\s{4}(.*)$", line)
        if m:
            name, kind, data = m.groups()
            values[name] = int(data, 16) if kind == "REG_DWORD" else data
    return values


def inside(inner, outer):
    """True when the rectangle inner lies within outer (left, top, right, bottom)."""
    return outer[0] <= inner[0] and outer[1] <= inner[1] and inner[2] <= outer[2] and inner[3] <= outer[3]


def centre(window):
    r = window["rect"]
    return (r[0] + r[2]) // 2, (r[1] + r[3]) // 2


class WineDesktop(Desktop):
    def __init__(self, dpi=96, **kwargs):
        super().__init__(**kwargs)
        self.dpi = dpi
        self.prefix = None

    def _start(self):
        super()._start()
        self.prefix = os.path.join(self.tmp, "wine")
        os.makedirs(self.prefix, mode=0o700)  # the server starts in it
        self.env.update(WINEPREFIX=self.prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        # The server in the foreground, a process of this desktop; the prefix is made before
        # the program starts, so that it pays nothing for it.
        self.spawn(["wineserver", "-f", "-p"], name="wineserver")
        self.wine("wineboot", "-i", timeout=180, check=True)
        if self.dpi != 96:
            # Where winecfg keeps the screen's density: the user's value, and the machine's that
            # Wine reads first.
            for key in ("HKCU\\Control Panel\\Desktop",
                        "HKLM\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"):
                self.reg("add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(self.dpi), "/f", check=True)

    def close(self):
        if self.prefix and not self._closed:
            try:
                self.run(["wineserver", "-k"], timeout=20)
            except Exception:  # the processes are ended by their PIDs below in any case
                pass
        super().close()

    # ----- Wine -----

    def wine(self, *argv, timeout=60, check=False, env=None):
        """Runs a Windows program to its end; returns its result with the output as text. The
        output goes through files, not pipes: the processes Wine starts on demand (the desktop,
        services) inherit them and would hold a pipe open long after the program ended."""
        with tempfile.TemporaryFile("w+") as out, tempfile.TemporaryFile("w+") as err:
            proc = subprocess.run([WINE64, *argv], env=dict(self.env, **(env or {})), stdin=subprocess.DEVNULL,
                                  stdout=out, stderr=err, timeout=timeout)
            out.seek(0)
            err.seek(0)
            result = subprocess.CompletedProcess(proc.args, proc.returncode, out.read(), err.read())
        if check and result.returncode != 0:
            raise AssertionError(f"wine {' '.join(argv)} failed ({result.returncode}): {result.stderr.strip()[-500:]}")
        return result

    def reg(self, *argv, check=False):
        return self.wine("reg", *argv, timeout=60, check=check)

    def reg_query(self, key):
        """The values of a registry key of the prefix, or None when the key is missing."""
        r = self.reg("query", key)
        return reg_values(r.stdout) if r.returncode == 0 else None

    def windows_path(self, path):
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def start_program(self, exe=None, env=None):
        """Starts Corvane4.0.exe (of the build, or exe) under Wine; returns the wine process, whose
        exit status is the program's modulo 256."""
        exe = exe or os.path.join(program_folder(), EXE)
        return self.spawn([WINE64, exe], name="corvane", env=env)

    # ----- the program's windows -----

    def probe(self, *argv):
        probe = os.environ.get("CORVANE_WINDOW_PROBE")
        if not probe:
            raise AssertionError("CORVANE_WINDOW_PROBE is not set")
        r = self.wine(probe, *argv, timeout=30)
        return [json.loads(line) for line in r.stdout.splitlines() if line.startswith("{")]

    def windows(self, cls=None, visible=True):
        return [w for w in self.probe("list")
                if (cls is None or w["class"] == cls) and (not visible or w["visible"])]

    def wait_for_window(self, cls, timeout=30, what=None, exclude=()):
        found = wait_for(lambda: [w for w in self.windows(cls) if w["hwnd"] not in exclude], timeout,
                         what or f"a window of class {cls}", interval=0.3)
        return found[0]

    def wait_started(self, timeout=60):
        """Waits for the main window to end its slide one row above the work area, then up to
        5 s for a message box (a box that comes up while the tray menu is open holds the menu
        until it is closed). Returns the main window and the box (None when none came)."""
        main = self.wait_for_window(MAIN_CLASS, timeout, "the main window")
        top = self.work_area()[1]
        main = wait_for(lambda: (lambda w: w if w["rect"][1] == top - 1 else None)(self.refresh(main)), 15,
                        "the slide to end")
        try:
            box = self.wait_for_window(DIALOG_CLASS, 5, "a message box at start")
        except AssertionError:
            box = None
        return main, box

    def wait_gone(self, window, timeout=15, what="the window to close"):
        wait_for(lambda: all(w["hwnd"] != window["hwnd"] for w in self.windows()), timeout, what, interval=0.3)

    def refresh(self, window):
        return next((w for w in self.windows(visible=False) if w["hwnd"] == window["hwnd"]), None)

    def children(self, window):
        return self.probe("children", str(window["hwnd"]))

    def child(self, window, text=None, cls=None, id=None):
        """The first control that matches, a shown one before a hidden one."""
        for c in sorted(self.children(window), key=lambda c: not c["visible"]):
            if (text is None or c["text"] == text) and (cls is None or c["class"].lower() == cls.lower()) \
                    and (id is None or c["id"] == id):
                return c
        raise AssertionError(f"no control {text or ''} {cls or ''} {id or ''} in {window['class']}: "
                             + ", ".join(f"{c['class']} {c['text']!r}" for c in self.children(window)))

    def control_beside(self, window, label_text, cls, check_box=False):
        """The nearest control of class cls right of a label, on its row (the pages' boxes have no
        text of their own); a check box may sit left of its label."""
        label = self.child(window, text=label_text)
        row = centre(label)[1]
        candidates = [c for c in self.children(window)
                      if c["visible"] and c["class"] == cls and c["rect"][1] <= row < c["rect"][3] and c["hwnd"] != label["hwnd"]
                      and (not check_box or c["style"] & 0xF == 3)]
        if not check_box:
            candidates = [c for c in candidates if c["rect"][0] >= label["rect"][2] - 2]
        if not candidates:
            raise AssertionError(f"no {cls} beside {label_text!r}")
        return min(candidates, key=lambda c: abs(centre(c)[0] - centre(label)[0]))

    def click_at(self, x, y, button=1):
        self.run(["xdotool", "mousemove", str(x), str(y), "click", str(button)], check=True)

    def click_control(self, control, button=1):
        self.click_at(*centre(control), button=button)

    def type_text(self, text):
        self.run(["xdotool", "type", "--delay", "40", text], check=True)

    # ----- the tray -----

    def tray_icons(self):
        """The icons docked in trayer: X windows inside trayer's panel, each of 16 to 32 pixels."""
        icons = []
        for w in self._descendants(self.tray_window):
            info = self.window_info(w)
            if info and info["viewable"] and 8 <= info["width"] <= 48 and 8 <= info["height"] <= 48:
                icons.append(w)
        return icons

    def _descendants(self, window):
        r = self.run(["xwininfo", "-tree", "-id", str(window)])
        return [int(m, 16) for m in re.findall(r"^\s+(0x[0-9a-f]+) ", r.stdout, re.M)]

    def open_tray_menu(self, timeout=5):
        """Right-clicks the tray icon (again if the first click is lost); returns the menu window."""
        icon = wait_for(lambda: self.tray_icons(), 20, "the tray icon")[0]
        info = self.window_info(icon)
        for attempt in range(2):
            self.click_at(info["x"] + info["width"] // 2, info["y"] + info["height"] // 2, button=3)
            try:
                return self.wait_for_window(MENU_CLASS, timeout, "the tray menu")
            except AssertionError:
                if attempt == 1:
                    raise
        return None

    # ----- menus: read from Wine's own trace of the program (WINEDEBUG=+menu) -----

    def shown_menu(self, proc):
        """The items of the popup menu the program drew last, as Wine's menu trace records them:
        [{"text": str or None for a separator, "default": bool, "rect": (l, t, r, b)}], the places
        in the menu window's client area."""
        log = self.log_of(proc)
        start = log.rfind("draw_popup_menu wnd=")
        if start < 0:
            return []
        items = []
        for m in re.finditer(r"draw_menu_item \{ ID=0x[0-9a-f]+, (.*?) \}\s*\n.*?draw_menu_item rect=\((-?\d+),(-?\d+)\)-\((-?\d+),(-?\d+)\)",
                             log[start:]):
            fields = m.group(1)
            text = re.search(r'Text=L"((?:[^"\\]|\\.)*)"', fields)
            items.append({
                "text": None if "fType=sep" in fields else (text.group(1) if text else ""),
                "default": "State=default" in fields,
                "rect": tuple(int(v) for v in m.groups()[1:]),
            })
            if len(items) > 1 and items[-1]["rect"] == items[0]["rect"]:
                items.pop()  # the menu drawn a second time
                break
        return items

    def click_menu_item(self, menu_window, item):
        """Clicks an item of a shown popup menu, by its place in the trace."""
        r = menu_window["rect"]
        items_width = item["rect"][2] - item["rect"][0]
        border = ((r[2] - r[0]) - items_width) // 2
        self.click_at(r[0] + border + (item["rect"][0] + item["rect"][2]) // 2,
                      r[1] + border + (item["rect"][1] + item["rect"][3]) // 2)

    def choose_from_tray_menu(self, proc, text, attempts=3):
        """Opens the tray menu and clicks the item with that text (the program runs with
        WINEDEBUG=+menu). A menu that stays open took no click (one that came before the menu
        took the mouse, or while another window took the focus): it is closed and opened again."""
        for attempt in range(attempts):
            menu = self.open_tray_menu()
            items = wait_for(lambda: [i for i in self.shown_menu(proc) if (i["text"] or "").strip() == text], 5,
                             f"the menu item {text}")
            time.sleep(0.3)
            self.click_menu_item(menu, items[0])
            try:
                self.wait_gone(menu, 3, "the menu to close")
                return
            except AssertionError:
                if attempt == attempts - 1:
                    raise
                self.click_at(20, 400)  # outside the menu, which closes it
                time.sleep(0.5)
