"""The installed program's first run on empty XDG folders: the settings file with its five values,
the user's own autostart entry (also for an ordinary user beside a system-wide entry of root's),
nothing written on the next start, nothing shown when the autostart folder cannot be written, the
installation error for a key without values, and changes that wait for a lock another program holds
(told after 10 s, stored once it is free, at SIGTERM tried a second more and reported).
"""

import fcntl
import os
import signal
import subprocess
import time
import unittest

from desktop import DEFAULTS, SETTINGS_KEY, Desktop, settings_values, wait_for

NOBODY = 65534
# The centres of the on-top and transparency buttons in the window (15 twips a pixel).
ON_TOP_BUTTON = (29, 49)
TRANSPARENCY_BUTTON = (115, 63)


def hold_lock(path):
    """The settings lock held as another program holds it (on the file there: a writer removes it
    when done) until the file is closed."""
    while True:
        lock = open(path, "a")
        fcntl.flock(lock, fcntl.LOCK_EX)
        if os.path.exists(path) and os.stat(path).st_ino == os.fstat(lock.fileno()).st_ino:
            return lock
        lock.close()


class FirstRun(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.d = Desktop(tray=False).__enter__()
        cls.binary = os.path.realpath(cls.d.corvane_path())

    @classmethod
    def tearDownClass(cls):
        cls.d.close()

    def start(self, folders, as_user=None):
        proc = self.d.start_corvane(binary=self.binary, env=folders.env, as_user=as_user)
        self.addCleanup(self.d.stop, proc)
        return proc

    def assert_running_without_message(self, proc):
        time.sleep(0.5)
        self.assertIsNone(proc.poll(), "the program ended")
        self.assertEqual(self.d.message_boxes(proc.pid), [])

    def test_first_run_writes_the_values_and_the_entry_and_the_next_start_writes_nothing(self):
        folders = self.d.user_folders()
        proc = self.start(folders)
        values = wait_for(lambda: settings_values(folders.hive), 20, "the settings key")
        self.assertEqual(list(values.items()), list(DEFAULTS.items()))  # in this order
        self.assertEqual(os.stat(folders.hive).st_mode & 0o777, 0o600)
        with open(folders.entry) as f:
            self.assertIn(f'Exec="{self.binary}"\n', f.read())
        check = subprocess.run(["desktop-file-validate", folders.entry], capture_output=True, text=True)
        self.assertEqual((check.returncode, check.stdout), (0, ""))
        self.assertFalse(os.path.exists(folders.system_autostart))
        self.assert_running_without_message(proc)
        self.d.stop(proc)

        before = os.stat(folders.hive)
        with open(folders.hive, "rb") as f:
            text = f.read()
        second = self.start(folders)
        time.sleep(1.5)
        self.assert_running_without_message(second)
        after = os.stat(folders.hive)
        self.assertEqual((after.st_ino, after.st_mtime_ns), (before.st_ino, before.st_mtime_ns))
        with open(folders.hive, "rb") as f:
            self.assertEqual(f.read(), text)

    def test_own_autostart_folder_not_writable_no_entry_and_nothing_shown(self):
        # An ordinary user (nobody when the test runs as root) and an autostart folder of root's.
        folders = self.d.user_folders(owner=NOBODY if os.geteuid() == 0 else None)
        os.makedirs(folders.autostart)
        os.chmod(folders.autostart, 0o555)
        self.addCleanup(os.chmod, folders.autostart, 0o755)
        proc = self.start(folders, as_user=NOBODY)
        self.assertEqual(wait_for(lambda: settings_values(folders.hive), 20, "the settings key"), DEFAULTS)
        self.assert_running_without_message(proc)
        self.assertEqual(os.listdir(folders.autostart), [])

    def test_ordinary_user_beside_a_system_entry_of_roots_gets_an_own_entry(self):
        # The entry an earlier version wrote for every user, in a system folder the user may not write.
        folders = self.d.user_folders(owner=NOBODY if os.geteuid() == 0 else None)
        os.makedirs(folders.system_autostart)
        earlier = '[Desktop Entry]\nType=Application\nName=Corvane\nExec="/usr/bin/corvane-earlier"\n'
        with open(folders.system_entry, "w") as f:
            f.write(earlier)
        os.chmod(folders.system_autostart, 0o555)
        self.addCleanup(os.chmod, folders.system_autostart, 0o755)
        proc = self.start(folders, as_user=NOBODY)
        wait_for(lambda: settings_values(folders.hive), 20, "the settings key")
        with open(folders.entry) as f:
            self.assertIn(f'Exec="{self.binary}"\n', f.read())
        check = subprocess.run(["desktop-file-validate", folders.entry], capture_output=True, text=True)
        self.assertEqual((check.returncode, check.stdout), (0, ""))
        with open(folders.system_entry) as f:
            self.assertEqual(f.read(), earlier)
        self.assert_running_without_message(proc)

    def test_install_path_not_utf8_or_with_a_tab_no_entry_and_a_log_line(self):
        for folder, reason in ((b"caf\xe9".decode(errors="surrogateescape"), "is not valid UTF-8"),
                               ("a\tb", "holds a tab")):
            with self.subTest(reason):
                folders = self.d.user_folders()
                proc = self.d.start_corvane(prefix=self.d.copy_prefix(folder), env=folders.env)
                self.addCleanup(self.d.stop, proc)
                self.assertEqual(wait_for(lambda: settings_values(folders.hive), 20, "the settings key"), DEFAULTS)
                wait_for(lambda: f"no autostart entry written to {folders.entry} : the program's path {reason}"
                         in self.d.log_of(proc), 10, "the log line")
                self.assertFalse(os.path.exists(folders.entry))
                self.assert_running_without_message(proc)

    def test_key_without_values_installation_error_then_the_end(self):
        folders = self.d.user_folders()
        os.makedirs(os.path.dirname(folders.hive))
        text = f"Windows Registry Editor Version 5.00\n\n[{SETTINGS_KEY}]\n"
        with open(folders.hive, "w") as f:
            f.write(text)
        proc = self.start(folders)
        boxes = wait_for(lambda: self.d.message_boxes(proc.pid), 20, "the message box")
        self.d.run(["xdotool", "windowfocus", "--sync", str(boxes[0])], check=True)
        self.d.key("Return")
        self.assertEqual(self.d.wait_exit(proc, 10), 0)
        # Nothing was written: no defaults for a key that exists.
        with open(folders.hive) as f:
            self.assertEqual(f.read(), text)

    def test_changes_wait_for_a_held_lock_as_long_as_it_runs_and_the_end_stores_or_reports_them(self):
        folders = self.d.user_folders()
        proc = self.start(folders)
        wait_for(lambda: settings_values(folders.hive) == DEFAULTS, 20, "the settings key")
        window = wait_for(lambda: self.d.main_window(proc.pid), 20, "the main window")
        time.sleep(2)  # the slide into view

        # Held 11 s: an on-top click, a transparency click 5 s later; both wait and both are stored.
        lock = hold_lock(folders.hive + ".lock")
        began = time.monotonic()
        self.d.click(window, *ON_TOP_BUTTON)

        def on_top():  # a new band makes a new window
            w = self.d.main_window(proc.pid)
            return w if w and "_NET_WM_STATE_ABOVE" in self.d.property(w, "_NET_WM_STATE") else None
        window = wait_for(on_top, 10, "the window on top")
        time.sleep(5)
        self.d.click(window, *TRANSPARENCY_BUTTON)
        told = "told the user: Settings not saved yet: another program holds them"
        wait_for(lambda: told in self.d.log_of(proc), 15, "the notice of the wait")
        self.assertGreater(time.monotonic() - began, 9.5)
        self.assertEqual(self.d.log_of(proc).count(told), 1)
        self.assertEqual(settings_values(folders.hive), DEFAULTS)
        time.sleep(max(0.0, began + 11 - time.monotonic()))
        lock.close()
        wait_for(lambda: settings_values(folders.hive) == {**DEFAULTS, "Ontop": 1, "tpme": 1}, 5, "both changes")
        wait_for(lambda: "told the user: Settings saved" in self.d.log_of(proc), 5, "the notice of the store")
        self.assertNotIn("were not stored", self.d.log_of(proc))

        # SIGTERM (the desktop's log-out) while a change waits: one more second, then the log line.
        lock = hold_lock(folders.hive + ".lock")
        self.d.click(window, *TRANSPARENCY_BUTTON)
        time.sleep(0.5)
        ending = time.monotonic()
        proc.send_signal(signal.SIGTERM)
        self.assertEqual(self.d.wait_exit(proc, 10), 259 & 0xFF)
        self.assertGreater(time.monotonic() - ending, 0.9)
        self.assertIn("1 changes of the settings were not stored", self.d.log_of(proc))
        self.assertEqual(settings_values(folders.hive)["tpme"], 1)
        lock.close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
