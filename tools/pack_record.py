#!/usr/bin/env python3
"""Packs one file into a payload record: a 16-byte header (stored size,
unpacked size, date YYYYMMDD, time HHMMSS) followed by a zlib stream.

usage: pack_record.py INPUT OUTPUT [DATE TIME]

Without DATE and TIME the record carries the input file's modification time
(local time). The stream is deflated at the best level and wrapped with the
78 9C zlib header the installer's records have always carried.
"""
import struct
import sys
import time
import zlib


def zlib_stream(data: bytes) -> bytes:
    deflater = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    raw = deflater.compress(data) + deflater.flush()
    return b"\x78\x9c" + raw + struct.pack(">I", zlib.adler32(data) & 0xFFFFFFFF)


def pack(data: bytes, date: int, clock: int) -> bytes:
    stream = zlib_stream(data)
    assert zlib.decompress(stream) == data
    return struct.pack("<IIII", 16 + len(stream), len(data), date, clock) + stream


def main(argv):
    if len(argv) not in (3, 5):
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], "rb") as f:
        data = f.read()
    if len(argv) == 5:
        date, clock = int(argv[3]), int(argv[4])
    else:
        t = time.localtime(int(__import__("os").stat(argv[1]).st_mtime))
        date = t.tm_year * 10000 + t.tm_mon * 100 + t.tm_mday
        clock = t.tm_hour * 10000 + t.tm_min * 100 + t.tm_sec
    with open(argv[2], "wb") as f:
        f.write(pack(data, date, clock))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
