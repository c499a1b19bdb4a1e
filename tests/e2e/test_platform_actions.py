"""The power and launcher services for real: the probe performs one action through the Linux
services against a logind stand-in and desktop session managers on the desktop's private D-Bus,
real scripts, and a recording browser found through the XDG settings of the desktop's own
folders (an X server with a window manager and no desktop environment)."""

import json
import os
import re
import subprocess
import unittest

from desktop import LOGIND, MOCK, Desktop, wait_for, write_script

PROBE = os.environ["CORVANE_PROBE"]
MANAGER = "org.freedesktop.login1.Manager"


class DesktopTest(unittest.TestCase):
    logind = False

    def setUp(self):
        self.d = Desktop(logind=self.logind, tray=False).__enter__()
        self.addCleanup(self.d.close)
        self.tmp = self.d.tmp

    def probe(self, action, argument=None, env=None):
        """Runs the probe to its end."""
        return self.d.run([PROBE, action] + ([argument] if argument is not None else []), env=env, timeout=20)

    def start_probe(self, action, env=None):
        """Starts a probe that stays up (hibernate, log off) and waits for the accepted answer."""
        probe = self.d.spawn([PROBE, action], name="probe", env=env, stdout=subprocess.PIPE, text=True)
        lines = [probe.stdout.readline(), probe.stdout.readline()]
        self.assertIn("requested", lines[1], lines)
        probe.stdout.close()
        return probe

    def monitor(self, interface):
        """dbus-monitor of the method calls to interface: what the wire carries, types and all."""
        proc = self.d.spawn(["dbus-monitor", "--address", self.d.bus_address,
                             f"type='method_call',interface='{interface}'"], name="dbus-monitor")
        # It announces itself (NameLost, on becoming a monitor) once it listens.
        wait_for(lambda: "NameLost" in self.d.log_of(proc), 10, "dbus-monitor")
        return lambda: self.d.log_of(proc)


