#!/usr/bin/env python3
"""Writes a Windows icon file whose images are the given PNG files (square, at most 256 px)."""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("not a PNG file")
    return struct.unpack(">II", data[16:24])


def main():
    if len(sys.argv) < 3:
        raise SystemExit("usage: make_ico.py OUT.ico IMAGE.png...")
    images = [open(path, "rb").read() for path in sys.argv[2:]]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, blobs = b"", b""
    for data in images:
        width, height = png_size(data)
        if width > 256 or height > 256:
            raise SystemExit("an icon image is at most 256 pixels wide")
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        blobs += data
    with open(sys.argv[1], "wb") as out:
        out.write(header + entries + blobs)


main()
