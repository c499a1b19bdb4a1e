"""What the first-run tests and the kill bars share: a bare X server, fresh XDG folders, the
installed program started in them, the settings file read back, and the program's message box
found on the screen.

Every process started here is ended by its PID.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

NOBODY = 65534
SETTINGS_KEY = "HKEY_CURRENT_USER\\Software\\Pellorin\\Corvane\\4.0"
DEFAULTS = {"autoaddstp": 1, "hrbeep": 1, "Ontop": 0, "ShowMemCpu": 1, "tpme": 0}
HEADER = "Windows Registry Editor Version 5.00"


def wait_for(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.02)


def end(proc, timeout=3.0):
    """Ends one process we started, by its PID."""
    if proc.poll() is None:
        os.kill(proc.pid, signal.SIGTERM)
        try:
            proc.wait(timeout)
        except subprocess.TimeoutExpired:
            os.kill(proc.pid, signal.SIGKILL)
            proc.wait(timeout)


class Xvfb:
    """A bare X server on a free display."""

    def __enter__(self):
        read, write = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x800x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read, 16)
            if not chunk:
                raise AssertionError("Xvfb did not start")
            number += chunk
        os.close(read)
        self.display = ":" + number.decode().strip()
        return self

    def __exit__(self, *exc):
        end(self.proc)


class Folders:
    """Fresh HOME, XDG_CONFIG_HOME, XDG_CONFIG_DIRS and XDG_RUNTIME_DIR under one temporary folder.
    With owner, the user's folders belong to that user; the system folder stays root's."""

    def __init__(self, owner=None):
        self.root = tempfile.mkdtemp(prefix="corvane-first-run-")
        os.chmod(self.root, 0o755)
        self.home = os.path.join(self.root, "home")
        self.config = os.path.join(self.home, ".config")
        self.runtime = os.path.join(self.root, "runtime")
        self.system = os.path.join(self.root, "xdg")
        self.autostart = os.path.join(self.system, "autostart")
        for d in (self.config, self.runtime, self.system):
            os.makedirs(d)
        os.chmod(self.runtime, 0o700)
        if owner is not None:
            for d in (self.home, self.config, self.runtime):
                os.chown(d, owner, owner)
        self.hive = os.path.join(self.config, "corvane", "user.reg")
        self.entry = os.path.join(self.autostart, "Corvane.desktop")

    def env(self, display):
        env = {k: v for k, v in os.environ.items() if not k.startswith(("XDG_", "DBUS_", "QT_"))}
        env.update(HOME=self.home, XDG_CONFIG_HOME=self.config, XDG_CONFIG_DIRS=self.system,
                   XDG_RUNTIME_DIR=self.runtime, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                   DBUS_SESSION_BUS_ADDRESS="disabled:", DBUS_SYSTEM_BUS_ADDRESS="disabled:",
                   ASAN_OPTIONS="detect_leaks=0")
        return env

    def remove(self):
        shutil.rmtree(self.root, ignore_errors=True)


def program(prefix=None):
    prefix = prefix or os.environ["CORVANE_PREFIX"]
    return os.path.realpath(os.path.join(prefix, "bin", "corvane"))


def start(binary, folders, display, as_user=None):
    command = [binary]
    if as_user is not None and os.geteuid() == 0:
        command = ["setpriv", f"--reuid={as_user}", f"--regid={as_user}", "--clear-groups"] + command
    return subprocess.Popen(command, env=folders.env(display), stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, cwd=folders.root)


def parse_hive(path):
    """The keys and values of a settings file, {key: {name: value}}; dword values as numbers.
    Raises ValueError when the file is not one the program writes."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    if not lines or lines[0] != HEADER:
        raise ValueError("no header")
    keys = {}
    current = None
    for number, line in enumerate(lines[1:], start=2):
        if not line:
            continue
        if line.startswith("[") and line.endswith("]"):
            current = keys.setdefault(line[1:-1], {})
            continue
        m = re.fullmatch(r'"((?:[^"\\]|\\.)*)"=(dword:[0-9a-f]{8}|"(?:[^"\\]|\\.)*"|hex(?:\([0-9a-f]+\))?:.*)', line)
        if current is None or not m:
            raise ValueError(f"line {number}: {line!r}")
        data = m.group(2)
        current[m.group(1)] = int(data[6:], 16) if data.startswith("dword:") else data
    return keys


def settings_values(path):
    """The values of the settings key, or None when there is no file or no key."""
    if not os.path.exists(path):
        return None
    return parse_hive(path).get(SETTINGS_KEY)


def message_boxes(display, pid):
    """Visible dialog windows of the process titled "Corvane": the program's message boxes."""
    env = {"DISPLAY": display, "PATH": os.environ.get("PATH", "/usr/bin:/bin")}
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", "^Corvane$"],
                           env=env, capture_output=True, text=True).stdout.split()
    boxes = []
    for window in found:
        kind = subprocess.run(["xprop", "-id", window, "_NET_WM_WINDOW_TYPE"], env=env, capture_output=True,
                              text=True).stdout
        if "_NET_WM_WINDOW_TYPE_DIALOG" in kind:
            boxes.append(window)
    return boxes
