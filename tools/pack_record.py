#!/usr/bin/env python3
"""Packs one file into a payload record: a 16-byte header (stored size,
unpacked size, date YYYYMMDD, time HHMMSS) followed by a zlib stream.

usage: pack_record.py [--packer zlib|zopfli] INPUT OUTPUT [DATE TIME | --zone ZONE]

Without DATE and TIME the record carries the input file's modification time,
in local time or in the named time zone (for example UTC). The stream is
deflated by zlib at its best level, or by zopfli (Debian's zopfli), which
searches much longer for a stream some 3 % smaller; either way it carries the
78 9C zlib header the installer's records have always carried.
"""
import subprocess
import struct
import sys
import tempfile
import zlib
from datetime import datetime
from zoneinfo import ZoneInfo


def zlib_stream(data: bytes) -> bytes:
    deflater = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    raw = deflater.compress(data) + deflater.flush()
    return b"\x78\x9c" + raw + struct.pack(">I", zlib.adler32(data) & 0xFFFFFFFF)


def zopfli_stream(data: bytes) -> bytes:
    # zopfli reads files only: it takes the size before it reads.
    with tempfile.NamedTemporaryFile() as source:
        source.write(data)
        source.flush()
        stream = subprocess.run(["zopfli", "--zlib", "-c", source.name], capture_output=True, check=True).stdout
    # zopfli's header says "best compression" (78 DA). The level is only
    # informational: 78 9C, which also passes the header check, is what the
    # records carry.
    assert stream[:2] == b"\x78\xda" and (0x78 * 256 + 0x9C) % 31 == 0
    return b"\x78\x9c" + stream[2:]


PACKERS = {"zlib": zlib_stream, "zopfli": zopfli_stream}


def pack(data: bytes, date: int, clock: int, packer: str = "zlib") -> bytes:
    stream = PACKERS[packer](data)
    assert zlib.decompress(stream) == data
    if 16 + len(stream) > 0xFFFFFFFF or len(data) > 0xFFFFFFFF:
        raise ValueError("too large for a record's 32-bit sizes")
    return struct.pack("<IIII", 16 + len(stream), len(data), date, clock) + stream


def main(argv):
    packer = "zlib"
    if len(argv) > 2 and argv[1] == "--packer" and argv[2] in PACKERS:
        packer, argv = argv[2], argv[:1] + argv[3:]
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
        record = pack(data, date, clock, packer)
    except ValueError as e:
        sys.stderr.write("%s: %s\n" % (argv[1], e))
        return 1
    with open(argv[2], "wb") as f:
        f.write(record)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
