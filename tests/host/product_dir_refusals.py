#!/usr/bin/env python3
"""Each fault of a release's product folder is refused with its own message:
a good folder (tests/e2e/release_build.py) damaged one way per row.

usage: product_dir_refusals.py BUILT_PRODUCT_DIR SCRATCH_DIR
"""
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from release_build import make_folder  # noqa: E402

CHECKER = os.path.join(HERE, "..", "..", "tools", "check_product_dir.py")
SKIN = os.path.join("Skins", "Default - 800x600")


def write(rel, data):
    return lambda d: open(os.path.join(d, rel), "wb").write(data)


def patch(rel, offset, data):
    def damage(d):
        with open(os.path.join(d, rel), "r+b") as f:
            f.seek(offset)
            f.write(data)
    return damage


def pe_field(rel, offset, data):
    def damage(d):
        with open(os.path.join(d, rel), "r+b") as f:
            f.seek(int.from_bytes(f.read(0x40)[0x3C:], "little") + offset)
            f.write(data)
    return damage


def sparse(rel, size):
    return lambda d: os.truncate(os.path.join(d, rel), size)


ROWS = [  # damage, file named, rule printed
    (lambda d: None, None, None),
    (lambda d: os.remove(os.path.join(d, "BC.dll")), "BC.dll", "missing"),
    (write("readme.txt", b"extra"), "readme.txt", "not a file the installer installs"),
    (pe_field("Brimel.exe", 24 + 68, b"\x03\x00"), "Brimel.exe", "not a 32-bit Windows GUI program"),
    (pe_field("Uninstall Brimel.exe", 4, b"\x64\x86"), "Uninstall Brimel.exe", "not a 32-bit Windows GUI program"),
    (lambda d: shutil.copy(os.path.join(d, "Brimel.exe"), os.path.join(d, "BC.dll")), "BC.dll", "not a 32-bit DLL"),
    (patch(os.path.join(SKIN, "bold.bmp"), 28, b"\x20\x00"), "bold.bmp", "a 32-bit BMP of 31x23, not a 24-bit BMP of 31x23"),
    (patch(os.path.join(SKIN, "main.bmp"), 18, b"\x00\x01\x00\x00"), "main.bmp", "not a 24-bit BMP of 650x570"),
    (patch(os.path.join(SKIN, "skin.ini"), 0, b"x"), None, None),  # each skin has its own settings
    (patch(os.path.join("Skins", "Default - 1024x768", "send.bmp"), 60, b"\x01\x02"), "send.bmp",
     "shares its record 216"),
    (write("license.rtf", b"{\\rtf1 " + b"short \\par " * 100 + b"}"), "license.rtf",
     "the license text has 797 characters, fewer than 1000 (the installer would end at start-up)"),
    # A field's instruction is not in the view's text, nor, under Wine, its result.
    (write("license.rtf", b"{\\rtf1 " + b"x" * 990 + b"{\\field{\\fldinst HYPERLINK \"https://example.invalid/"
           + b"terms-and-conditions-of-use-of-the-licensed-software-and-its-services-2006\"}{\\fldrslt x}}}"),
     "license.rtf", "the license text has 990 characters, fewer than 1000 (the installer may end at start-up; "
     "not counted, as its view may not show them: 1 character of field results)"),
    (write("license.rtf", b"{\\rtf1 " + b"x" * 1000 + b"{\\pict\\bin2 {}}}"), "license.rtf",
     "cannot be counted: it holds binary data"),
    (write("license.rtf", b"plain text " * 200), "license.rtf", "not an RTF document"),
    (sparse(os.path.join(SKIN, "smiley.bmp"), 1 << 32), "smiley.bmp", "too large for a record's 32-bit sizes"),
]


def main(product, scratch):
    failures = 0
    for n, (damage, named, rule) in enumerate(ROWS):
        folder = os.path.join(scratch, "folder")
        make_folder(product, folder)
        damage(folder)
        run = subprocess.run([sys.executable, CHECKER, folder], capture_output=True, text=True)
        said = run.stderr.strip()
        ok = run.returncode == 0 and not said if rule is None else (
            run.returncode == 1 and rule in said and said.split(": ")[0].endswith(named))
        print("%s row %d: %s" % ("ok" if ok else "FAIL", n, said or "accepted"))
        failures += not ok
    shutil.rmtree(scratch, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
