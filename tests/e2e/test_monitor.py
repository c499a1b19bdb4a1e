"""The monitor figures, the appearance buttons and the hourly beep of the installed program in
a private desktop: the title bar's memory figure agrees with /proc/meminfo and has its exact
form; with the figures off the window manager's title is empty; a stored always-on-top and
transparency give _NET_WM_STATE_ABOVE and opacity 0x80808080 from the start, and a click on
each button brings the window back to normal where it was; at a full hour of up time the
null sink's monitor holds the sweep of 21 tones from 500 down to 300 Hz, once."""

import os
import re
import sys
import time

from audio_analysis import find_tones, read_wav
from desktop import SETTINGS_KEY, check, run_checks, settings_values, wait_for

HALF_OPAQUE = 0x80808080
SWEEP = list(range(500, 299, -10))
# Where the buttons sit in the window at 15 twips a pixel: the on-top button in its on-top place
# (340, 616 twips), the transparency button at (1630, 791); the centre of each.
ON_TOP_BUTTON_RAISED = (29, 49)
TRANSPARENCY_BUTTON = (115, 63)


def hive_path(d):
    return os.path.join(d.env["XDG_CONFIG_HOME"], "corvane", "user.reg")


def store(d, **values):
    """The settings file with the first run's values and the given ones."""
    options = {"autoaddstp": 1, "hrbeep": 1, "Ontop": 0, "ShowMemCpu": 1, "tpme": 0, **values}
    lines = [f'"{name}"=dword:{value:08x}' for name, value in options.items()]
    os.makedirs(os.path.dirname(hive_path(d)), exist_ok=True)
    with open(hive_path(d), "w") as f:
        f.write(f"Windows Registry Editor Version 5.00\n\n[{SETTINGS_KEY}]\n" + "\n".join(lines) + "\n")


def text_property(d, window, name):
    """A text property's value, "" when empty, None when missing."""
    out = d.property(window, name)
    m = re.search(r'= "(.*)"$', out)
    if m:
        return m.group(1)
    return "" if out.endswith("=") or out.endswith("= ") else None


def cardinal(d, window, name):
    m = re.search(r"= (\d+)$", d.property(window, name))
    return int(m.group(1)) if m else None


def mem_available_mb():
    with open("/proc/meminfo") as f:
        return int(re.search(r"^MemAvailable:\s+(\d+) kB", f.read(), re.M).group(1)) // 1024


def start(d, env=None):
    proc = d.start_corvane(env=env)
    wait_for(lambda: d.main_window(proc.pid), 30, "the main window")

    # A stored on-top state is applied after the first show, and the window system then makes
    # a new window: follow whichever window the program shows now until its slide has ended.
    last_row = d.work_area()[1] - 1

    def slid_in():
        window = d.main_window(proc.pid)
        return window if window and (d.frame_geometry(window) or {}).get("y") == last_row else None

    return proc, wait_for(slid_in, 20, "the slide to end")


def caption(d, artifacts):
    proc, window = start(d)
    pattern = re.compile(r" Mem (\d+)  CPU (\d+)%")
    title = wait_for(lambda: pattern.fullmatch(text_property(d, window, "_NET_WM_NAME") or ""), 10,
                     "the figures in the title")
    check("the title reads \" Mem <MB>  CPU <n>%\"", title, text_property(d, window, "_NET_WM_NAME"))
    # The title is up to a second old and memory moves on a busy machine: the figure shown must
    # agree with one read during the second before it, in one of a few tries.
    for attempt in range(5):
        seen = []
        for _ in range(12):
            seen.append(mem_available_mb())
            time.sleep(0.1)
        shown = int(pattern.fullmatch(text_property(d, window, "_NET_WM_NAME")).group(1))
        if any(abs(shown - mb) <= 64 for mb in seen):
            break
    check("its memory figure agrees with /proc/meminfo", any(abs(shown - mb) <= 64 for mb in seen),
          f"{shown} MB shown, {min(seen)} to {max(seen)} MB available")
    check("the processor figure is a share", 0 <= int(title.group(2)) <= 100, title.group(0))
    check("WM_NAME carries the same text", pattern.fullmatch(text_property(d, window, "WM_NAME") or ""),
          d.property(window, "WM_NAME"))
    if artifacts:
        d.screenshot(os.path.join(artifacts, "monitor-caption.png"))
    d.stop(proc)


