#!/usr/bin/env python3
"""Checks a release's product folder before its files are packed into records.

The folder is laid out as installed: the product folder's files (Brimel.exe,
BC.dll, Skins/<skin>/...), with the uninstaller and license.rtf beside them.
Names, records and bitmap sizes come from the installer's own file table
(src/core/installed_files.tsv, through tools/installed_product.py), so the
two cannot disagree.

usage: check_product_dir.py FOLDER [--license RTF] [--zone ZONE] [--state DIR | --list]

Prints "RECORD PATH" for every record to pack (the first file of a shared
record) and exits 0; on the first fault prints "FILE: RULE" and exits 1.
With --state it prints nothing and keeps DIR/R<record>.state, each record's
source as it is now (size, time, digest, zone), rewritten only when that
changed: the build packs a record again when its state changes, even for a
file of an older time. With --list it prints the records to pack without
looking at the folder, which the build may not have made yet.
"""
import argparse
import hashlib
import os
import struct
import sys
import zoneinfo

import installed_product
import rtf_visible_text

LICENSE_NAME, LICENSE_RECORD = installed_product.names()["License"][0], int(installed_product.names()["License"][1])
MIN_LICENSE_CHARS = 1000
# A record's stored size (header included) and unpacked size are 32-bit fields.
MAX_RECORD_BYTES = 0xFFFFFFFF - 16
PROGRAMS = {".exe": "exe", ".dll": "dll"}  # the programs among the files, by extension


class Refused(Exception):
    pass


def table():
    """(relative path, record, width, height) per row, in writing order."""
    return [(installed_product.path(row), row.record, row.width, row.height) for row in installed_product.rows()]


# The programs' machine and optional-header magic: i386 and PE32 for a
# release; the x86_64 test build, made where 32-bit programs cannot run,
# stages its own 64-bit programs.
MACHINES = {32: (0x14C, 0x10B), 64: (0x8664, 0x20B)}


def check_program(path, kind, bits=32):
    with open(path, "rb") as f:
        head = f.read(4096)
    want = ("a %d-bit Windows GUI program" if kind == "exe" else "a %d-bit DLL") % bits
    try:
        pe = struct.unpack_from("<I", head, 0x3C)[0]
        machine, characteristics = struct.unpack_from("<H", head, pe + 4)[0], struct.unpack_from("<H", head, pe + 22)[0]
        magic, subsystem = struct.unpack_from("<H", head, pe + 24)[0], struct.unpack_from("<H", head, pe + 24 + 68)[0]
        ok = head[:2] == b"MZ" and head[pe:pe + 4] == b"PE\0\0" and (machine, magic) == MACHINES[bits]
    except struct.error:
        ok = False
    is_dll = ok and bool(characteristics & 0x2000)
    if not ok or is_dll != (kind == "dll") or (kind == "exe" and subsystem != 2):
        raise Refused("not %s" % want)


def check_bitmap(path, width, height):
    with open(path, "rb") as f:
        head = f.read(30)
    if len(head) < 30 or head[:2] != b"BM" or struct.unpack_from("<I", head, 14)[0] < 40:
        raise Refused("not a BMP file")
    w, h, _, depth = struct.unpack_from("<iiHH", head, 18)
    if depth != 24 or (w, abs(h)) != (width, height):
        raise Refused("a %d-bit BMP of %dx%d, not a 24-bit BMP of %dx%d" % (depth, w, abs(h), width, height))


def check_license(path):
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(b"{\\rtf"):
        raise Refused("not an RTF document")
    try:
        chars, unsure = rtf_visible_text.count(data.decode("latin-1"))
    except rtf_visible_text.Unreadable as e:
        raise Refused("the license text cannot be counted: %s (the installer may end at start-up)" % e)
    if chars < MIN_LICENSE_CHARS:
        why = "the installer would end at start-up"
        if unsure:
            # Text that some rich edit controls show and others do not: the
            # installer's view may leave it out, so the count cannot rely on it.
            why = "the installer may end at start-up; not counted, as its view may not show them: " + ", ".join(
                "%d character%s of %s" % (n, "s"[:n != 1], kind) for kind, n in sorted(unsure.items()))
        raise Refused("the license text has %d characters, fewer than %d (%s)" % (chars, MIN_LICENSE_CHARS, why))


