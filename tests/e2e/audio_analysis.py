"""Measures recorded sound: tones by their zero crossings, sounds by their level."""

import array
import os
import wave


def notify_sound(prefix):
    """The notification sound file of the program installed under prefix."""
    return os.path.join(prefix, "share", "corvane", "Media", "notify.wav")


def read_wav(path):
    """(sample rate, mono 16-bit samples as floats in -1..1) of a wave file."""
    with wave.open(path, "rb") as w:
        if w.getsampwidth() != 2:
            raise AssertionError(f"{path}: {8 * w.getsampwidth()}-bit samples, expected 16-bit")
        channels = w.getnchannels()
        rate = w.getframerate()
        data = array.array("h", w.readframes(w.getnframes()))
    samples = [data[i] / 32768.0 for i in range(0, len(data), channels)]
    return rate, samples


def audible_span(samples, rate, threshold=0.01):
    """(first, last) time in ms where the level passes the threshold, or None for silence."""
    first = next((i for i, s in enumerate(samples) if abs(s) > threshold), None)
    if first is None:
        return None
    last = next(i for i in range(len(samples) - 1, -1, -1) if abs(samples[i]) > threshold)
    return first * 1000.0 / rate, last * 1000.0 / rate


def peak(samples):
    return max((abs(s) for s in samples), default=0.0)


def find_tones(samples, rate, threshold=0.02, same_hz=4.0, min_periods=5):
    """Tones following one another with or without gaps, as dicts of hz, start_ms, end_ms, ms.

    Each period between two upward zero crossings (interpolated between samples) gives a
    frequency; consecutive periods of nearly the same frequency form one tone. A period in
    silence, or one much longer than the tones', ends the current tone.
    """
    n = len(samples)
    window = max(1, rate // 1000)  # 1 ms
    loud = [False] * n
    for start in range(0, n, window):
        chunk = samples[start:start + window]
        if peak(chunk) > threshold:
            for i in range(start, min(n, start + window)):
                loud[i] = True
    crossings = []
    for i in range(1, n):
        a, b = samples[i - 1], samples[i]
        if a < 0 <= b and (loud[i] or loud[i - 1]):
            crossings.append((i - 1 + a / (a - b)) / rate)
    tones = []
    current = []  # (start, end, hz) periods

    def close():
        if len(current) >= min_periods:
            freqs = sorted(p[2] for p in current)
            hz = freqs[len(freqs) // 2]
            start, end = current[0][0], current[-1][1]
            tones.append({"hz": hz, "start_ms": start * 1000, "end_ms": end * 1000})
        current.clear()

    def edge(index, step, limit):
        # Walks from a tone's outermost crossing to where its sound fades below the silence level.
        while index != limit and abs(samples[index + step]) > quiet:
            index += step
        return index

    quiet = threshold / 10
    for t0, t1 in zip(crossings, crossings[1:]):
        hz = 1.0 / (t1 - t0)
        if hz < 50:  # a gap of silence
            close()
            continue
        if current:
            recent = sorted(p[2] for p in current[-5:])[len(current[-5:]) // 2]
            if abs(hz - recent) > same_hz:
                close()
        current.append((t0, t1, hz))
    close()
    # The faded first and last periods hold no counted crossing: measure each tone's length from
    # where its sound begins to where it ends, without reaching into a neighbour.
    for i, tone in enumerate(tones):
        low = int(tones[i - 1]["end_ms"] * rate / 1000) if i > 0 else 0
        high = int(tones[i + 1]["start_ms"] * rate / 1000) if i + 1 < len(tones) else n - 1
        first = edge(int(tone["start_ms"] * rate / 1000), -1, max(low, int(tone["start_ms"] * rate / 1000) - window * 5))
        last = edge(int(tone["end_ms"] * rate / 1000), 1, min(high, int(tone["end_ms"] * rate / 1000) + window * 5))
        tone["ms"] = (last - first + 1) * 1000.0 / rate
    return tones


def bursts(samples, rate, gap_ms, window_ms=5, level=0.02):
    """(start ms, end ms, peak) of each audible stretch, in windows of window_ms whose peak passes
    level; silences shorter than gap_ms join stretches."""
    step = max(1, rate * window_ms // 1000)
    found = []
    for index, start in enumerate(range(0, len(samples), step)):
        top = peak(samples[start:start + step])
        if top < level:
            continue
        t = index * window_ms
        if found and t - found[-1][1] <= gap_ms:
            found[-1] = (found[-1][0], t + window_ms, max(found[-1][2], top))
        else:
            found.append((t, t + window_ms, top))
    return found
