#!/usr/bin/env python3
"""Writes stand-in files of the right kinds and sizes for the payload records
(skin bitmaps, skin settings, license) until the real product is built.

usage: make_placeholder_payload.py OUTDIR
"""
import os
import struct
import sys

BITMAPS = {
    200: (31, 23), 201: (103, 20), 202: (425, 30), 203: (80, 20), 204: (25, 17),
    205: (25, 17), 206: (103, 20), 207: (106, 23), 208: (38, 23), 209: (43, 23),
    210: (31, 23), 211: (25, 17), 212: (103, 20), 216: (135, 27), 218: (31, 23),
    219: (31, 23), 225: (491, 30), 226: (301, 570), 227: (301, 735), 228: (650, 570),
    229: (716, 735), 230: (104, 20), 231: (103, 19),
}


def bmp(width, height, colour):
    stride = (width * 3 + 3) & ~3
    row = bytes(colour) * width + b"\0" * (stride - width * 3)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def license_rtf():
    body = "".join(
        "\\b %d. Section %d\\b0\\par This placeholder license text stands in for the "
        "real agreement until the product is built. \\par\n" % (i, i) for i in range(1, 16))
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs18 " + body + "}"


def main(out):
    os.makedirs(out, exist_ok=True)
    for number, (w, h) in BITMAPS.items():
        with open(os.path.join(out, "%d.bmp" % number), "wb") as f:
            f.write(bmp(w, h, (number % 256, 128, 255 - number % 256)))
    for number in (221, 222):
        with open(os.path.join(out, "%d.ini" % number), "w") as f:
            f.write("[Skin]\nName=Default\n")
    with open(os.path.join(out, "130.rtf"), "w") as f:
        f.write(license_rtf())


if __name__ == "__main__":
    main(sys.argv[1])