def listing(folder, license_path):
    """The records to pack, as (record, path): a shared record's first file."""
    first = {}
    for rel, record, _, _ in table():
        first.setdefault(record, os.path.join(folder, rel))
    return sorted(first.items()) + [(LICENSE_RECORD, license_path or os.path.join(folder, LICENSE_NAME))]


def check(folder, license_path, bits=32):
    """The records to pack, as (record, path); raises Refused(path, rule)."""
    rows = table()
    expected = {rel for rel, _, _, _ in rows}
    if license_path is None:
        license_path = os.path.join(folder, LICENSE_NAME)
        expected.add(LICENSE_NAME)
    present = set()
    for root, _, files in os.walk(folder):
        present.update(os.path.relpath(os.path.join(root, n), folder) for n in files)
    for rel in sorted(expected - present):
        raise Refused(os.path.join(folder, rel), "missing")
    for rel in sorted(present - expected - {LICENSE_NAME}):
        raise Refused(os.path.join(folder, rel), "not a file the installer installs")
    if not os.path.isfile(license_path):
        raise Refused(license_path, "missing")
    first = {}
    for rel, record, width, height in rows:
        path = os.path.join(folder, rel)
        try:
            if os.path.getsize(path) > MAX_RECORD_BYTES:
                raise Refused("too large for a record's 32-bit sizes")
            if os.path.splitext(rel)[1] in PROGRAMS:
                check_program(path, PROGRAMS[os.path.splitext(rel)[1]], bits)
            elif width:
                check_bitmap(path, width, height)
            if record in first:
                with open(first[record], "rb") as a, open(path, "rb") as b:
                    if a.read() != b.read():
                        raise Refused("differs from %s, which shares its record %d" % (first[record], record))
            else:
                first[record] = path
        except Refused as e:
            raise Refused(path, e.args[0])
    try:
        check_license(license_path)
    except Refused as e:
        raise Refused(license_path, e.args[0])
    return listing(folder, license_path)


def write_states(records, folder, zone):
    os.makedirs(folder, exist_ok=True)
    for record, path in records:
        with open(path, "rb") as f:
            digest = hashlib.sha256(f.read()).hexdigest()
        state = "%d %d %s %s\n" % (os.path.getsize(path), os.stat(path).st_mtime_ns, digest, zone)
        target = os.path.join(folder, "R%d.state" % record)
        if os.path.exists(target):
            with open(target) as f:
                if f.read() == state:
                    continue
        with open(target, "w") as f:
            f.write(state)


def main(argv):
    parser = argparse.ArgumentParser(description="Checks a release's product folder.")
    parser.add_argument("folder", nargs="?")
    parser.add_argument("--license", help="license RTF (default: license.rtf in the folder)")
    parser.add_argument("--zone", default="UTC", help="time zone of the records' stamps")
    parser.add_argument("--state", help="folder of the records' state files")
    parser.add_argument("--list", action="store_true", help="list the records to pack, unchecked")
    parser.add_argument("--bits", type=int, choices=sorted(MACHINES), default=32,
                        help="the programs' kind: 32 (a release) or 64 (the x86_64 test build's own)")
    args = parser.parse_args(argv)
    if args.folder is None:
        parser.error("give a product folder")
    try:
        table()
    except installed_product.TableError as e:
        print(e, file=sys.stderr)
        return 1
    if args.list:
        print("".join("%d %s\n" % r for r in listing(args.folder, args.license)), end="")
        return 0
    try:
        if not os.path.isdir(args.folder):
            raise Refused(args.folder, "not a folder")
        records = check(os.path.abspath(args.folder), args.license and os.path.abspath(args.license), args.bits)
    except Refused as e:
        print("%s: %s" % e.args, file=sys.stderr)
        return 1
    try:
        zoneinfo.ZoneInfo(args.zone)
    except (ValueError, zoneinfo.ZoneInfoNotFoundError):
        print("%s: not a time zone" % args.zone, file=sys.stderr)
        return 1
    if args.state:
        write_states(records, args.state, args.zone)
        return 0
    for record, path in records:
        print(record, path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
