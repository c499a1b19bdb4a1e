"""The power and launcher services for real: the probe program performs one action through the
Linux services against a logind stand-in and desktop session managers on a private D-Bus, real
scripts, and a recording browser found through the XDG settings of a bare X server.

Every process the test starts is ended by its PID.
"""

import json
import os
import shutil
import signal
import stat
import subprocess
import tempfile
import time
import unittest

import dbus

PYTHON = "/usr/bin/python3"
PROBE = os.environ["CORVANE_PROBE"]
MOCK_IFACE = "org.freedesktop.DBus.Mock"
LOGIND = "org.freedesktop.login1"
LOGIND_PATH = "/org/freedesktop/login1"
MANAGER = "org.freedesktop.login1.Manager"


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
    if proc.stdout:
        proc.stdout.close()


def write_script(path, text):
    with open(path, "w") as f:
        f.write(text)
    os.chmod(path, stat.S_IRWXU)


class PrivateBus:
    """A private D-Bus, used as both the system and the session bus, without service activation
    (nothing runs on it that the test did not start). Watches its traffic with dbus-monitor."""

    def __init__(self, folder):
        self.folder = folder
        self.procs = []
        config = os.path.join(folder, "bus.conf")
        with open(config, "w") as f:
            f.write(
                '<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"\n'
                ' "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">\n'
                "<busconfig><type>session</type>\n"
                f"  <listen>unix:path={os.path.join(folder, 'bus')}</listen>\n"
                "  <auth>EXTERNAL</auth>\n"
                '  <policy context="default"><allow send_destination="*" eavesdrop="true"/>'
                '<allow eavesdrop="true"/><allow own="*"/></policy>\n'
                "</busconfig>\n")
        daemon = self._spawn(["dbus-daemon", f"--config-file={config}", "--nofork", "--nopidfile",
                              "--print-address=1"], stdout=subprocess.PIPE)
        self.address = daemon.stdout.readline().decode().strip()
        daemon.stdout.close()
        self.connection = dbus.bus.BusConnection(self.address)

    def _spawn(self, argv, **kwargs):
        proc = subprocess.Popen(argv, stderr=subprocess.DEVNULL, **kwargs)
        self.procs.append(proc)
        return proc

    def close(self):
        self.connection.close()
        for proc in reversed(self.procs):
            end(proc)

    def env(self):
        return {"DBUS_SYSTEM_BUS_ADDRESS": self.address, "DBUS_SESSION_BUS_ADDRESS": self.address}

    def start_mock(self, name, args):
        """A python-dbusmock service on this bus; returns once its name is owned."""
        env = dict(os.environ, **self.env())
        self._spawn([PYTHON, "-m", "dbusmock", *args], env=env, stdout=subprocess.DEVNULL)
        wait_for(lambda: self.connection.name_has_owner(name), 15, name)

    def mock(self, name, path):
        return dbus.Interface(self.connection.get_object(name, path), MOCK_IFACE)

    def calls(self, name, path):
        """(method, [arguments]) received at path, in order."""
        return [(str(m), list(a)) for _stamp, m, a in self.mock(name, path).GetCalls()]

    def start_monitor(self, interface):
        """dbus-monitor of the method calls to interface; read with monitor_text()."""
        log = os.path.join(self.folder, f"monitor-{len(self.procs)}.txt")
        out = open(log, "w")
        self._spawn(["dbus-monitor", "--address", self.address,
                     f"type='method_call',interface='{interface}'"], stdout=out)
        out.close()
        # It announces itself (NameLost, on becoming a monitor) once it is listening.
        wait_for(lambda: "NameLost" in self.monitor_text(log), 10, "dbus-monitor")
        return log

    @staticmethod
    def monitor_text(log):
        with open(log) as f:
            return f.read()


def run_probe(action, argument=None, env=None, timeout=20):
    argv = [PROBE, action] + ([argument] if argument is not None else [])
    return subprocess.run(argv, env=env, capture_output=True, text=True, timeout=timeout)


def start_probe(action, env):
    return subprocess.Popen([PROBE, action], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            text=True)


