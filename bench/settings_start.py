#!/usr/bin/python3
"""How the size of the settings file weighs on the start.

    bench/settings_start.py [BINARY] [--starts 5]

Starts the program in the private desktop of the end-to-end tests on three settings files, the
same five options in each: alone (5 values), with 39,995 more values in the same key (40,000),
and padded to 50 MB. Prints, for each, the median time from exec to the tray icon and to the main
window, and the aims: 40,000 values start within a factor of 2 of five values, and the 50 MB file
costs under 2 s more than the five-value one (its reading and parsing).

BINARY defaults to the release build's installed program, build/default-install/bin/corvane
(cmake --preset default && cmake --build --preset default && cmake --install build/default),
else the test build's, build/test/e2e-install/bin/corvane (slower: sanitizers).
"""

import argparse
import os
import statistics
import sys
import time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(TOP, "tests", "e2e"))

from desktop import DEFAULTS, SETTINGS_KEY, Desktop  # noqa: E402

FIFTY_MB = 50 * 1024 * 1024


def settings_text(extra_values=0, pad_to=0):
    lines = ["Windows Registry Editor Version 5.00", "", f"[{SETTINGS_KEY}]"]
    lines += [f'"{name}"=dword:{value:08x}' for name, value in DEFAULTS.items()]
    lines += [f'"extra{i}"=dword:{i:08x}' for i in range(extra_values)]
    text = "\n".join(lines) + "\n"
    if pad_to:
        filler = '"pad{}"="' + "x" * 80 + '"\n'
        parts = [text]
        size, i = len(text), 0
        while size < pad_to:
            line = filler.format(i)
            parts.append(line)
            size += len(line)
            i += 1
        text = "".join(parts)
    return text.encode()


def start_times(d, binary, text, starts):
    """Median milliseconds from exec to the tray icon and to the main window."""
    to_icon, to_window = [], []
    for _ in range(starts):
        folders = d.user_folders()
        os.makedirs(os.path.dirname(folders.hive))
        with open(folders.hive, "wb") as f:
            f.write(text)
        began = time.monotonic()
        proc = d.start_corvane(binary=binary, env=folders.env)
        icon = window = None
        while (icon is None or window is None) and time.monotonic() - began < 120:
            if icon is None and d.tray_icon(proc.pid):
                icon = (time.monotonic() - began) * 1000
            if window is None and d.main_window(proc.pid):
                window = (time.monotonic() - began) * 1000
            time.sleep(0.005)
        d.stop(proc)
        folders.remove()
        if icon is None or window is None:
            raise SystemExit("the program did not show its tray icon and window within 120 s")
        to_icon.append(icon)
        to_window.append(window)
    return statistics.median(to_icon), statistics.median(to_window)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("binary", nargs="?")
    parser.add_argument("--starts", type=int, default=5)
    args = parser.parse_args()
    binary = args.binary
    if binary is None:
        for candidate in ("build/default-install/bin/corvane", "build/test/e2e-install/bin/corvane"):
            if os.access(os.path.join(TOP, candidate), os.X_OK):
                binary = os.path.join(TOP, candidate)
                break
    if binary is None:
        raise SystemExit("no installed program: see the usage above")
    os.environ.setdefault("ASAN_OPTIONS", "detect_leaks=0")
    files = {"5 values": settings_text(), "40,000 values": settings_text(extra_values=39995),
             "50 MB": settings_text(pad_to=FIFTY_MB)}
    print(f"program: {os.path.realpath(binary)}")
    results = {}
    with Desktop(tray=True) as d:
        for label, text in files.items():
            icon, window = start_times(d, binary, text, args.starts)
            results[label] = icon
            print(f"{label:>14} ({len(text) / 1024 / 1024:6.2f} MiB): tray icon {icon:7.0f} ms, "
                  f"window {window:7.0f} ms", flush=True)
    ratio = results["40,000 values"] / results["5 values"]
    extra = (results["50 MB"] - results["5 values"]) / 1000
    print(f"40,000 values / 5 values: {ratio:.2f} (aim: under 2) {'met' if ratio < 2 else 'NOT met'}")
    print(f"50 MB costs {extra:.2f} s more (aim: under 2 s) {'met' if extra < 2 else 'NOT met'}")
    return 0 if ratio < 2 and extra < 2 else 1


if __name__ == "__main__":
    sys.exit(main())
