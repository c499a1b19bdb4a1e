"""A private desktop for the end-to-end tests: an X server, a window manager, an XEmbed tray,
a private D-Bus and, on request, PulseAudio with a null sink and a logind stand-in.

    with Desktop(audio=True, logind=True) as d:
        p = d.start_corvane()
        w = d.wait_for(lambda: d.main_window(p.pid), 20, "the main window")

Everything lives in one temporary folder (HOME, the XDG folders, sockets, logs); user_folders()
makes more sets of the user's folders there, for a program started in fresh folders or as
another user. Every process the desktop starts is ended by its PID when the block ends, also
when a test fails, raises or is sent SIGTERM; any process that still carries the desktop's
marker in its environment (a grandchild, something the program launched) is ended the same way.

Scripts of checks run through run_checks(); the program's settings file reads with
settings_values().
"""

import atexit
import ctypes
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

PYTHON = "/usr/bin/python3"
MARKER = "CORVANE_E2E_DESKTOP"
TRAY_ICON_SIZE = 22
MOCK = "org.freedesktop.DBus.Mock"
LOGIND = "org.freedesktop.login1"
LOGIND_PATH = "/org/freedesktop/login1"
# The user's folders, as the environment names them, and their folder names.
USER_FOLDERS = {
    "HOME": "home",
    "XDG_CONFIG_HOME": "config",
    "XDG_CONFIG_DIRS": "xdg",
    "XDG_DATA_HOME": "data",
    "XDG_CACHE_HOME": "cache",
    "XDG_RUNTIME_DIR": "runtime",
}
SETTINGS_KEY = "HKEY_CURRENT_USER\\Software\\Pellorin\\Corvane\\4.0"
DEFAULTS = {"autoaddstp": 1, "hrbeep": 1, "Ontop": 0, "ShowMemCpu": 1, "tpme": 0}  # the first run's, in order

_live_desktops = []


class Timeout(AssertionError):
    pass


def wait_for(condition, timeout, what, interval=0.02):
    """Polls condition() until it returns a true value and returns that value; fails after timeout s."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Timeout(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def check(label, condition, detail=""):
    """One check of a script: prints it when it holds, raises when not."""
    if not condition:
        raise AssertionError(f"{label}" + (f": {detail}" if detail else ""))
    print(f"ok   {label}")


def run_checks(*steps, desktop=None):
    """Runs check scripts, each (function, Desktop arguments) in a desktop of its own (a Desktop,
    or one of the class desktop): the function
    gets the desktop and the artifacts folder ($CORVANE_E2E_ARTIFACTS, or None). A failure prints
    the program's output and saves a screenshot. Prints PASS or FAIL; returns the exit status."""
    artifacts = os.environ.get("CORVANE_E2E_ARTIFACTS")
    if artifacts:
        os.makedirs(artifacts, exist_ok=True)
    failed = 0
    for run, arguments in steps:
        print(f"--- {run.__name__}")
        with (desktop or Desktop)(**arguments) as d:
            try:
                run(d, artifacts)
            except Exception:
                failed += 1
                traceback.print_exc()
                for name, proc in d.procs:
                    if name == "corvane":
                        print(f"--- corvane {proc.pid} (status {proc.poll()}) output:\n{d.log_of(proc)[-2000:]}")
                if artifacts and d.env.get("DISPLAY"):
                    d.screenshot(os.path.join(artifacts, f"{run.__name__}-failure.png"))
    print("FAIL" if failed else "PASS")
    return 1 if failed else 0


def write_script(path, text):
    """An executable file of the test's own (its folder is made when missing)."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(text)
    os.chmod(path, 0o700)
    return path


def parse_hive(path):
    """The keys and values of a settings file, {key: {name: value}}; dword values as numbers.
    Raises ValueError when the file is not one the program writes."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    if lines[0] != "Windows Registry Editor Version 5.00":
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
    """The values of the program's settings key in a settings file, or None without file or key."""
    if not os.path.exists(path):
        return None
    return parse_hive(path).get(SETTINGS_KEY)