class Folder(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="corvane-actions-")
        self.addCleanup(shutil.rmtree, self.tmp, ignore_errors=True)
        home = os.path.join(self.tmp, "home")
        os.makedirs(home)
        # No desktop: nothing from the real session leaks in.
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith(("XDG_", "DBUS_", "DESKTOP_", "GNOME_", "KDE_", "BROWSER", "DISPLAY"))}
        self.env.update(HOME=home, QT_QPA_PLATFORM="offscreen",
                        XDG_RUNTIME_DIR=self._folder("runtime", 0o700),
                        XDG_CONFIG_HOME=self._folder("config"), XDG_DATA_HOME=self._folder("data"),
                        XDG_CACHE_HOME=self._folder("cache"))

    def _folder(self, name, mode=0o755):
        path = os.path.join(self.tmp, name)
        os.makedirs(path, mode=mode)
        return path


class PowerTest(Folder):
    def setUp(self):
        super().setUp()
        self.bus = PrivateBus(self.tmp)
        self.addCleanup(self.bus.close)
        self.env.update(self.bus.env())

    def start_logind(self, session=None):
        """The logind stand-in; with a session of this user that GetSessionByPID finds."""
        self.bus.start_mock(LOGIND, ["--template", "logind", "-l", os.path.join(self.tmp, "logind.log")])
        logind = self.bus.mock(LOGIND, LOGIND_PATH)
        if session:
            path = str(logind.AddSession(session, "seat0", os.getuid(), "tester", True))
            logind.AddMethod(MANAGER, "GetSessionByPID", "u", "o", f"ret = dbus.ObjectPath('{path}')")
            logind.ClearCalls()
            return logind, path
        return logind

    def logind_calls(self, path=LOGIND_PATH):
        return self.bus.calls(LOGIND, path)

    def test_power_off_and_restart_arrive_although_the_program_ends_at_once(self):
        self.start_logind()
        monitor = self.bus.start_monitor(MANAGER)
        for action, method in (("poweroff", "PowerOff"), ("reboot", "Reboot")):
            with self.subTest(action):
                self.bus.mock(LOGIND, LOGIND_PATH).ClearCalls()
                r = run_probe(action, env=self.env)
                self.assertEqual(r.returncode, 0, r.stderr)
                self.assertIn("returned after", r.stdout)
                # The process is gone; its request is in logind's log all the same.
                self.assertEqual(self.logind_calls(), [(method, [False])])
                wait_for(lambda: f"member={method}\n   boolean false\n" in self.bus.monitor_text(monitor), 5,
                         f"{method} with a boolean on the wire")

    def test_hibernate_asks_logind_and_the_program_goes_on(self):
        self.start_logind()
        monitor = self.bus.start_monitor(MANAGER)
        probe = start_probe("hibernate", self.env)
        self.addCleanup(end, probe)
        self.assertIn("requested", probe.stdout.readline())
        wait_for(lambda: self.logind_calls() == [("Hibernate", [False])], 5, "Hibernate(false)")
        self.assertIn("member=Hibernate\n   boolean false\n", self.bus.monitor_text(monitor))
        self.assertIsNone(probe.poll())

    def test_hibernate_without_power_service_is_refused_with_a_description(self):
        # A bus without logind, and no bus at all.
        r = run_probe("hibernate", env=self.env)
        self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
        self.assertIn("refused: The power service org.freedesktop.login1 is not available", r.stdout)

        no_bus = dict(self.env, DBUS_SYSTEM_BUS_ADDRESS="unix:path=" + os.path.join(self.tmp, "no-bus"))
        r = run_probe("hibernate", env=no_bus)
        self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
        self.assertIn("refused: The system bus cannot be reached", r.stdout)

    def test_log_off_without_desktop_terminates_the_programs_own_session(self):
        _logind, session = self.start_logind("c7")
        probe = start_probe("logoff", self.env)
        self.addCleanup(end, probe)
        wait_for(lambda: self.logind_calls(session) == [("Terminate", [])], 5, "the session's Terminate")
        self.assertEqual(self.logind_calls(), [("GetSessionByPID", [probe.pid])])
        self.assertIsNone(probe.poll())

    def test_log_off_outside_a_session_uses_the_session_of_the_environment(self):
        logind, session = self.start_logind("c9")
        logind.AddMethod(MANAGER, "GetSessionByPID", "u", "o",
                         "raise dbus.exceptions.DBusException('no session', "
                         "name='org.freedesktop.login1.NoSessionForPID')")
        logind.ClearCalls()
        probe = start_probe("logoff", dict(self.env, XDG_SESSION_ID="c9"))
        self.addCleanup(end, probe)
        wait_for(lambda: self.logind_calls(session) == [("Terminate", [])], 5, "the session's Terminate")
        self.assertEqual(self.logind_calls(), [("GetSessionByPID", [probe.pid]), ("GetSession", ["c9"])])

    def test_log_off_asks_the_desktops_session_manager(self):
        # desktop name, bus name, path, interface, method, its signature, what the wire carries
        managers = [
            ("GNOME", "org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
             "Logout", "u", [1], "   uint32 1\n"),
            ("KDE", "org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", "", [], ""),
            ("XFCE", "org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager",
             "Logout", "bb", [False, True], "   boolean false\n   boolean true\n"),
            ("LXQt", "org.lxqt.session", "/LXQtSession", "org.lxqt.session", "logout", "", [], ""),
        ]
        _logind, session = self.start_logind("c3")
        for desktop, name, path, interface, method, signature, arguments, wire in managers:
            with self.subTest(desktop):
                self.bus.start_mock(name, [name, path, interface])
                self.bus.mock(name, path).AddMethod("", method, signature, "", "")
                monitor = self.bus.start_monitor(interface)
                probe = start_probe("logoff", dict(self.env, XDG_CURRENT_DESKTOP=desktop))
                self.addCleanup(end, probe)
                wait_for(lambda: self.bus.calls(name, path), 5, f"{desktop}'s {method}")
                self.assertEqual(self.bus.calls(name, path), [(method, arguments)])
                wait_for(lambda: f"member={method}\n{wire}" in self.bus.monitor_text(monitor), 5,
                         f"{method}'s arguments on the wire")
                end(probe)
                # Each manager was started after the previous one, so all answer: the name decides.
        self.assertEqual(self.logind_calls(session), [])


