#!/usr/bin/env python3
"""The programs' manifests (resource type 24, id 1): the execution level
asked for, the supported systems, GDI scaling for Windows 10 1703 and later
in the exact namespace it is read from, no DPI awareness, and nothing the
Windows XP SP2/SP3 loader refuses.

usage: manifests.py PROGRAM.exe=LEVEL ...
"""
import os
import re
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from pe_records import find_record  # noqa: E402

V1, V2, V3 = ("urn:schemas-microsoft-com:asm.v%d" % n for n in (1, 2, 3))
GDI_SCALING = "{http://schemas.microsoft.com/SMI/2017/WindowsSettings}gdiScaling"
# The asm.v1 elements the XP loader knows; one of a newer schema there stops it.
XP_V1 = {"assembly", "assemblyIdentity", "dependency", "dependentAssembly", "file", "comClass", "typelib",
         "windowClass", "description", "noInherit", "comInterfaceExternalProxyStub"}


def problems(text, level):
    for tag in re.findall(r"<[A-Za-z][^>]*>", text):
        declared = re.findall(r'xmlns(?::\w+)?="([^"]*)"', tag)
        if len(declared) != len(set(declared)):
            yield "a namespace declared twice in %s" % tag
    root = ET.fromstring(text)
    for e in root.iter():
        if e.tag.startswith("{%s}" % V1) and e.tag.split("}")[1] not in XP_V1:
            yield "%s is not of the asm.v1 schema Windows XP loads" % e.tag
        if "dpiaware" in e.tag.lower():
            yield "DPI awareness is declared: %s" % e.tag
    levels = [e.get("level") for e in root.iter("{%s}requestedExecutionLevel" % V2)]
    if levels != [level]:
        yield "execution level %s, not %s" % (levels, level)
    if len(list(root.iter("{urn:schemas-microsoft-com:compatibility.v1}supportedOS"))) != 5:
        yield "not the five supported systems, Vista to 10 and 11"
    found = root.findall("{%s}application/{%s}windowsSettings/%s" % (V3, V3, GDI_SCALING))
    if len(found) != 1 or found[0].text != "true" or len(list(root.iter(GDI_SCALING))) != 1:
        yield "no gdiScaling true in the asm.v3 application's windowsSettings, namespace exactly http://"


def main(argv):
    failed = False
    for arg in argv:
        path, level = arg.rsplit("=", 1)
        with open(path, "rb") as f:
            data = f.read()
        record = find_record(data, 1, 24)
        text = data[record.offset:record.offset + record.size].decode("utf-8")
        for problem in problems(text, level):
            print("PROBLEM: %s: %s" % (os.path.basename(path), problem))
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