class PowerTest(DesktopTest):
    logind = True

    def test_power_off_and_restart_arrive_although_the_program_ends_at_once(self):
        wire = self.monitor(MANAGER)
        for action, method in (("poweroff", "PowerOff"), ("reboot", "Reboot")):
            with self.subTest(action):
                self.d.logind_clear_calls()
                r = self.probe(action)
                self.assertEqual(r.returncode, 0, r.stderr)
                self.assertIn("returned after", r.stdout)
                # The process is gone; its request is in logind's log all the same.
                self.assertEqual(self.d.logind_calls(), [(method, [False])])
                wait_for(lambda: f"member={method}\n   boolean false\n" in wire(), 5,
                         f"{method} with a boolean on the wire")

    def test_refused_requests_are_reported_with_loginds_reason(self):
        for action, method in (("poweroff", "PowerOff"), ("reboot", "Reboot"), ("hibernate", "Hibernate")):
            with self.subTest(action):
                self.d.logind_add_method(method, "b", "",
                                         "raise dbus.exceptions.DBusException('Interactive authentication required.', "
                                         "name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')")
                self.d.logind_clear_calls()
                r = self.probe(action)
                self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
                self.assertIn(f"refused: org.freedesktop.login1 {method} refused: org.freedesktop.DBus.Error."
                              "InteractiveAuthorizationRequired: Interactive authentication required.", r.stdout)
                self.assertEqual(self.d.logind_calls(), [(method, [False])])

    def test_requests_not_answered_in_time_are_refused_while_the_event_loop_goes_on(self):
        # The stand-in takes the call and stays silent longer than the program waits.
        silent = "time.sleep(6.5)"
        lxqt = ("org.lxqt.session", "/LXQtSession")
        self.d.start_mock(lxqt[0], lxqt[0], lxqt[1], lxqt[0])
        cases = [
            ("poweroff", {}, None, ("PowerOff", "b", ""), "org.freedesktop.login1 PowerOff"),
            ("hibernate", {}, None, ("Hibernate", "b", ""), "org.freedesktop.login1 Hibernate"),
            ("logoff", {"XDG_SESSION_ID": "c1"}, None, ("GetSessionByPID", "u", "o"),
             "org.freedesktop.login1 GetSessionByPID"),
            ("logoff", {"XDG_CURRENT_DESKTOP": "LXQt"}, lxqt, ("logout", "", ""), "org.lxqt.session logout"),
            ("reboot", {"XDG_CURRENT_DESKTOP": "LXQt"}, lxqt, ("reboot", "", ""), "org.lxqt.session reboot"),
        ]
        for action, env, manager, (method, in_sig, out_sig), asked in cases:
            with self.subTest(f"{action} {method}"):
                if manager:
                    self.d.mock_add_method(*manager, "", method, in_sig, out_sig, silent)
                else:
                    self.d.logind_add_method(method, in_sig, out_sig, silent)
                r = self.probe(action, env=env)
                self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
                self.assertIn(f"refused: {asked} refused: org.freedesktop.DBus.Error.NoReply", r.stdout)
                waited = re.search(r"answered after (\d+) ms, (\d+) ticks", r.stdout)
                self.assertTrue(waited, r.stdout)
                self.assertGreaterEqual(int(waited.group(1)), 4500, r.stdout)
                # A 100 ms timer ticked on through the wait.
                self.assertGreaterEqual(int(waited.group(2)), int(waited.group(1)) // 100 - 15, r.stdout)
                self.d.logind_clear_calls()  # returns once the stand-in listens again
        # Nothing fell back to logind after a session manager had taken the call.
        self.assertEqual(self.d.logind_calls(self.d.session_path), [])

    def test_log_off_refusals_are_reported(self):
        no_session = ("raise dbus.exceptions.DBusException('PID 1 does not belong to any known session', "
                      "name='org.freedesktop.login1.NoSessionForPID')")
        cases = [
            # A process outside any session, with no session named in its environment.
            ("GetSessionByPID", "u", "o", no_session, "org.freedesktop.login1 GetSessionByPID refused: "
             "org.freedesktop.login1.NoSessionForPID: PID 1 does not belong to any known session"),
            ("Terminate", "", "", "raise dbus.exceptions.DBusException('Access denied', "
             "name='org.freedesktop.DBus.Error.AccessDenied')",
             "org.freedesktop.login1 Terminate refused: org.freedesktop.DBus.Error.AccessDenied: Access denied"),
        ]
        for method, in_sig, out_sig, code, reason in cases:
            with self.subTest(method):
                if method == "Terminate":
                    self.d.logind_add_method("GetSessionByPID", "u", "o", f"ret = '{self.d.session_path}'")
                    self.d.mock_add_method(LOGIND, self.d.session_path, "org.freedesktop.login1.Session",
                                           method, in_sig, out_sig, code)
                else:
                    self.d.logind_add_method(method, in_sig, out_sig, code)
                r = self.probe("logoff", env={"XDG_SESSION_ID": ""})
                self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
                self.assertIn("refused: " + reason, r.stdout)

    def test_hibernate_asks_logind_and_the_program_goes_on(self):
        wire = self.monitor(MANAGER)
        probe = self.start_probe("hibernate")
        wait_for(lambda: self.d.logind_calls() == [("Hibernate", [False])], 5, "Hibernate(false)")
        self.assertIn("member=Hibernate\n   boolean false\n", wire())
        self.assertIsNone(probe.poll())

    def test_log_off_without_desktop_terminates_the_programs_own_session(self):
        probe = self.start_probe("logoff")
        wait_for(lambda: self.d.logind_calls(self.d.session_path) == [("Terminate", [])], 5,
                 "the session's Terminate")
        self.assertEqual(self.d.logind_calls(), [("GetSessionByPID", [probe.pid])])
        self.assertIsNone(probe.poll())

    def test_log_off_outside_a_session_uses_the_session_of_the_environment(self):
        self.d.logind_add_method("GetSessionByPID", "u", "o",
                                 "raise dbus.exceptions.DBusException('no session', "
                                 "name='org.freedesktop.login1.NoSessionForPID')")
        self.d.logind_clear_calls()
        probe = self.start_probe("logoff", env={"XDG_SESSION_ID": "c1"})
        wait_for(lambda: self.d.logind_calls(self.d.session_path) == [("Terminate", [])], 5,
                 "the session's Terminate")
        self.assertEqual(self.d.logind_calls(), [("GetSessionByPID", [probe.pid]), ("GetSession", ["c1"])])

    def test_log_off_and_restart_ask_the_desktops_session_manager(self):
        # A session manager without a restart request does not answer it: logind restarts.
        self.d.start_mock("org.kde.Shutdown", "org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown")
        r = self.probe("reboot", env={"XDG_CURRENT_DESKTOP": "KDE"})
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertEqual(self.d.logind_calls(), [("Reboot", [False])])
        self.d.logind_clear_calls()
        # desktop, bus name, path, interface, then for log off and for restart: the method, its
        # signature, the arguments and how the wire shows them
        managers = [
            ("GNOME", "org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
             ("Logout", "u", [1], "   uint32 1\n"), ("RequestReboot", "", [], "")),
            ("KDE", "org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", ("logout", "", [], ""),
             ("logoutAndReboot", "", [], "")),
            ("XFCE", "org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager",
             ("Logout", "bb", [False, True], "   boolean false\n   boolean true\n"),
             ("Restart", "b", [True], "   boolean true\n")),
            ("LXQt", "org.lxqt.session", "/LXQtSession", "org.lxqt.session", ("logout", "", [], ""),
             ("reboot", "", [], "")),
        ]
        for desktop, name, path, interface, log_off, restart in managers:
            with self.subTest(desktop):
                # The managers started before stay: all answer, the desktop's name decides.
                if desktop != "KDE":
                    self.d.start_mock(name, name, path, interface)
                for method, signature, _arguments, _on_wire in (log_off, restart):
                    self.d.mock_add_method(name, path, "", method, signature, "")
                wire = self.monitor(interface)
                probe = self.start_probe("logoff", env={"XDG_CURRENT_DESKTOP": desktop})
                wait_for(lambda: self.d.mock_calls(name, path), 5, f"{desktop}'s {log_off[0]}")
                self.d.stop(probe)
                r = self.probe("reboot", env={"XDG_CURRENT_DESKTOP": desktop})
                self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
                self.assertEqual(self.d.mock_calls(name, path), [(m, a) for m, _s, a, _w in (log_off, restart)])
                for method, _signature, _arguments, on_wire in (log_off, restart):
                    wait_for(lambda: f"member={method}\n{on_wire}" in wire(), 5, f"{method}'s arguments on the wire")
                self.d.bus().get_object(name, path).ClearCalls(dbus_interface=MOCK)
        self.assertEqual(self.d.logind_calls(self.d.session_path), [])
        self.assertEqual(self.d.logind_calls(), [])
        # A session manager that refuses (an application objects): reported, and logind is not asked.
        self.d.mock_add_method("org.lxqt.session", "/LXQtSession", "", "reboot", "", "",
                               "raise dbus.exceptions.DBusException('An application objects', "
                               "name='org.lxqt.session.Error.Cancelled')")
        r = self.probe("reboot", env={"XDG_CURRENT_DESKTOP": "LXQt"})
        self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
        self.assertIn("refused: org.lxqt.session reboot refused: org.lxqt.session.Error.Cancelled: "
                      "An application objects", r.stdout)
        self.assertEqual(self.d.logind_calls(), [])


class NoPowerServiceTest(DesktopTest):
    def test_turn_off_and_restart_without_power_service_are_refused(self):
        for action, method in (("poweroff", "PowerOff"), ("reboot", "Reboot")):
            with self.subTest(action):
                r = self.probe(action)
                self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
                self.assertIn(f"refused: org.freedesktop.login1 {method} refused: "
                              "org.freedesktop.DBus.Error.ServiceUnknown", r.stdout)

    def test_hibernate_without_power_service_is_refused_with_a_description(self):
        r = self.probe("hibernate")
        self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
        self.assertIn("refused: The power service org.freedesktop.login1 is not available", r.stdout)

        r = self.probe("hibernate", env={"DBUS_SYSTEM_BUS_ADDRESS": "unix:path=" + os.path.join(self.tmp, "no-bus")})
        self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
        self.assertIn("refused: The system bus cannot be reached", r.stdout)


class RunProgramTest(DesktopTest):
    def setUp(self):
        super().setUp()
        self.marks = os.path.join(self.tmp, "marks.txt")
        # Leaves one line per start: its arguments as JSON.
        mark = ('#!/usr/bin/python3\nimport json, sys\n'
                f'open({self.marks!r}, "a").write(json.dumps(sys.argv[1:]) + "\\n")\n')
        self.mark = write_script(os.path.join(self.tmp, "mark"), mark)
        self.mark_with_blank = write_script(os.path.join(self.tmp, "my tools", "leave mark"), mark)

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
             ["$(touch", f"{pwned})", "`touch", f"{pwned}`", ";", "touch", pwned, "|", "x", "&&", "y", ">", pwned]),
        ]
        for number, (command_line, arguments) in enumerate(cases, start=1):
            with self.subTest(command_line):
                r = self.probe("run", command_line)
                self.assertEqual(r.stdout.strip(), "started", r.stderr)
                self.assertEqual(self.started(number)[-1], arguments)
        self.assertFalse(os.path.exists(pwned))

    def test_run_program_refusals_start_nothing(self):
        # The finer cases (not executable, a folder, PATH) are the unit tests' of the command line.
        for command_line in (os.path.join(self.tmp, "missing"), f"{self.mark}; touch {self.tmp}/pwned"):
            with self.subTest(command_line):
                r = self.probe("run", command_line)
                self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
                self.assertIn("does not exist", r.stdout)
        self.assertFalse(os.path.exists(self.marks))
        self.assertFalse(os.path.exists(os.path.join(self.tmp, "pwned")))


