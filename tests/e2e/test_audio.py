"""The real audio services on a private PulseAudio with a null sink whose monitor is recorded:
the Test sweep, the notification sound, a missing sound file, no sound server at all, and
Qt Multimedia staying unloaded until the first sound."""

import json
import os
import shutil
import sys
import time
import unittest

from audio_analysis import audible_span, find_tones, notify_sound, peak, read_wav
from desktop import Desktop

PROBE = os.environ["CORVANE_AUDIO_PROBE"]
PREFIX = os.environ["CORVANE_PREFIX"]
SWEEP = list(range(500, 299, -10))


def make_prefix(root, with_sound=True):
    """A prefix holding a copy of the probe in bin/ and the installed program's other folders,
    so the probe finds the data folder and the audio module as the installed program does."""
    os.makedirs(os.path.join(root, "bin"))
    shutil.copy2(PROBE, os.path.join(root, "bin"))
    for entry in os.listdir(PREFIX):
        if entry not in ("bin", "share"):
            os.symlink(os.path.join(PREFIX, entry), os.path.join(root, entry))
    os.makedirs(os.path.join(root, "share"))
    if with_sound:
        os.symlink(os.path.join(PREFIX, "share", "corvane"), os.path.join(root, "share", "corvane"))
    else:
        os.makedirs(os.path.join(root, "share", "corvane"))
    return os.path.join(root, "bin", os.path.basename(PROBE))


class AudioTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(audio=True, tray=False).__enter__()
        cls.tmp = cls.desktop.tmp
        cls.probe = make_prefix(os.path.join(cls.tmp, "prefix"))
        cls.bare_probe = make_prefix(os.path.join(cls.tmp, "bare"), with_sound=False)
        cls.wav = notify_sound(PREFIX)

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()

    def run_probe(self, *args, probe=None, env=None, timeout=30):
        started = time.monotonic()
        done = self.desktop.run([probe or self.probe, *args], env=env, timeout=timeout)
        took = (time.monotonic() - started) * 1000
        self.assertEqual(done.returncode, 0, done.stderr)
        return [json.loads(line) for line in done.stdout.splitlines()], took

    def recorded(self, *args, probe=None):
        path = os.path.join(self.tmp, f"rec-{time.monotonic_ns()}.wav")
        rec = self.desktop.record_start(path)
        try:
            time.sleep(0.2)  # the recording runs before the sound starts
            events, _ = self.run_probe(*args, probe=probe)
            time.sleep(0.3)
        finally:
            self.desktop.record_stop(rec)
        rate, samples = read_wav(path)
        return events, rate, samples

    def test_sweep_plays_21_tones_500_down_to_300_hz_of_50_ms(self):
        events, rate, samples = self.recorded("sweep")
        tones = find_tones(samples, rate)
        print("sweep:", " ".join(f"{t['hz']:.1f}Hz/{t['ms']:.1f}ms" for t in tones), file=sys.stderr)
        self.assertEqual(len(tones), 21, tones)
        for want, tone in zip(SWEEP, tones):
            self.assertAlmostEqual(tone["hz"], want, delta=3, msg=tone)
            # The monitor misses ~2 ms at some tones' starts (the sink rewinds when a stream joins).
            self.assertAlmostEqual(tone["ms"], 50, delta=7, msg=tone)
        recorded_ms = tones[-1]["end_ms"] - tones[0]["start_ms"]
        total_ms = next(e["total_ms"] for e in events if e["event"] == "sweep")
        print(f"sweep: {recorded_ms:.0f} ms recorded, {total_ms:.0f} ms in the caller", file=sys.stderr)
        # Each call returns when its tone has played: the caller waits the whole sweep.
        self.assertGreaterEqual(total_ms, 21 * 50 - 10)
        self.assertLess(total_ms, 1600)
        self.assertLess(recorded_ms, 1400)
        for e in (e for e in events if e["event"] == "tone"):
            self.assertGreaterEqual(e["end_ms"] - e["start_ms"], 45, e)

    def test_notify_sound_plays_whole_without_blocking_and_ends_once(self):
        _, file_samples = read_wav(self.wav)
        file_span = audible_span(file_samples, 44100)
        events, rate, samples = self.recorded("play")
        kinds = [e["event"] for e in events]
        self.assertEqual(kinds, ["start", "playing", "finished", "done"], events)
        self.assertEqual(events[-1]["ends"], 1)
        span = audible_span(samples, rate)
        self.assertIsNotNone(span, "the recording is silent")
        sound_ms = span[1] - span[0]
        print(f"notify: {sound_ms:.0f} ms recorded, file {file_span[1] - file_span[0]:.0f} ms, "
              f"peak {peak(samples):.3f}", file=sys.stderr)
        self.assertAlmostEqual(sound_ms, file_span[1] - file_span[0], delta=30)
        self.assertAlmostEqual(peak(samples), peak(file_samples), delta=0.1)
        # The two notes, in order.
        tones = find_tones(samples, rate, threshold=0.01, same_hz=15)
        self.assertAlmostEqual(tones[0]["hz"], 880, delta=15, msg=tones)
        self.assertTrue(any(abs(t["hz"] - 1318.5) < 15 for t in tones[1:]), tones)
        # play() returned at once; the end came once the sound had played.
        at = {e["event"]: e.get("ms") for e in events}
        self.assertLess(at["playing"] - at["start"], 500)
        self.assertGreater(at["finished"] - at["playing"], file_span[1] - file_span[0])

    def test_play_again_before_the_end_restarts_from_the_beginning(self):
        events, rate, samples = self.recorded("play", self.wav, "300")
        kinds = [e["event"] for e in events]
        self.assertEqual(kinds, ["start", "playing", "playing", "finished", "done"], events)
        span = audible_span(samples, rate)
        _, file_samples = read_wav(self.wav)
        file_span = audible_span(file_samples, 44100)
        # 300 ms of the first playback, then the whole sound once more.
        self.assertAlmostEqual(span[1] - span[0], 300 + file_span[1] - file_span[0], delta=60)

    def test_missing_sound_file_fails_at_once_and_plays_nothing(self):
        events, rate, samples = self.recorded("play", probe=self.bare_probe)
        self.assertEqual([e["event"] for e in events], ["start", "failed"], events)
        self.assertIn("does not exist", events[1]["error"])
        self.assertLess(events[1]["ms"] - events[0]["ms"], 50)
        self.assertIsNone(audible_span(samples, rate), "something played")

    def test_multimedia_is_loaded_with_the_first_sound(self):
        events, _ = self.run_probe("rss")
        idle, tone = events[0], events[1]
        print(f"rss: idle {idle['rss_kb']} kB, after the first tone {tone['rss_kb']} kB", file=sys.stderr)
        self.assertFalse(idle["multimedia"])
        self.assertTrue(tone["multimedia"])

    def test_sound_objects_released_before_exit_end_cleanly(self):
        for _ in range(5):
            events, _ = self.run_probe("play")
            self.assertEqual(events[-1], {"event": "done", "ends": 1})

    def test_without_a_sound_server_tones_wait_in_silence_and_playing_fails(self):
        env = {"PULSE_SERVER": "unix:" + os.path.join(self.tmp, "no-server")}
        events, took = self.run_probe("sweep", env=env)
        total_ms = events[-1]["total_ms"]
        print(f"no server: sweep {total_ms:.0f} ms", file=sys.stderr)
        self.assertGreaterEqual(total_ms, 21 * 50)
        self.assertLess(total_ms, 21 * 50 + 300)
        events, took = self.run_probe("play", env=env)
        self.assertEqual([e["event"] for e in events], ["start", "failed"], events)
        self.assertIn("no audio output", events[1]["error"])
        self.assertLess(events[1]["ms"] - events[0]["ms"], 500)
        self.assertLess(took, 5000)


if __name__ == "__main__":
    unittest.main(verbosity=2)
