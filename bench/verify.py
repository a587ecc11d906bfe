#!/usr/bin/env python3
"""Checks one installation byte for byte against the payload folder.

usage: verify.py PAYLOAD PROGRAM_FILES WINDOWS

PAYLOAD is the folder made by realistic-payload.py. Every file of it must be
under PROGRAM_FILES/Brimel with the same relative path, except the
uninstaller, which belongs in WINDOWS; nothing else may be in the product
folder (a leftover partial file is an error too). Exit 0 when all is well.
"""
import filecmp
import os
import sys

UNINSTALLER = "Uninstall Brimel.exe"


def files_under(root):
    found = set()
    for folder, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


def main(payload, program_files, windows):
    expected = {f for f in files_under(payload) if not f.startswith(".")}
    product = os.path.join(program_files, "Brimel")
    problems = []
    for rel in sorted(expected):
        got = os.path.join(windows, rel) if rel == UNINSTALLER else os.path.join(product, rel)
        if not os.path.isfile(got):
            problems.append("missing " + got)
        elif not filecmp.cmp(os.path.join(payload, rel), got, shallow=False):
            problems.append("differs " + got)
    extra = files_under(product) - (expected - {UNINSTALLER}) if os.path.isdir(product) else set()
    problems += ["unexpected " + os.path.join(product, e) for e in sorted(extra)]
    for p in problems[:10]:
        print(p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    sys.exit(main(*sys.argv[1:]))
