#!/usr/bin/python3
"""Kills writers of the settings file at random moments and checks what is left.

1. A registry client writing the settings file in a loop (three equal numbers and a padding
   text, one write each round) is killed with SIGKILL at random moments, --kills times: the
   file must parse every time and hold one written state (the three numbers equal).
2. The installed program is killed with SIGKILL at a random moment of its first run on fresh
   XDG folders, --first-runs times, and then started again: that start must either run the
   first run again or find all five values; none may end with the installation error, and no
   temporary file of the autostart entry (.Corvane.desktop.XXXXXX.corvane-tmp) may be left.

    bench/settings_kill_bars.py [--build build/test] [--prefix PREFIX] [--kills 200] [--first-runs 100]

Needs the test build (for the registry client) and the program installed into PREFIX
(cmake --install build/test --prefix build/test/e2e-install). Every process it starts, it ends.
"""

import argparse
import os
import random
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from desktop import DEFAULTS, Desktop, parse_hive, settings_values  # noqa: E402


def kill_writers(d, tool, kills):
    folders = d.user_folders()
    counts = {"kills": 0, "unparseable": 0, "torn states": 0, "states > 1": 0, "slow restarts": 0}
    try:
        for _ in range(kills):
            began = time.monotonic()
            writer = d.spawn([tool, folders.hive, folders.autostart, "loop", "Software\\Loop"], name="hive_tool",
                             stdout=subprocess.PIPE)
            writer.stdout.readline()  # "ready": written once, from here on it only writes
            if time.monotonic() - began > 1.0:
                counts["slow restarts"] += 1
            time.sleep(random.uniform(0, 0.015))
            os.kill(writer.pid, signal.SIGKILL)
            writer.wait()
            writer.stdout.close()
            counts["kills"] += 1
            try:
                values = parse_hive(folders.hive)["HKEY_CURRENT_USER\\Software\\Loop"]
            except (ValueError, KeyError, OSError):
                counts["unparseable"] += 1
                continue
            if not (values["a"] == values["b"] == values["c"]):
                counts["torn states"] += 1
            elif values["a"] > 1:
                counts["states > 1"] += 1
        counts["files left"] = sorted(os.listdir(os.path.dirname(folders.hive)))
    finally:
        folders.remove()
    return counts


def first_run_time(d, binary):
    """How long a first run takes here, from the start to the settings on disk."""
    longest = 0.0
    for _ in range(3):
        folders = d.user_folders()
        began = time.monotonic()
        proc = d.start_corvane(binary=binary, env=folders.env)
        while settings_values(folders.hive) != DEFAULTS and time.monotonic() - began < 30:
            time.sleep(0.005)
        longest = max(longest, time.monotonic() - began)
        d.stop(proc)
        folders.remove()
    return longest


def entry_temporaries(folders):
    """How many temporary files of the autostart entry are in the user's autostart folder."""
    if not os.path.isdir(folders.autostart):
        return 0
    return sum(name.startswith(".Corvane.desktop.") and name.endswith(".corvane-tmp")
               for name in os.listdir(folders.autostart))


def kill_first_runs(d, binary, runs):
    counts = {"runs": 0, "killed before the settings": 0, "killed after": 0, "killed with a partial key": 0,
              "entry without settings": 0, "next start ran the first run": 0, "next start found the values": 0,
              "installation errors": 0, "next start never settled": 0, "killed with an entry temporary": 0,
              "entry temporaries left": 0}
    window = first_run_time(d, binary) * 1.3
    counts["kill window s"] = round(window, 3)
    for _ in range(runs):
        folders = d.user_folders()
        try:
            proc = d.start_corvane(binary=binary, env=folders.env)
            time.sleep(random.uniform(0, window))
            proc.kill()
            proc.wait()
            counts["runs"] += 1
            before = settings_values(folders.hive)
            if before is None:
                counts["killed before the settings"] += 1
                if os.path.exists(folders.entry):
                    counts["entry without settings"] += 1
            elif before == DEFAULTS:
                counts["killed after"] += 1
            else:
                counts["killed with a partial key"] += 1
            if entry_temporaries(folders):
                counts["killed with an entry temporary"] += 1

            again = d.start_corvane(binary=binary, env=folders.env)
            deadline = time.monotonic() + 30
            outcome = "next start never settled"
            while time.monotonic() < deadline:
                if d.message_boxes(again.pid):
                    outcome = "installation errors"
                    break
                if settings_values(folders.hive) == DEFAULTS:
                    time.sleep(0.3)  # past the readers
                    if d.message_boxes(again.pid):
                        outcome = "installation errors"
                    elif again.poll() is None:
                        outcome = ("next start ran the first run" if before is None
                                   else "next start found the values")
                    break
                time.sleep(0.02)
            counts[outcome] += 1
            counts["entry temporaries left"] += entry_temporaries(folders)
            d.stop(again)
        finally:
            folders.remove()
    return counts


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build/test")
    parser.add_argument("--prefix", default=None)
    parser.add_argument("--kills", type=int, default=200)
    parser.add_argument("--first-runs", type=int, default=100)
    args = parser.parse_args()
    prefix = args.prefix or os.path.join(args.build, "e2e-install")
    tool = os.path.join(args.build, "bin", "corvane_hive_tool")
    binary = os.path.realpath(os.path.join(prefix, "bin", "corvane"))
    os.environ.setdefault("ASAN_OPTIONS", "detect_leaks=0")

    with Desktop(tray=False) as d:
        writers = kill_writers(d, tool, args.kills)
        print("writer killed in a loop:", writers)
        first_runs = kill_first_runs(d, binary, args.first_runs)
    print("program killed in its first run:", first_runs)
    ok = (writers["unparseable"] == 0 and writers["torn states"] == 0 and first_runs["installation errors"] == 0
          and first_runs["killed with a partial key"] == 0 and first_runs["next start never settled"] == 0
          and first_runs["entry temporaries left"] == 0)
    print("bars", "met" if ok else "NOT met")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