class LauncherTest(Folder):
    def setUp(self):
        super().setUp()
        self.marks = os.path.join(self.tmp, "marks.txt")
        self.tools = os.path.join(self.tmp, "my tools")
        os.makedirs(self.tools)
        # Leaves one line per start: its arguments as JSON.
        mark = ('#!/usr/bin/python3\nimport json, sys\n'
                f'open({self.marks!r}, "a").write(json.dumps(sys.argv[1:]) + "\\n")\n')
        self.mark = os.path.join(self.tmp, "mark")
        write_script(self.mark, mark)
        self.mark_with_blank = os.path.join(self.tools, "leave mark")
        write_script(self.mark_with_blank, mark)

    def started(self, count):
        def lines():
            if not os.path.exists(self.marks):
                return None
            with open(self.marks) as f:
                got = [json.loads(line) for line in f if line.endswith("\n")]
            return got if len(got) >= count else None
        return wait_for(lines, 10, f"{count} marks")

    def test_run_program_starts_it_without_a_shell(self):
        pwned = os.path.join(self.tmp, "pwned")
        cases = [
            (f"{self.mark} one two", ["one", "two"]),
            (self.mark_with_blank, []),  # the path as the file dialog gives it
            (f'"{self.mark_with_blank}" --say "two words"', ["--say", "two words"]),
            (f"{self.mark} $(touch {pwned}) `touch {pwned}` ; touch {pwned} | x && y > {pwned}",
             ["$(touch", f"{pwned})", f"`touch", f"{pwned}`", ";", "touch", pwned, "|", "x", "&&", "y", ">", pwned]),
        ]
        for number, (command_line, arguments) in enumerate(cases, start=1):
            with self.subTest(command_line):
                r = run_probe("run", command_line, env=self.env)
                self.assertEqual(r.stdout.strip(), "started", r.stderr)
                self.assertEqual(self.started(number)[-1], arguments)
        self.assertFalse(os.path.exists(pwned))

    def test_run_program_refusals_start_nothing(self):
        # The finer cases (not executable, a folder, PATH) are the unit tests' of the command line.
        for command_line in (os.path.join(self.tmp, "missing"), f"{self.mark}; touch {self.tmp}/pwned"):
            with self.subTest(command_line):
                r = run_probe("run", command_line, env=self.env)
                self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
                self.assertIn("does not exist", r.stdout)
        self.assertFalse(os.path.exists(self.marks))
        self.assertFalse(os.path.exists(os.path.join(self.tmp, "pwned")))


