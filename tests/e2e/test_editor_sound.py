"""The alert editor's Test button with real audio: the real editor on the real services in a
private desktop, clicked with the mouse. With PulseAudio and a null sink, the sink's monitor
holds the notification sound, as long as the file's sound; the end of playback is reported and
a later Test plays again from a closed player; a Test during playback starts the sound again
from the beginning; closing the editor during a playback ends cleanly. Without the sound file,
and without any sound server, Test brings up the missing-file warning at once and nothing
plays."""

import os
import shutil
import sys
import time

from audio_analysis import bursts, notify_sound, read_wav
from desktop import check, run_checks, wait_for

MISSING_FILE = ("The system sound file referred by 'Corvane' does not exist in your computer. it is "
                "recommend that you uncheck 'Play Sound' option and continue.")
SPAN_TOLERANCE_MS = 40


class Probe:
    """The alert editor on the real services; its lines read as events."""

    def __init__(self, d, windows_directory, lifetime_ms):
        self.d = d
        self.log_path = os.path.join(d.tmp, f"probe-{time.monotonic_ns()}.out")
        self.out = open(self.log_path, "wb")
        self.proc = d.spawn([os.environ["CORVANE_EDITOR_PROBE"], windows_directory, str(lifetime_ms)],
                            name="editor_sound_probe", stdout=self.out)
        line = wait_for(lambda: self.first("window"), 20, "the editor window")
        _, window, _, x, y = line.split()
        self.window, self.x, self.y = window, int(x), int(y)

    def lines(self):
        with open(self.log_path, errors="replace") as f:
            return [l.rstrip("\n") for l in f if l.endswith("\n")]

    def all(self, word):
        return [l for l in self.lines() if l.split(" ", 1)[0] == word]

    def first(self, word):
        found = self.all(word)
        return found[0] if found else None

    def times(self, word):
        return [int(l.split()[1]) for l in self.all(word)]

    def click_test(self):
        clicks = len(self.all("click"))
        self.d.click(self.window, self.x, self.y)
        wait_for(lambda: len(self.all("click")) > clicks, 10, "the click on Test")

    def close(self):
        """Closes the editor (SIGTERM to the probe); it must wind down and end cleanly."""
        status = self.d.stop(self.proc, timeout=10)
        self.out.close()
        check("the editor closes and the program ends cleanly", status == 0 and self.all("done"),
              f"status {status}, {self.lines()[-3:]}")


def test_playback(d, artifacts):
    prefix = os.environ["CORVANE_PREFIX"]
    source_rate, source = read_wav(notify_sound(prefix))
    # The file's own pauses must not split it; pauses between the test's clicks are longer.
    longest_pause = 0
    previous = None
    for start, end, _peak in bursts(source, source_rate, 0):
        if previous is not None:
            longest_pause = max(longest_pause, start - previous)
        previous = end
    gap = longest_pause + 100
    expected = bursts(source, source_rate, gap)
    check("the notification sound file is audible", len(expected) == 1, str(expected))
    length_ms = expected[0][1] - expected[0][0]
    file_peak = expected[0][2]
    duration_ms = len(source) * 1000 // source_rate
    print(f"info notify.wav: {duration_ms} ms, audible for {length_ms} ms, peak {file_peak:.2f}")

    recording = os.path.join(d.tmp, "monitor.wav")
    recorder = d.record_start(recording)
    probe = Probe(d, os.path.join(prefix, "share", "corvane"), lifetime_ms=60000)

    probe.click_test()
    wait_for(lambda: probe.all("ended"), 10, "the end of the first playback")
    time.sleep(0.3 + gap / 1000.0)
    probe.click_test()
    wait_for(lambda: probe.all("playing")[1:], 10, "the second playback")
    time.sleep(length_ms / 2000.0)
    probe.click_test()
    wait_for(lambda: probe.all("ended")[1:], 10, "the end of the restarted playback")
    time.sleep(0.3)
    d.record_stop(recorder)
    # Closing the editor during a playback takes the player with it.
    probe.click_test()
    wait_for(lambda: probe.all("playing")[2:], 10, "the last playback")
    probe.close()
    if artifacts:
        shutil.copy(recording, os.path.join(artifacts, "editor-test-monitor.wav"))

    clicks = probe.times("click")
    ended = probe.times("ended")
    check("four clicks on Test, no message", len(clicks) == 4 and not probe.all("message"), probe.lines())
    check("the end of the first playback is reported about the file's length after the click",
          length_ms <= ended[0] - clicks[0] <= duration_ms + 500, f"{ended[0] - clicks[0]} ms for {duration_ms} ms")

    rate, recorded = read_wav(recording)
    found = bursts(recorded, rate, gap)
    print(f"info recorded stretches (ms): {[(s, e, round(p, 2)) for s, e, p in found]}")
    check("the monitor holds two stretches of sound", len(found) == 2, str(found))
    first, second = found
    check("the first one is the notification sound, as long as the file's",
          abs((first[1] - first[0]) - length_ms) <= SPAN_TOLERANCE_MS, f"{first[1] - first[0]} ms")
    check("it plays at the file's level", first[2] >= 0.7 * file_peak, f"{first[2]:.2f}")
    restart = clicks[2] - clicks[1]
    print(f"info click to end reported: {ended[0] - clicks[0]} ms; first stretch {first[1] - first[0]} ms; "
          f"second {second[1] - second[0]} ms with the restart {restart} ms after its start")
    check("Test during playback starts it again: the second lasts the restart delay plus the file",
          abs((second[1] - second[0]) - (restart + length_ms)) <= SPAN_TOLERANCE_MS + 20,
          f"{second[1] - second[0]} ms, restart after {restart} ms")


def test_missing_file(d, artifacts):
    empty = os.path.join(d.tmp, "no-media")
    os.makedirs(empty)
    recording = os.path.join(d.tmp, "monitor.wav")
    recorder = d.record_start(recording)
    probe = Probe(d, empty, lifetime_ms=60000)
    probe.click_test()
    wait_for(lambda: probe.all("message"), 10, "the warning")
    time.sleep(1.0)
    d.record_stop(recorder)
    probe.close()
    message = probe.first("message")
    check("without the file Test shows the missing-file warning",
          message.split(" ", 2)[2] == "Corvane | " + MISSING_FILE, message)
    check("the player never started", not probe.all("playing"), probe.lines())
    rate, recorded = read_wav(recording)
    check("nothing plays", not bursts(recorded, rate, 0))


def test_no_sound_server(d, artifacts):
    prefix = os.environ["CORVANE_PREFIX"]
    started = time.monotonic()
    probe = Probe(d, os.path.join(prefix, "share", "corvane"), lifetime_ms=60000)
    check("the editor opens without a sound server", probe.window)
    probe.click_test()
    wait_for(lambda: probe.all("message"), 10, "the warning")
    message = probe.first("message")
    check("Test shows the missing-file warning", message.split(" ", 2)[2] == "Corvane | " + MISSING_FILE,
          message)
    took = int(message.split()[1]) - probe.times("click")[0]
    check("at once, without hanging", took < 3000, f"{took} ms")
    probe.close()
    print(f"info no sound server: warning {took} ms after the click, {time.monotonic() - started:.1f} s in all")


if __name__ == "__main__":
    sys.exit(run_checks((test_playback, {"audio": True, "tray": False}),
                        (test_missing_file, {"audio": True, "tray": False}),
                        (test_no_sound_server, {"tray": False})))