class UserFolders:
    """HOME and the XDG folders under root (owned by owner, a uid, when given; the system folder
    XDG_CONFIG_DIRS stays root's), and where the program keeps its files there."""

    def __init__(self, root, owner=None):
        os.makedirs(root, exist_ok=True)
        self.root = root
        self.env = {}
        for var, sub in USER_FOLDERS.items():
            path = os.path.join(root, sub)
            mode = 0o755 if var == "XDG_CONFIG_DIRS" else 0o700
            os.makedirs(path, mode=mode)
            os.chmod(path, mode)
            if owner is not None and var != "XDG_CONFIG_DIRS":
                os.chown(path, owner, owner)
            self.env[var] = path
        self.hive = os.path.join(self.env["XDG_CONFIG_HOME"], "corvane", "user.reg")
        self.autostart = os.path.join(self.env["XDG_CONFIG_HOME"], "autostart")
        self.entry = os.path.join(self.autostart, "Corvane.desktop")
        self.system_autostart = os.path.join(self.env["XDG_CONFIG_DIRS"], "autostart")
        self.system_entry = os.path.join(self.system_autostart, "Corvane.desktop")

    def remove(self):
        shutil.rmtree(self.root, ignore_errors=True)


def _is_tray_icon(info):
    # The tray's row is 22 pixels high; a scaled program's icon is wider (33 at 1.5, 44 at 2).
    return bool(info) and info["height"] == TRAY_ICON_SIZE and TRAY_ICON_SIZE <= info["width"] <= 3 * TRAY_ICON_SIZE


def _die_with_parent():
    # The child gets SIGTERM if this process dies without cleaning up (SIGKILL, a crash).
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def _read_line(stream, timeout, what):
    """One line from a pipe, within timeout seconds."""
    deadline = time.monotonic() + timeout
    data = b""
    fd = stream.fileno()
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            raise Timeout(f"timed out after {timeout} s waiting for {what}")
        chunk = os.read(fd, 1)
        if not chunk:
            raise AssertionError(f"{what}: the pipe closed early")
        data += chunk
    return data.decode().strip()


def _cleanup_all():
    for desktop in list(_live_desktops):
        desktop.close()


def _on_signal(signum, _frame):
    _cleanup_all()
    signal.signal(signum, signal.SIG_DFL)
    os.kill(os.getpid(), signum)


atexit.register(_cleanup_all)