class BrowserTest(Folder):
    """A bare X server without a desktop: Qt hands addresses to xdg-open, which finds the browser
    through mimeapps.list and the .desktop files of the user's own folders, or through BROWSER."""

    def setUp(self):
        super().setUp()
        self.bus = PrivateBus(self.tmp)  # an empty session bus: no desktop answers on it
        self.addCleanup(self.bus.close)
        self.env.update(self.bus.env())
        self.env.pop("QT_QPA_PLATFORM")
        r, w = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "640x480x24", "-nolisten", "tcp",
                                 "-noreset"], pass_fds=(w,), stderr=subprocess.DEVNULL)
        self.addCleanup(end, xvfb)
        os.close(w)
        with os.fdopen(r) as pipe:
            self.env["DISPLAY"] = ":" + pipe.readline().strip()
        self.visits = os.path.join(self.tmp, "visits.txt")
        self.browser = os.path.join(self.tmp, "recording-browser")
        write_script(self.browser, f'#!/bin/sh\nprintf "%s\\n" "$@" >> {self.visits}\n')

    def set_default_browser(self):
        applications = os.path.join(self.env["XDG_DATA_HOME"], "applications")
        os.makedirs(applications)
        with open(os.path.join(applications, "recording-browser.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Recording browser\n"
                    f"Exec={self.browser} %u\nMimeType=x-scheme-handler/http;x-scheme-handler/https;text/html;\n")
        with open(os.path.join(self.env["XDG_CONFIG_HOME"], "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\n" + "".join(
                f"{kind}=recording-browser.desktop\n"
                for kind in ("x-scheme-handler/http", "x-scheme-handler/https", "text/html")))

    def visited(self, count):
        def lines():
            if not os.path.exists(self.visits):
                return None
            with open(self.visits) as f:
                got = f.read().splitlines()
            return got if len(got) >= count else None
        return wait_for(lines, 15, f"{count} visits")

    def test_visit_website_reaches_the_default_browser_of_the_xdg_settings(self):
        self.set_default_browser()
        cases = [
            ("https://example.org/a b?q=1&r=$(id)", "https://example.org/a%20b?q=1&r=$(id)"),
            ("http://example.net", "http://example.net"),
            ("www.example.com", "http://www.example.com"),
        ]
        for number, (address, seen) in enumerate(cases, start=1):
            with self.subTest(address):
                r = run_probe("url", address, env=self.env)
                self.assertEqual(r.stdout.strip(), "opened", r.stderr)
                self.assertEqual(self.visited(number)[-1], seen)

    def test_visit_website_through_browser_variable(self):
        r = run_probe("url", "https://example.org/", env=dict(self.env, BROWSER=self.browser))
        self.assertEqual(r.stdout.strip(), "opened", r.stderr)
        self.assertEqual(self.visited(1), ["https://example.org/"])

    def test_visit_website_without_any_browser_is_refused(self):
        empty = os.path.join(self.tmp, "empty-path")
        os.makedirs(empty)
        r = run_probe("url", "https://example.org/", env=dict(self.env, PATH=empty))
        self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
        self.assertIn("refused: The desktop has no browser", r.stdout)

    def test_open_file_reports_like_the_shell(self):
        self.set_default_browser()
        page = os.path.join(self.tmp, "corvanehelp.htm")
        with open(page, "w") as f:
            f.write("<html><body>Help</body></html>\n")
        r = run_probe("file", page, env=self.env)
        self.assertEqual(r.stdout.strip(), "result 42", r.stderr)
        self.assertEqual(self.visited(1), [page])
        r = run_probe("file", os.path.join(self.tmp, "missing.htm"), env=self.env)
        self.assertEqual(r.stdout.strip(), "result 2", r.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
