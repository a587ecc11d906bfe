#!/usr/bin/env python3
"""Packs one file into a payload record: a 16-byte header (stored size,
unpacked size, date YYYYMMDD, time HHMMSS) followed by a zlib stream.

usage: pack_record.py INPUT OUTPUT [DATE TIME | --zone ZONE]

Without DATE and TIME the record carries the input file's modification time,
in local time or in the named time zone (for example UTC). The stream is deflated at the best level and wrapped with the
78 9C zlib header the installer's records have always carried.
"""
import struct
import sys
import zlib
from datetime import datetime
from zoneinfo import ZoneInfo


def zlib_stream(data: bytes) -> bytes:
    deflater = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    raw = deflater.compress(data) + deflater.flush()
    return b"\x78\x9c" + raw + struct.pack(">I", zlib.adler32(data) & 0xFFFFFFFF)


def pack(data: bytes, date: int, clock: int) -> bytes:
    stream = zlib_stream(data)
    assert zlib.decompress(stream) == data
    if 16 + len(stream) > 0xFFFFFFFF or len(data) > 0xFFFFFFFF:
        raise ValueError("too large for a record's 32-bit sizes")
    return struct.pack("<IIII", 16 + len(stream), len(data), date, clock) + stream


def main(argv):
    if len(argv) not in (3, 5):
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], "rb") as f:
        data = f.read()
    if len(argv) == 5 and argv[3] != "--zone":
        date, clock = int(argv[3]), int(argv[4])
    else:
        mtime = int(__import__("os").stat(argv[1]).st_mtime)
        t = datetime.fromtimestamp(mtime, ZoneInfo(argv[4])) if len(argv) == 5 else datetime.fromtimestamp(mtime)
        date = t.year * 10000 + t.month * 100 + t.day
        clock = t.hour * 10000 + t.minute * 100 + t.second
    try:
        record = pack(data, date, clock)
    except ValueError as e:
        sys.stderr.write("%s: %s\n" % (argv[1], e))
        return 1
    with open(argv[2], "wb") as f:
        f.write(record)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
