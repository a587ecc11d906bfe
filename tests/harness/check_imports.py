#!/usr/bin/env python3
"""Checks that Windows programs run on Windows 98 SE: PE32 for i386, GUI or
console subsystem version 4.0 at most, no import of a function that Windows
98 SE or NT 4 lacks, and direct imports only from the system DLLs that every
Windows maps from the system folder whatever lies beside the program (its
known DLLs). Any other DLL, version.dll or comctl32.dll for instance, would be
taken from the program's own folder if one of that name were put there: the
programs load those by their full system path instead.

usage: check_imports.py PROGRAM.exe [...]
Exits 1 and names every problem found.
"""
import re
import struct
import sys

KNOWN_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
    "ole32.dll", "oleaut32.dll", "msvcrt.dll",
}

# Functions that MinGW's runtimes reach for and that the oldest systems
# served do not export.
MISSING_ON_OLD_WINDOWS = {
    "AddVectoredExceptionHandler", "RemoveVectoredExceptionHandler",
    "GetModuleHandleExA", "GetModuleHandleExW", "SetDllDirectoryA", "SetDllDirectoryW",
    "SetDefaultDllDirectories", "GetFileSizeEx", "SetFilePointerEx", "SetWindowSubclass",
    "GetTickCount64", "TryEnterCriticalSection", "GetHandleInformation",
    "SetProcessAffinityMask", "InitOnceExecuteOnce", "InitializeSRWLock",
    "AcquireSRWLockExclusive", "ReleaseSRWLockExclusive", "InitializeConditionVariable",
    "SleepConditionVariableCS", "WakeConditionVariable", "WakeAllConditionVariable",
    "GetSystemTimePreciseAsFileTime", "FlsAlloc", "FlsGetValue", "FlsSetValue",
    "GetCurrentProcessorNumber", "GetFinalPathNameByHandleA", "CreateSymbolicLinkA",
    "TzSpecificLocalTimeToSystemTime", "SystemTimeToTzSpecificLocalTime",
    "GetLongPathNameA", "ReplaceFileA", "GetProcessId", "GetThreadId",
    "strnlen", "__iob_func", "__acrt_iob_func", "_localtime64", "_mktime64",
    "_gmtime64", "_time64", "_stat64", "_fstat64", "_wstat64", "_ftime64",
    "_localtime32", "_mktime32", "_time32", "_gmtime32",
}
SECURE_CRT = re.compile(r"^_?[a-z_0-9]+_s$")


def u16(b, o): return struct.unpack_from("<H", b, o)[0]
def u32(b, o): return struct.unpack_from("<I", b, o)[0]


def read_cstr(b, o):
    return b[o:b.index(b"\0", o)].decode("latin-1")


def inspect(path):
    problems = []
    data = open(path, "rb").read()
    pe = u32(data, 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        return ["not a PE file"], {}
    machine, sections = u16(data, pe + 4), u16(data, pe + 6)
    opt_size = u16(data, pe + 20)
    opt = pe + 24
    if machine != 0x14C:
        problems.append("machine 0x%x is not i386" % machine)
    if u16(data, opt) != 0x10B:
        problems.append("not PE32")
    subsystem = u16(data, opt + 68)
    sub_version = (u16(data, opt + 48), u16(data, opt + 50))
    if subsystem not in (2, 3):
        problems.append("subsystem %d" % subsystem)
    if sub_version > (4, 0):
        problems.append("subsystem version %d.%d needs a newer Windows" % sub_version)
    table = [(u32(data, s + 12), u32(data, s + 8), u32(data, s + 20))
             for s in (opt + opt_size + 40 * i for i in range(sections))]

    def offset(rva):
        for va, size, raw in table:
            if va <= rva < va + max(size, 1):
                return rva - va + raw
        raise ValueError("rva 0x%x outside every section" % rva)

    imports = {}
    rva = u32(data, opt + 96 + 8)
    if rva:
        d = offset(rva)
        while True:
            lookup, name, first = u32(data, d), u32(data, d + 12), u32(data, d + 16)
            if name == 0:
                break
            dll = read_cstr(data, offset(name))
            functions = imports.setdefault(dll.lower(), [])
            t = offset(lookup or first)
            while True:
                thunk = u32(data, t)
                if thunk == 0:
                    break
                functions.append("#%d" % (thunk & 0xFFFF) if thunk & 0x80000000
                                 else read_cstr(data, offset(thunk) + 2))
                t += 4
            d += 20
    for dll, functions in sorted(imports.items()):
        if dll not in KNOWN_DLLS:
            problems.append("imports %s, which Windows may take from the program's folder" % dll)
        for f in functions:
            if f in MISSING_ON_OLD_WINDOWS or SECURE_CRT.match(f):
                problems.append("imports %s!%s, which Windows 98 SE lacks" % (dll, f))
    return problems, imports


def main(paths):
    failed = False
    for path in paths:
        problems, imports = inspect(path)
        count = sum(len(v) for v in imports.values())
        print("%s: %d functions from %s" % (path, count, ", ".join(sorted(imports))))
        for p in problems:
            print("  PROBLEM: " + p)
        failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
