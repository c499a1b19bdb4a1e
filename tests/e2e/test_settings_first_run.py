"""The installed program's first run on empty XDG folders in a bare X server: the settings file
with its five values, the autostart entry, nothing written on the next start, nothing shown when
the autostart folder cannot be written, and the installation error for a key without values.
"""

import os
import subprocess
import time
import unittest

from first_run_support import (DEFAULTS, NOBODY, SETTINGS_KEY, Folders, Xvfb, end, message_boxes, program,
                               settings_values, start, wait_for)


class FirstRun(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.x = Xvfb().__enter__()
        cls.binary = program()

    @classmethod
    def tearDownClass(cls):
        cls.x.__exit__(None, None, None)

    def setUp(self):
        self.procs = []

    def tearDown(self):
        for proc in self.procs:
            end(proc)
            if proc.stderr:
                proc.stderr.close()

    def run_program(self, folders, as_user=None):
        proc = start(self.binary, folders, self.x.display, as_user)
        self.procs.append(proc)
        return proc

    def assert_running_without_message(self, proc):
        time.sleep(0.5)
        self.assertIsNone(proc.poll(), "the program ended")
        self.assertEqual(message_boxes(self.x.display, proc.pid), [])

    def test_first_run_writes_the_values_and_the_entry_and_the_next_start_writes_nothing(self):
        folders = Folders()
        self.addCleanup(folders.remove)
        proc = self.run_program(folders)
        values = wait_for(lambda: settings_values(folders.hive), 20, "the settings key")
        self.assertEqual(values, DEFAULTS)
        self.assertEqual(list(values), list(DEFAULTS))  # in this order
        self.assertEqual(os.stat(folders.hive).st_mode & 0o777, 0o600)
        self.assertTrue(os.path.exists(folders.entry))
        with open(folders.entry) as f:
            self.assertIn(f'Exec="{self.binary}"\n', f.read())
        check = subprocess.run(["desktop-file-validate", folders.entry], capture_output=True, text=True)
        self.assertEqual((check.returncode, check.stdout), (0, ""))
        self.assert_running_without_message(proc)
        end(proc)

        before = os.stat(folders.hive)
        with open(folders.hive, "rb") as f:
            text = f.read()
        second = self.run_program(folders)
        time.sleep(1.5)
        self.assert_running_without_message(second)
        after = os.stat(folders.hive)
        self.assertEqual((after.st_ino, after.st_mtime_ns), (before.st_ino, before.st_mtime_ns))
        with open(folders.hive, "rb") as f:
            self.assertEqual(f.read(), text)

    def test_autostart_folder_not_writable_no_entry_and_nothing_shown(self):
        # An ordinary user (nobody when the test runs as root) and a system folder of root's.
        folders = Folders(owner=NOBODY if os.geteuid() == 0 else None)
        self.addCleanup(folders.remove)
        os.makedirs(folders.autostart)
        os.chmod(folders.autostart, 0o555)
        self.addCleanup(os.chmod, folders.autostart, 0o755)
        proc = self.run_program(folders, as_user=NOBODY)
        values = wait_for(lambda: settings_values(folders.hive), 20, "the settings key")
        self.assertEqual(values, DEFAULTS)
        self.assert_running_without_message(proc)
        self.assertEqual(os.listdir(folders.autostart), [])

    def test_key_without_values_installation_error_then_the_end(self):
        folders = Folders()
        self.addCleanup(folders.remove)
        os.makedirs(os.path.dirname(folders.hive))
        text = f"Windows Registry Editor Version 5.00\n\n[{SETTINGS_KEY}]\n"
        with open(folders.hive, "w") as f:
            f.write(text)
        proc = self.run_program(folders)
        boxes = wait_for(lambda: message_boxes(self.x.display, proc.pid), 20, "the message box")
        env = {"DISPLAY": self.x.display}
        subprocess.run(["xdotool", "windowfocus", "--sync", boxes[0]], env=env, check=True)
        subprocess.run(["xdotool", "key", "Return"], env=env, check=True)
        self.assertEqual(proc.wait(10), 0)
        # Nothing was written: no defaults for a key that exists.
        with open(folders.hive) as f:
            self.assertEqual(f.read(), text)


if __name__ == "__main__":
    unittest.main()
