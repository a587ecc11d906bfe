#!/usr/bin/env python3
"""Checks that PE files carry no build time: the file header's, the export
directory's and the resource directory's time stamps are all 0, so that two
builds of the same sources give the same bytes.

usage: check_link_stamps.py FILE...    exit 0 when every stamp is 0
"""
import struct
import sys


def stamps(data):
    """(where, value) for every time stamp the file carries."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    found = [("file header", struct.unpack_from("<I", data, pe + 8)[0])]
    optional = pe + 24
    directories = optional + (96 if struct.unpack_from("<H", data, optional)[0] == 0x10B else 112)
    table = optional + optional_size

    def offset(rva):
        for i in range(sections):
            size, address, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError("address 0x%x in no section" % rva)

    for index, name in ((0, "export directory"), (2, "resource directory")):
        rva, size = struct.unpack_from("<II", data, directories + 8 * index)
        if rva and size:
            found.append((name, struct.unpack_from("<I", data, offset(rva) + 4)[0]))
    return found


def main(paths):
    if not paths:
        sys.stderr.write(__doc__)
        return 2
    status = 0
    for path in paths:
        with open(path, "rb") as f:
            for where, value in stamps(f.read()):
                if value:
                    print("%s: %s time stamp 0x%08x" % (path, where, value))
                    status = 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
