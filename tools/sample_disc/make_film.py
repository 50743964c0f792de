#!/usr/bin/env python3
"""Makes a small trailer for the sample disc: a Motion-JPEG AVI that shows JPEG pictures one after another.

Usage: make_film.py OUT.avi SECONDS PICTURE.jpg...

Two frames a second; the pictures share the time equally. Every player that reads AVI plays Motion JPEG, and
the standard library is enough to write it.
"""
import struct
import sys

FPS = 2


def chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def riff_list(kind, fourcc, data):
    return kind + struct.pack("<I", len(data) + 4) + fourcc + data


def jpeg_size(data):
    """(width, height) from the frame header of a baseline or progressive JPEG."""
    i = 2
    while i + 9 < len(data):
        if data[i] != 0xFF:
            raise SystemExit("make_film: not a JPEG picture")
        marker = data[i + 1]
        length = struct.unpack(">H", data[i + 2:i + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2):
            height, width = struct.unpack(">HH", data[i + 5:i + 9])
            return width, height
        i += 2 + length
    raise SystemExit("make_film: a JPEG picture without a frame header")


def main():
    if len(sys.argv) < 4:
        raise SystemExit("usage: make_film.py OUT.avi SECONDS PICTURE.jpg...")
    out, seconds, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    pictures = [open(f, "rb").read() for f in files]
    width, height = jpeg_size(pictures[0])
    frames = [pictures[n * len(pictures) // (seconds * FPS)] for n in range(seconds * FPS)]
    largest = max(len(p) for p in pictures)

    avih = struct.pack("<10I4I", 1000000 // FPS, largest * FPS, 0, 0x10, len(frames), 0, 1, largest, width,
                       height, 0, 0, 0, 0)
    strh = b"vidsMJPG" + struct.pack("<IHHIIIIIIiI4h", 0, 0, 0, 0, 1, FPS, 0, len(frames), largest, -1, 0, 0, 0,
                                     width, height)
    strf = struct.pack("<IiiHH4sIiiII", 40, width, height, 1, 24, b"MJPG", width * height * 3, 0, 0, 0, 0)
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                     riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))

    movi_data = b""
    index = b""
    for frame in frames:
        # Index offsets count from the 'movi' identifier.
        index += b"00dc" + struct.pack("<III", 0x10, 4 + len(movi_data), len(frame))
        movi_data += chunk(b"00dc", frame)
    movi = riff_list(b"LIST", b"movi", movi_data)
    body = hdrl + movi + chunk(b"idx1", index)
    with open(out, "wb") as f:
        f.write(riff_list(b"RIFF", b"AVI ", body))


if __name__ == "__main__":
    main()