class Desktop:
    def __init__(self, audio=False, logind=False, logind_params=None, screen="1280x800x24", tray=True,
                 wayland=False):
        """wayland: a headless Wayland compositor (weston) with XWayland instead of Xvfb, openbox and
        the tray; the environment has WAYLAND_DISPLAY and no DISPLAY, xwayland_display names
        XWayland's X display (started by weston when a client first connects)."""
        self.wayland = wayland
        self.xwayland_display = None
        self.audio = audio
        self.logind = logind
        self.logind_params = logind_params or {}
        self.screen = screen
        self.tray = tray
        self.procs = []  # (name, Popen), in start order
        self.tmp = None
        self.env = None
        self.display = None
        self.tray_window = None
        self.logs = {}
        self._closed = False
        self._pulse_keepalive = None
        self._bus = None
        self._root = None
        self._users = 0

    # ----- life cycle -----

    def __enter__(self):
        for sig in (signal.SIGTERM, signal.SIGHUP):
            if signal.getsignal(sig) in (signal.SIG_DFL, None):
                signal.signal(sig, _on_signal)
        _live_desktops.append(self)
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def _start(self):
        self.tmp = tempfile.mkdtemp(prefix="corvane-e2e-")
        t = self.tmp
        # Nothing of the caller's session leaks in: no display, bus, sound server or desktop hints.
        session = ("XDG_", "DBUS_", "PULSE_", "QT_", "DISPLAY", "WAYLAND", "XAUTHORITY", "SESSION_MANAGER",
                   "DESKTOP_SESSION", "KDE_", "GNOME_")
        env = {k: v for k, v in os.environ.items() if not k.startswith(session)}
        env.update(UserFolders(t).env)
        env[MARKER] = t
        env["LANG"] = env["LC_ALL"] = "C.UTF-8"
        env.pop("LANGUAGE", None)
        # No sound server unless one is asked for: a missing socket, never the user's own.
        env["PULSE_SERVER"] = "unix:" + os.path.join(t, "no-pulse")
        self.env = env

        if self.wayland:
            self._start_weston()
        else:
            self._start_x()
        self._start_bus()
        if self.audio:
            self._start_pulse()
        if self.logind:
            self._start_logind()
        if not self.wayland:
            self._start_window_manager()
            if self.tray:
                self._start_tray()

    def close(self):
        """Ends every process of this desktop by its PID, last started first, and removes the folder."""
        if self._closed:
            return
        self._closed = True
        if self._bus is not None:
            self._bus.close()
            self._bus = None
        for name, proc in reversed(self.procs):
            self.stop(proc)
        self._sweep_strays()
        if self in _live_desktops:
            _live_desktops.remove(self)
        if self.tmp and not os.environ.get("CORVANE_E2E_KEEP"):
            shutil.rmtree(self.tmp, ignore_errors=True)

    def _sweep_strays(self):
        # Anything still running with this desktop's marker was started by one of its processes.
        if not self.tmp:
            return
        needle = f"{MARKER}={self.tmp}\0".encode()
        me = os.getpid()
        for entry in os.listdir("/proc"):
            if not entry.isdigit() or int(entry) == me:
                continue
            try:
                with open(f"/proc/{entry}/environ", "rb") as f:
                    if needle not in f.read() + b"\0":
                        continue
                with open(f"/proc/{entry}/stat") as f:
                    if f.read().rsplit(")", 1)[1].split()[0] == "Z":
                        continue
            except OSError:
                continue
            pid = int(entry)
            print(f"desktop: ending stray process {pid}", file=sys.stderr)
            self._end_pid(pid)

    @staticmethod
    def _end_pid(pid, timeout=3.0):
        try:
            os.kill(pid, signal.SIGTERM)
        except ProcessLookupError:
            return
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if not os.path.exists(f"/proc/{pid}"):
                return
            time.sleep(0.02)
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass

    def stop(self, proc, timeout=3.0):
        """Ends one process of this desktop by its PID: SIGTERM, then SIGKILL. Returns its status."""
        if proc.poll() is None:
            try:
                proc.send_signal(signal.SIGTERM)
                proc.wait(timeout)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
        return proc.returncode

    # ----- starting processes -----

    def spawn(self, argv, name=None, env=None, stdout=None, **kwargs):
        """Starts a process with the desktop's environment; it is ended when the desktop closes.
        Its output goes to a log file of the desktop unless stdout is given."""
        name = name or os.path.basename(argv[0])
        log = os.path.join(self.tmp, f"{name}-{len(self.procs)}.log")
        full_env = dict(self.env)
        if env:
            full_env.update(env)
        with open(log, "wb") as out:
            proc = subprocess.Popen(
                argv,
                env=full_env,
                stdin=subprocess.DEVNULL,
                stdout=out if stdout is None else stdout,
                stderr=out,
                preexec_fn=_die_with_parent,
                **kwargs,
            )
        self.procs.append((name, proc))
        self.logs[proc.pid] = log
        return proc

    def log_of(self, proc):
        try:
            with open(self.logs[proc.pid], errors="replace") as f:
                return f.read()
        except (KeyError, OSError):
            return ""

    def corvane_path(self, prefix=None):
        prefix = prefix or os.environ.get("CORVANE_PREFIX")
        if not prefix:
            raise AssertionError("CORVANE_PREFIX is not set (the installed program's prefix)")
        return os.path.join(prefix, "bin", "corvane")

    def copy_prefix(self, name="other-prefix"):
        """A copy of the installed program in another folder of the desktop; returns its prefix."""
        source = os.path.dirname(os.path.dirname(self.corvane_path()))
        target = os.path.join(self.tmp, name)
        shutil.copytree(source, target, symlinks=True)
        return target

    def start_corvane(self, prefix=None, env=None, binary=None, as_user=None):
        """Starts the installed corvane (or the one under prefix, or binary) on this desktop; as the
        user as_user (a uid) when this process runs as root."""
        path = binary or self.corvane_path(prefix)
        if not os.access(path, os.X_OK):
            raise AssertionError(f"no program to start at {path}")
        argv = [path]
        if as_user is not None and os.geteuid() == 0:
            argv = ["setpriv", f"--reuid={as_user}", f"--regid={as_user}", "--clear-groups"] + argv
        return self.spawn(argv, name="corvane", env=env)

    def user_folders(self, owner=None):
        """Fresh user folders in this desktop's folder (UserFolders); start a program in them with
        env=folders.env."""
        self._users += 1
        if owner is not None:
            os.chmod(self.tmp, 0o755)  # the other user reaches its folders
        return UserFolders(os.path.join(self.tmp, f"user-{self._users}"), owner)

    def run(self, argv, timeout=10, check=False, env=None):
        """Runs a short command (an X tool, a probe) to its end on this desktop, with env added to
        the desktop's environment; returns its result with the output as text."""
        full_env = dict(self.env, **(env or {}))
        r = subprocess.run(argv, env=full_env, capture_output=True, text=True, timeout=timeout)
        if check and r.returncode != 0:
            raise AssertionError(f"{' '.join(argv)} failed ({r.returncode}): {r.stderr.strip()}")
        return r

    # ----- the pieces -----

    def _start_x(self):
        r, w = os.pipe()
        try:
            proc = self.spawn(
                ["Xvfb", "-displayfd", str(w), "-screen", "0", self.screen, "-nolisten", "tcp", "-noreset"],
                name="Xvfb",
                pass_fds=(w,),
            )
            os.close(w)
            w = None
            with os.fdopen(r, "rb", buffering=0) as pipe:
                r = None
                number = _read_line(pipe, 15, "Xvfb to open its display")
        finally:
            for fd in (r, w):
                if fd is not None:
                    os.close(fd)
        if proc.poll() is not None:
            raise AssertionError("Xvfb ended at start: " + self.log_of(proc))
        self.display = ":" + number
        self.env["DISPLAY"] = self.display
        wait_for(lambda: self.run(["xdpyinfo"]).returncode == 0, 10, "the X server")

    def _start_weston(self):
        width, height = self.screen.split("x")[:2]
        # XWayland's sockets live in the system's X socket folder, which weston does not make.
        if not os.path.isdir("/tmp/.X11-unix"):
            os.makedirs("/tmp/.X11-unix", exist_ok=True)
            os.chmod("/tmp/.X11-unix", 0o1777)
        log = os.path.join(self.tmp, "weston-compositor.log")
        self.spawn(["weston", "--backend=headless-backend.so", "--xwayland", "--socket=wayland-test",
                    f"--width={width}", f"--height={height}", "--idle-time=0", f"--log={log}"], name="weston")
        runtime = self.env["XDG_RUNTIME_DIR"]
        wait_for(lambda: os.path.exists(os.path.join(runtime, "wayland-test")), 15, "weston's socket")

        def xwayland_display():
            try:
                with open(log, errors="replace") as f:
                    m = re.search(r"xserver listening on display (:\d+)", f.read())
            except OSError:
                return None
            return m and m.group(1)

        self.xwayland_display = wait_for(xwayland_display, 15, "weston's XWayland display")
        self.env["WAYLAND_DISPLAY"] = "wayland-test"
        self.env["XDG_SESSION_TYPE"] = "wayland"  # as a Wayland session says; Qt follows it unless told

    def _start_bus(self):
        config = os.path.join(self.tmp, "bus.conf")
        socket = os.path.join(self.tmp, "bus")
        # A bus without service activation: nothing starts on it that the test did not start.
        with open(config, "w") as f:
            f.write(
                '<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"\n'
                ' "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">\n'
                "<busconfig>\n"
                "  <type>session</type>\n"
                f"  <listen>unix:path={socket}</listen>\n"
                "  <auth>EXTERNAL</auth>\n"
                '  <policy context="default">\n'
                '    <allow send_destination="*" eavesdrop="true"/>\n'
                '    <allow eavesdrop="true"/>\n'
                '    <allow own="*"/>\n'
                "  </policy>\n"
                "</busconfig>\n"
            )
        proc = self.spawn(
            ["dbus-daemon", f"--config-file={config}", "--nofork", "--nopidfile", "--print-address=1"],
            name="dbus-daemon",
            stdout=subprocess.PIPE,
        )
        address = _read_line(proc.stdout, 10, "the private D-Bus")
        proc.stdout.close()
        self.bus_address = address
        # Both names: with only one set, libdbus may start a session bus of its own.
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.env["DBUS_SYSTEM_BUS_ADDRESS"] = address

    def _start_window_manager(self):
        argv = ["openbox"]
        if os.path.exists("/etc/xdg/openbox/rc.xml"):
            argv += ["--config-file", "/etc/xdg/openbox/rc.xml"]
        self.spawn(argv, name="openbox")
        # The check window comes first; the client list once openbox has taken over the screen.
        # A tray mapped in between may never be managed.
        wait_for(
            lambda: all(p in self.run(["xprop", "-root"]).stdout
                        for p in ("_NET_SUPPORTING_WM_CHECK(WINDOW)", "_NET_CLIENT_LIST(WINDOW)", "_NET_WORKAREA(")),
            10,
            "openbox",
        )

    def _start_tray(self):
        self.spawn(
            ["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "120",
             "--heighttype", "pixel", "--height", "24", "--SetDockType", "true", "--SetPartialStrut", "true",
             "--transparent", "false", "--tint", "0x404040"],
            name="trayer",
        )

        def trayer_window():
            for w in self._search(["--classname", "^panel$"]):
                info = self.window_info(w)
                if info and info["viewable"]:
                    return w
            return None

        self.tray_window = wait_for(trayer_window, 10, "trayer's window")

    def _start_pulse(self):
        socket = os.path.join(self.tmp, "pulse-native")
        self.env["PULSE_SERVER"] = "unix:" + socket
        self.spawn(
            ["pulseaudio", "--daemonize=no", "-n", "--exit-idle-time=-1", "--use-pid-file=no",
             "--log-target=file:" + os.path.join(self.tmp, "pulseaudio.log"),
             "-L", f"module-native-protocol-unix auth-anonymous=1 socket={socket}",
             "-L", "module-null-sink sink_name=nullsink rate=44100 channels=2"],
            name="pulseaudio",
        )
        wait_for(lambda: self.run(["pactl", "info"]).returncode == 0, 15, "PulseAudio")
        self.run(["pactl", "set-default-sink", "nullsink"], check=True)
        # An idle null sink feeds nothing to its monitor; a silent stream keeps recordings in time.
        self._pulse_keepalive = self.spawn(
            ["pacat", "--playback", "--raw", "--channels=1", "--latency-msec=20", "/dev/zero"], name="pacat"
        )

    def record_start(self, path):
        """Starts recording the null sink's monitor into a mono 44.1 kHz WAV file."""
        if not self.audio:
            raise AssertionError("the desktop has no sound server (audio=True)")
        self.run(["pactl", "suspend-sink", "nullsink", "1"], check=True)
        self.run(["pactl", "suspend-sink", "nullsink", "0"], check=True)
        proc = self.spawn(
            ["parecord", "-d", "nullsink.monitor", "--channels=1", "--rate=44100", "--file-format=wav",
             "--latency-msec=10", path],
            name="parecord",
        )
        wait_for(lambda: os.path.exists(path) and os.path.getsize(path) > 44, 5, "the recording to start")
        return proc

    def record_stop(self, proc, timeout=5):
        """Ends a recording (SIGINT, so the WAV header is completed)."""
        if proc.poll() is None:
            proc.send_signal(signal.SIGINT)
            try:
                proc.wait(timeout)
            except subprocess.TimeoutExpired:
                self.stop(proc)
        return proc.returncode

    def start_mock(self, name, *arguments):
        """Starts a python-dbusmock stand-in that owns the bus name; arguments follow dbusmock's
        command line (a path and an interface, or a template)."""
        self.spawn([PYTHON, "-m", "dbusmock", *arguments], name=name)
        wait_for(lambda: self._name_has_owner(name), 15, name)

    def _start_logind(self):
        import json

        self.start_mock(LOGIND, "--template", "logind", "-l", os.path.join(self.tmp, "logind.log"),
                        "-p", json.dumps(self.logind_params))
        self.session_path = str(self.bus().get_object(LOGIND, LOGIND_PATH).AddSession(
            "c1", "seat0", os.getuid(), "tester", True, dbus_interface=MOCK))
        self.logind_add_method("GetSessionByPID", "u", "o", f"ret = '{self.session_path}'")
        self.logind_clear_calls()  # the log starts empty: only the program's calls

    def bus(self):
        """A connection to the desktop's D-Bus (the session and the system bus in one)."""
        import dbus

        if self._bus is None:
            self._bus = dbus.bus.BusConnection(self.bus_address)
        return self._bus

    def _name_has_owner(self, name):
        import dbus

        try:
            return bool(self.bus().name_has_owner(name))
        except dbus.exceptions.DBusException:
            return False

    def mock_add_method(self, name, path, interface, method, in_sig, out_sig, code=""):
        """Adds a method to a stand-in (one its template lacks)."""
        self.bus().get_object(name, path).AddMethod(interface, method, in_sig, out_sig, code, dbus_interface=MOCK)

    def mock_calls(self, name, path):
        """The calls a stand-in received at path: a list of (method name, [arguments]).
        Arguments keep their D-Bus types (dbus.Boolean, dbus.UInt32, ...)."""
        calls = self.bus().get_object(name, path).GetCalls(dbus_interface=MOCK)
        return [(str(method), list(args)) for _stamp, method, args in calls]

    def logind_add_method(self, method, in_sig, out_sig, code=""):
        self.mock_add_method(LOGIND, LOGIND_PATH, "org.freedesktop.login1.Manager", method, in_sig, out_sig, code)

    def logind_calls(self, path=LOGIND_PATH):
        return self.mock_calls(LOGIND, path)

    def logind_clear_calls(self):
        self.bus().get_object(LOGIND, LOGIND_PATH).ClearCalls(dbus_interface=MOCK)

    def set_default_browser(self, program):
        """Makes program the user's browser and HTML viewer in the XDG settings (mimeapps.list and
        a .desktop file of the user's own folders), as xdg-open reads them."""
        applications = os.path.join(self.env["XDG_DATA_HOME"], "applications")
        os.makedirs(applications, exist_ok=True)
        kinds = ("x-scheme-handler/http", "x-scheme-handler/https", "text/html")
        with open(os.path.join(applications, "recording-browser.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Recording browser\n"
                    f"Exec={program} %u\nMimeType={';'.join(kinds)};\n")
        with open(os.path.join(self.env["XDG_CONFIG_HOME"], "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\n" + "".join(f"{kind}=recording-browser.desktop\n" for kind in kinds))

    def start_accessibility_bus(self):
        """The AT-SPI bus on the desktop's D-Bus; start programs with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
        and read them with pyatspi() from this process."""
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], name="at-spi-bus-launcher")
        wait_for(lambda: self._name_has_owner("org.a11y.Bus"), 10, "the accessibility bus")

    def pyatspi(self):
        """The pyatspi module, connected to this desktop's accessibility bus (one desktop a process)."""
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        os.environ["DISPLAY"] = self.display
        import pyatspi

        return pyatspi

    # ----- windows -----

    def _search(self, args):
        r = self.run(["xdotool", "search"] + args)
        return [int(x) for x in r.stdout.split()]

    def windows_of(self, pid):
        """Every window that carries the process's _NET_WM_PID."""
        return self._search(["--pid", str(pid)])

    def window_info(self, window):
        """Absolute position, size, map state and override-redirect of a window, or None."""
        r = self.run(["xwininfo", "-id", str(window)])
        if r.returncode != 0:
            return None
        text = r.stdout

        def number(label):
            m = re.search(label + r":\s+(-?\d+)", text)
            return int(m.group(1)) if m else 0

        return {
            "x": number("Absolute upper-left X"),
            "y": number("Absolute upper-left Y"),
            "width": number("Width"),
            "height": number("Height"),
            "viewable": "IsViewable" in text,
            "override": "Override Redirect State: yes" in text,
        }

    def parent_of(self, window):
        r = self.run(["xwininfo", "-children", "-id", str(window)])
        m = re.search(r"Parent window id: (0x[0-9a-f]+)", r.stdout)
        return int(m.group(1), 16) if m else None

    def root(self):
        if self._root is None:
            r = self.run(["xwininfo", "-root"], check=True)
            self._root = int(re.search(r"Window id: (0x[0-9a-f]+)", r.stdout).group(1), 16)
        return self._root

    def ancestors(self, window):
        """The window's parents up to and including the root window."""
        chain = []
        w = self.parent_of(window)
        while w:
            chain.append(w)
            if w == self.root():
                break
            w = self.parent_of(w)
        return chain

    def frame_of(self, window):
        """The top-level window that holds window: the window manager's frame (or window itself)."""
        chain = [window] + self.ancestors(window)
        return chain[-2] if len(chain) >= 2 else window

    def frame_geometry(self, window):
        """Position and size of the window manager's frame around window, or None."""
        return self.window_info(self.frame_of(window))

    def property(self, window, name):
        return self.run(["xprop", "-id", str(window), name]).stdout.strip()

    def work_area(self):
        """The first desktop's work area from _NET_WORKAREA: x, y, width, height."""
        return tuple(int(v) for v in self.property(self.root(), "_NET_WORKAREA").split("=")[1].split(",")[:4])

    def main_window(self, pid):
        """The program's mapped, managed window (neither the tray icon nor a popup), or None."""
        for w in self.windows_of(pid):
            info = self.window_info(w)
            if not info or not info["viewable"] or info["override"]:
                continue
            if _is_tray_icon(info):
                continue
            return w
        return None

    def window_named(self, pid, name, exclude=()):
        """The program's shown, managed window with that title (not one of exclude), or None."""
        for w in self.windows_of(pid):
            info = self.window_info(w)
            if w in exclude or not info or not info["viewable"] or info["override"]:
                continue
            if self.run(["xdotool", "getwindowname", str(w)]).stdout.strip() == name:
                return w
        return None

    def message_boxes(self, pid):
        """The program's shown message boxes: dialog windows titled "Corvane"."""
        return [w for w in self._search(["--onlyvisible", "--pid", str(pid), "--name", "^Corvane$"])
                if "_NET_WM_WINDOW_TYPE_DIALOG" in self.property(w, "_NET_WM_WINDOW_TYPE")]

    def tray_icon(self, pid):
        """The program's 22x22 tray icon window, or None."""
        for w in self.windows_of(pid):
            if _is_tray_icon(self.window_info(w)):
                return w
        return None

    def is_embedded(self, icon):
        """True when the icon window sits inside trayer's window and is shown."""
        info = self.window_info(icon)
        return bool(info and info["viewable"] and self.tray_window in self.ancestors(icon))

    def popup_menus(self, pid):
        """The program's mapped popup windows (menus): top-level, override-redirect, not tool tips."""
        root = self.root()
        found = []
        for w in self.windows_of(pid):
            info = self.window_info(w)
            if info and info["viewable"] and info["override"] and self.parent_of(w) == root and \
                    "TOOLTIP" not in self.property(w, "_NET_WM_WINDOW_TYPE"):
                found.append(w)
        return found

    def click(self, window, x, y, button=1):
        """Moves the pointer to (x, y) inside window and clicks."""
        self.run(["xdotool", "mousemove", "--window", str(window), str(x), str(y), "click", str(button)], check=True)

    def key(self, *keys):
        self.run(["xdotool", "key", "--delay", "30"] + list(keys), check=True)

    def open_tray_menu(self, pid, timeout=3):
        """Right-clicks the tray icon (once more if the first click is lost); returns the new popup."""
        icon = self.tray_icon(pid)
        if icon is None:
            raise AssertionError("the program has no tray icon")
        before = set(self.popup_menus(pid))
        for attempt in range(2):
            self.click(icon, TRAY_ICON_SIZE // 2, TRAY_ICON_SIZE // 2, button=3)
            try:
                new = wait_for(lambda: [w for w in self.popup_menus(pid) if w not in before], timeout,
                               "the popup menu")
                return new[0]
            except Timeout:
                if attempt == 1:
                    raise
        return None

    def screenshot(self, path):
        """Saves the whole screen as a PNG."""
        self.run(["import", "-window", "root", path], timeout=30, check=True)
        return path

    def wait_exit(self, proc, timeout, what="the process to end"):
        """Waits for a process of this desktop to end; returns its exit status."""
        try:
            return proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Timeout(f"timed out after {timeout} s waiting for {what}") from None
