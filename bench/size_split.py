#!/usr/bin/env python3
"""Splits a PE file into payload records, artwork resources and the rest
(code, runtime, headers, dialogs and strings), from its resource directory.

usage: size_split.py FILE [FILE ...]     prints one JSON object per file
"""
import json
import struct
import sys

RT_NAMES = {1: "cursor", 2: "bitmap", 3: "icon", 4: "menu", 5: "dialog", 6: "string",
            12: "group_cursor", 14: "group_icon", 16: "version", 24: "manifest"}
ARTWORK = {"cursor", "bitmap", "icon", "group_cursor", "group_icon", "A"}


def sections(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", "not a PE file"
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    dirs = optional + (96 if magic == 0x10B else 112)
    rsrc_rva, rsrc_size = struct.unpack_from("<II", data, dirs + 2 * 8)
    table = optional + optional_size
    out = []
    for i in range(count):
        name, vsize, rva, rawsize, rawptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
        out.append((name.rstrip(b"\0").decode(), vsize, rva, rawsize, rawptr))
    return out, rsrc_rva, rsrc_size


def rva_to_offset(secs, rva):
    for _, vsize, start, rawsize, rawptr in secs:
        if start <= rva < start + max(vsize, rawsize):
            return rawptr + rva - start
    raise ValueError("rva %x outside the sections" % rva)


def resources(data, secs, rsrc_rva):
    """Yields (type, data size) for every resource leaf."""
    base = rva_to_offset(secs, rsrc_rva)

    def name_of(entry_name):
        if entry_name & 0x80000000:
            off = base + (entry_name & 0x7FFFFFFF)
            n = struct.unpack_from("<H", data, off)[0]
            return data[off + 2:off + 2 + 2 * n].decode("utf-16-le")
        return RT_NAMES.get(entry_name, str(entry_name))

    def walk(offset, depth, rtype):
        named, ids = struct.unpack_from("<HH", data, base + offset + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + offset + 16 + 8 * i)
            t = name_of(name) if depth == 0 else rtype
            if target & 0x80000000:
                yield from walk(target & 0x7FFFFFFF, depth + 1, t)
            else:
                _, size, _, _ = struct.unpack_from("<IIII", data, base + target)
                yield t, size

    yield from walk(0, 0, None)


def split(path):
    with open(path, "rb") as f:
        data = f.read()
    secs, rsrc_rva, rsrc_size = sections(data)
    by_type = {}
    for rtype, size in resources(data, secs, rsrc_rva) if rsrc_rva else []:
        by_type[rtype] = by_type.get(rtype, 0) + size
    records = by_type.get("R", 0)
    artwork = sum(v for k, v in by_type.items() if k in ARTWORK)
    other = sum(v for k, v in by_type.items() if k != "R" and k not in ARTWORK)
    return {
        "file": path,
        "total": len(data),
        "records": records,
        "artwork": artwork,
        "other_resources": other,
        # Everything that is neither payload nor artwork: code, runtime,
        # data, headers, section padding, dialogs and strings.
        "code_and_runtime": len(data) - records - artwork,
        "resource_types": by_type,
        "sections": {s[0]: s[3] for s in secs},
    }


if __name__ == "__main__":
    for p in sys.argv[1:]:
        print(json.dumps(split(p)))
