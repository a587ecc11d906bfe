#!/usr/bin/env python3
"""Splits a PE file into payload records, artwork resources and the rest
(code, runtime, headers, dialogs and strings), from its resource directory.
When the linker's map lies beside the file (NAME.map for NAME.exe), the rest
is split further into the pieces it was linked from: the program's own code,
the C runtime's start-up, zlib's inflate, the C++ runtime and so on.

usage: size_split.py FILE [FILE ...]     prints one JSON object per file
"""
import json
import os
import re
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
    # The certificate table (a signature) is addressed by file offset.
    global certificate_bytes
    certificate_bytes = struct.unpack_from("<II", data, dirs + 4 * 8)[1]
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


# Import libraries of system DLLs: what they bring is import tables and
# jump stubs. (libmsvcrt.a also holds real code, told apart by member name.)
IMPORT_LIBS = re.compile(r"^lib(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|"
                         r"comdlg32|version|winspool|msvcrt)\.a$")
PRINTF_MEMBERS = re.compile(r"printf|pformat|gdtoa|dmisc|gmisc|-misc\.o|mbrtowc|wcrtomb|strnlen|"
                            r"wcsnlen|lc_locale|mb_cur_max")


def piece_of(output_section, origin):
    """Names the piece that an input section of the link map belongs to."""
    if output_section == ".reloc":
        return "relocations"
    if output_section == ".edata":
        return "export table (what-if only)"
    if origin == "*fill*":
        return "headers and alignment"
    archive, _, member = origin.partition("(")
    name = os.path.basename(archive)
    if "zlib" in name or name == "libz.a":
        return "zlib inflate"
    if name.startswith("libbrimel_") or "CMakeFiles/" in archive:
        return "own code"
    if output_section == ".idata" or (IMPORT_LIBS.match(name) and "_a-" not in member):
        return "import tables"
    if name in ("libstdc++.a", "libsupc++.a"):
        return "C++ runtime (libstdc++)"
    if name == "libgcc_eh.a" or (name == "libgcc.a" and "unwind" in member):
        return "unwinder (libgcc_eh)"
    if name == "libuuid.a":
        return "libuuid"
    if name in ("libmingwex.a", "libmsvcrt.a") and PRINTF_MEMBERS.search(member):
        return "MinGW printf"
    if name in ("crt2.o", "crtbegin.o", "crtend.o", "dllcrt2.o", "libmingw32.a", "libmingwex.a",
                "libmsvcrt.a", "libgcc.a", "libmoldname.a", "libpthread.a"):
        return "C runtime start-up"
    return "other"


def link_map_pieces(map_path):
    """Bytes of each piece in the sections that the file holds (not .bss,
    not resources, not debugging information)."""
    pieces = {}
    output = None
    pending = None
    in_memory_map = False
    with open(map_path, errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("Linker script and memory map"):
                in_memory_map = True
                continue
            if not in_memory_map:
                continue
            m = re.match(r"^(\.\S+)(\s+0x[0-9a-f]+\s+0x[0-9a-f]+)?\s*$", line)
            if m:
                output = m.group(1)
                pending = None
                continue
            if output is None or output in (".bss", ".rsrc") or output.startswith((".debug", ".zdebug", ".stab")):
                continue
            m = re.match(r"^ (\S+)\s+0x[0-9a-f]+\s+(0x[0-9a-f]+)\s*(.*)$", line)
            if not m and pending is not None:
                m2 = re.match(r"^\s{10,}0x[0-9a-f]+\s+(0x[0-9a-f]+)\s+(\S.*)$", line)
                if m2:
                    size, origin = int(m2.group(1), 16), m2.group(2).strip()
                    pieces[piece_of(output, origin)] = pieces.get(piece_of(output, origin), 0) + size
                pending = None
                continue
            pending = None
            if m:
                name, size, origin = m.group(1), int(m.group(2), 16), m.group(3).strip()
                if name == "*fill*":
                    origin = "*fill*"
                if not origin:
                    continue
                piece = piece_of(output, origin)
                pieces[piece] = pieces.get(piece, 0) + size
            elif re.match(r"^ (\.\S+|COMMON)$", line):
                pending = line.strip()
    return pieces


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
    result = {
        "file": path,
        "total": len(data),
        "records": records,
        "artwork": artwork,
        "other_resources": other,
        # Everything that is neither payload nor artwork: code, runtime,
        # data, headers, section padding, dialogs and strings; not the
        # certificate table of a signed file.
        "code_and_runtime": len(data) - records - artwork - certificate_bytes,
        "certificate": certificate_bytes,
        "resource_types": by_type,
        "sections": {s[0]: s[3] for s in secs},
    }
    map_path = os.path.splitext(path)[0] + ".map"
    if os.path.exists(map_path):
        pieces = link_map_pieces(map_path)
        # What the map does not account for: the headers, the padding of each
        # section to the file alignment, the resource directory.
        rest = result["code_and_runtime"] - other - sum(pieces.values())
        pieces["headers and alignment"] = pieces.get("headers and alignment", 0) + rest
        pieces["dialogs and strings"] = other
        result["pieces"] = dict(sorted(pieces.items(), key=lambda kv: -kv[1]))
    return result


if __name__ == "__main__":
    for p in sys.argv[1:]:
        print(json.dumps(split(p)))