def caption_off(d, artifacts):
    store(d, ShowMemCpu=0)
    proc, window = start(d)
    time.sleep(2.5)  # two ticks of the caption timer, were it running
    check("_NET_WM_NAME is empty", text_property(d, window, "_NET_WM_NAME") == "", d.property(window, "_NET_WM_NAME"))
    check("WM_NAME is empty", text_property(d, window, "WM_NAME") in ("", None), d.property(window, "WM_NAME"))
    check("the program runs on", proc.poll() is None)
    d.stop(proc)


def appearance(d, artifacts):
    store(d, Ontop=1, tpme=1)
    proc, window = start(d)
    check("on top from the start", "_NET_WM_STATE_ABOVE" in d.property(window, "_NET_WM_STATE"),
          d.property(window, "_NET_WM_STATE"))
    check("half transparent from the start", cardinal(d, window, "_NET_WM_WINDOW_OPACITY") == HALF_OPAQUE,
          d.property(window, "_NET_WM_WINDOW_OPACITY"))
    place = d.frame_geometry(window)
    if artifacts:
        d.screenshot(os.path.join(artifacts, "monitor-on-top.png"))

    d.click(window, *ON_TOP_BUTTON_RAISED)
    # The window system makes a new window for the new band.
    window = wait_for(lambda: (lambda w: w if w and "_NET_WM_STATE_ABOVE" not in d.property(w, "_NET_WM_STATE")
                               else None)(d.main_window(proc.pid)), 10, "the window back in the normal band")
    wait_for(lambda: (d.frame_geometry(window) or {}).get("y") == place["y"], 5, "the window in its place")
    moved = d.frame_geometry(window)
    check("the window stays where it was", (moved["x"], moved["y"]) == (place["x"], place["y"]),
          f"before {place}, after {moved}")
    check("and stays half transparent", cardinal(d, window, "_NET_WM_WINDOW_OPACITY") == HALF_OPAQUE,
          d.property(window, "_NET_WM_WINDOW_OPACITY"))
    check("Ontop stored 0", wait_for(lambda: (settings_values(hive_path(d)) or {}).get("Ontop") == 0, 5, "Ontop 0"))

    d.click(window, *TRANSPARENCY_BUTTON)
    wait_for(lambda: cardinal(d, window, "_NET_WM_WINDOW_OPACITY") in (None, 0xFFFFFFFF), 5, "full opacity")
    check("opaque after the second click", True)
    check("tpme stored 0", wait_for(lambda: (settings_values(hive_path(d)) or {}).get("tpme") == 0, 5, "tpme 0"))
    check("nothing else changed", settings_values(hive_path(d)) ==
          {"autoaddstp": 1, "hrbeep": 1, "Ontop": 0, "ShowMemCpu": 1, "tpme": 0})
    d.stop(proc)


def hourly_sweep(d, artifacts):
    # The program's up time reaches the next full hour but one about six seconds after its start.
    now_ms = int(time.clock_gettime(time.CLOCK_BOOTTIME) * 1000)
    hour_ms = 3_600_000
    shift = (now_ms // hour_ms + 2) * hour_ms - 6_000 - now_ms
    recording = os.path.join(d.tmp, "hour.wav")
    rec = d.record_start(recording)
    try:
        time.sleep(0.2)
        started = time.monotonic()
        proc, _window = start(d, env={"LD_PRELOAD": os.environ["CORVANE_BOOTTIME_SHIFT"],
                                      "CORVANE_E2E_BOOTTIME_SHIFT_MS": str(shift),
                                      "ASAN_OPTIONS": "detect_leaks=0:verify_asan_link_order=0"})
        # The full hour, the sweep, and five seconds more in which nothing may sound again.
        time.sleep(max(0.0, 6.0 + 1.2 + 5.0 - (time.monotonic() - started)))
    finally:
        d.record_stop(rec)
    check("the program runs on", proc.poll() is None, d.log_of(proc)[-400:])
    rate, samples = read_wav(recording)
    tones = find_tones(samples, rate)
    print("recorded:", " ".join(f"{t['hz']:.0f}Hz@{t['start_ms']:.0f}ms" for t in tones), file=sys.stderr)
    check("21 tones", len(tones) == 21, f"{len(tones)} tones")
    check("from 500 down to 300 Hz", all(abs(t["hz"] - want) <= 3 for t, want in zip(tones, SWEEP)),
          [round(t["hz"]) for t in tones])
    span = tones[-1]["end_ms"] - tones[0]["start_ms"]
    check("in one sweep of about a second", 1000 <= span <= 1500, f"{span:.0f} ms")
    d.stop(proc)


if __name__ == "__main__":
    sys.exit(run_checks((caption, {}), (caption_off, {}), (appearance, {}), (hourly_sweep, {"audio": True})))
