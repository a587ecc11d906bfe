"""Finds the installer's payload records inside its file, to damage a copy.

A record is a resource of type "R" named by its number: a 16-byte header
(stored size, unpacked size, date, time) and a zlib stream.
"""
import struct


class Record:
    def __init__(self, offset, size, size_field):
        self.offset = offset          # file offset of the record's first byte
        self.size = size              # the resource's size
        self.size_field = size_field  # file offset of the resource's size in the directory


def _sections(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional = struct.unpack_from("<H", data, pe + 20)[0]
    table = pe + 24 + optional
    magic = struct.unpack_from("<H", data, pe + 24)[0]
    directories = pe + 24 + (96 if magic == 0x10B else 112)
    resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    sections = []
    for i in range(count):
        at = table + 40 * i
        size, rva, raw_size, raw = struct.unpack_from("<IIII", data, at + 8)
        sections.append((rva, max(size, raw_size), raw))
    return sections, resource_rva


def _file_offset(sections, rva):
    for start, size, raw in sections:
        if start <= rva < start + size:
            return raw + rva - start
    raise ValueError("address %#x is in no section" % rva)


def _entries(data, directory):
    named, ids = struct.unpack_from("<HH", data, directory + 12)
    for i in range(named + ids):
        yield struct.unpack_from("<II", data, directory + 16 + 8 * i)


def _name(data, root, name):
    if not name & 0x80000000:
        return name
    at = root + (name & 0x7FFFFFFF)
    length = struct.unpack_from("<H", data, at)[0]
    return data[at + 2:at + 2 + 2 * length].decode("utf-16-le")


def find_record(data, number, kind="R"):
    """A resource of type `kind` (a name, or a number: 24 for a manifest)."""
    sections, resource_rva = _sections(data)
    root = _file_offset(sections, resource_rva)
    for type_name, type_dir in _entries(data, root):
        if _name(data, root, type_name) != kind:
            continue
        for name, name_dir in _entries(data, root + (type_dir & 0x7FFFFFFF)):
            if _name(data, root, name) != number:
                continue
            for _, entry in _entries(data, root + (name_dir & 0x7FFFFFFF)):
                at = root + entry
                rva, size = struct.unpack_from("<II", data, at)
                return Record(_file_offset(sections, rva), size, at + 4)
    raise KeyError("no resource %s %d" % (kind, number))


def damaged(data, number, how):
    """A copy of the file with record `number` damaged: "flip" a byte of its
    stream, "truncate" the resource to half its size, "stored_size" claiming
    more bytes than the record has, "unpacked_size" claiming one byte more
    than the stream gives."""
    out = bytearray(data)
    record = find_record(data, number)
    if how == "flip":
        out[record.offset + 16 + (record.size - 16) // 2] ^= 0xFF
    elif how == "truncate":
        struct.pack_into("<I", out, record.size_field, record.size // 2)
    elif how == "stored_size":
        struct.pack_into("<I", out, record.offset, record.size + 4096)
    elif how == "unpacked_size":
        unpacked = struct.unpack_from("<I", data, record.offset + 4)[0]
        struct.pack_into("<I", out, record.offset + 4, unpacked + 1)
    else:
        raise ValueError(how)
    return bytes(out)


def replaced(data, number, record):
    """A copy of the file with record `number` replaced by `record`, which
    takes the old record's place and must fit in it."""
    out = bytearray(data)
    old = find_record(data, number)
    if len(record) > old.size:
        raise ValueError("record %d: %d bytes do not fit in %d" % (number, len(record), old.size))
    out[old.offset:old.offset + len(record)] = record
    struct.pack_into("<I", out, old.size_field, len(record))
    return bytes(out)