class BrowserTest(DesktopTest):
    """No desktop environment: Qt hands addresses to xdg-open, which finds the browser through
    mimeapps.list and the .desktop files of the user's own folders, or through BROWSER."""

    def setUp(self):
        super().setUp()
        self.visits = os.path.join(self.tmp, "visits.txt")
        self.browser = write_script(os.path.join(self.tmp, "recording-browser"),
                                    f'#!/bin/sh\nprintf "%s\\n" "$@" >> {self.visits}\n')

    def set_default_browser(self):
        self.d.set_default_browser(self.browser)

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
                r = self.probe("url", address)
                self.assertEqual(r.stdout.strip(), "opened", r.stderr)
                self.assertEqual(self.visited(number)[-1], seen)
        # Other schemes never reach xdg-open, whatever the desktop would open them with.
        for address in (f"file://{self.browser}", "javascript:alert(1)", "ms-settings:display"):
            with self.subTest(address):
                r = self.probe("url", address)
                self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
        self.assertEqual(len(self.visited(len(cases))), len(cases))

    def test_visit_website_through_browser_variable(self):
        r = self.probe("url", "https://example.org/", env={"BROWSER": self.browser})
        self.assertEqual(r.stdout.strip(), "opened", r.stderr)
        self.assertEqual(self.visited(1), ["https://example.org/"])

    def test_visit_website_without_any_browser_is_refused(self):
        empty = os.path.join(self.tmp, "empty-path")
        os.makedirs(empty)
        r = self.probe("url", "https://example.org/", env={"PATH": empty})
        self.assertEqual(r.returncode, 2, r.stdout + r.stderr)
        self.assertIn("refused: The desktop has no browser", r.stdout)

    def test_open_file_reports_like_the_shell(self):
        self.set_default_browser()
        page = os.path.join(self.tmp, "corvanehelp.htm")
        with open(page, "w") as f:
            f.write("<html><body>Help</body></html>\n")
        r = self.probe("file", page)
        self.assertEqual(r.stdout.strip(), "result 42", r.stderr)
        self.assertEqual(self.visited(1), [page])
        r = self.probe("file", os.path.join(self.tmp, "missing.htm"))
        self.assertEqual(r.stdout.strip(), "result 2", r.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
