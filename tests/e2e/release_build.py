#!/usr/bin/env python3
"""Builds a signed release the way the product team does, from a product
folder that differs from the stand-in product: other bytes, other times.
e2e.release_install installs it. The release has a version and build number
of its own, and every text that names them says so: the registration, the
manifests and version resources, BC.dll's text, the version the messenger
writes and the skins' settings of the stand-in built beside it.

usage: release_build.py --product BUILT_PRODUCT_DIR --out DIR [--toolchain FILE]

DIR/folder is the product folder, DIR/cert the throw-away certificate,
DIR/build the release build (version 3.1, build number 7).
"""
import argparse
import os
import re
import shutil
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(SOURCE, "tools"))
import installed_product  # noqa: E402
from check_product_dir import LICENSE_NAME, LICENSE_RECORD  # noqa: E402

VERSION = "3.1"
BUILD_NUMBER = 7
FIRST_TIME = 1741064767  # 2025-03-04 05:06:07 UTC; record N is N minutes later
PASSWORD = "throw-away"


def other_bytes(name, data):
    """The same kind of file with other contents."""
    if name.endswith(".bmp"):
        start = int.from_bytes(data[10:14], "little")
        return data[:start] + bytes(255 - b for b in data[start:])
    if name.endswith((".exe", ".dll")):
        return data + b"release build test overlay\0" * 8  # past the image: still runs
    if name == LICENSE_NAME:
        return data.rstrip()[:-1] + b"\\par This copy comes from the release test's own folder.\\par}"
    return data + b"; release test\r\n"


def make_folder(product_build, folder):
    """The product folder of the release test: the stand-in's, as the build
    staged it, with other bytes and times."""
    shutil.rmtree(folder, ignore_errors=True)
    files = [(installed_product.path(row), row.record) for row in installed_product.rows()]
    for rel, record in files + [(LICENSE_NAME, LICENSE_RECORD)]:
        with open(os.path.join(product_build, "folder", rel), "rb") as f:
            data = other_bytes(os.path.basename(rel), f.read())
        target = os.path.join(folder, rel)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
        os.utime(target, (FIRST_TIME, FIRST_TIME + 60 * record))


def build_texts(build):
    """A build's own version texts ("2.0.40" and "2.0, Build # 040" by default)."""
    with open(os.path.join(build, "generated", "brimel_build.h")) as f:
        header = f.read()
    return [re.search(r'#define %s "(.*)"' % name, header).group(1)
            for name in ("BRIMEL_FILE_VERSION_TEXT", "BRIMEL_BUILD_TEXT")]


def version_faults(build, other_texts):
    """What names `other_texts` (another build's), or fails to name the release's
    version and build number."""
    major, minor = (int(n) for n in VERSION.split("."))
    full, registration = "%s.%d" % (VERSION, BUILD_NUMBER), "%s, Build # %03d" % (VERSION, BUILD_NUMBER)
    # The version resource: the fixed numbers (after the signature FEEF04BD and
    # the structure version) and its texts, in UTF-16.
    resource = [b"\xbd\x04\xef\xfe\x00\x00\x01\x00" + struct.pack("<HHHH", minor, major, 0, BUILD_NUMBER),
                full.encode("utf-16-le") + b"\0\0", registration.encode("utf-16-le") + b"\0\0"]
    manifest = [b'version="%s.0"' % full.encode()]
    product = os.path.join(build, "product")
    expected = {
        os.path.join(build, "BrimelSetup.exe"): resource + manifest + [registration.encode()],
        os.path.join(product, "BC.dll"): resource + [b"Brimel Core %s\0" % full.encode()],
        os.path.join(product, "Brimel.exe"): resource + manifest + [full.encode() + b"\0"],
        os.path.join(product, "Uninstall Brimel.exe"): resource + manifest,
    }
    for skin in ("800x600", "1024x768"):
        expected[os.path.join(product, "skins", skin, "skin.ini")] = [b"\r\nVersion=%s\r\n" % full.encode()]
    faults = []
    for path, texts in expected.items():
        with open(path, "rb") as f:
            data = f.read()
        faults += ["%s lacks %r" % (path, text) for text in texts if text not in data]
        faults += ["%s still names %r" % (path, text) for old in other_texts
                   for text in (old.encode(), old.encode("utf-16-le")) if text in data]
    return faults


def make_certificate(folder):
    """Made once: the build signs again only when a program is linked again."""
    if os.path.exists(os.path.join(folder, "cert.p12")):
        return
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "password"), "w") as f:
        f.write(PASSWORD)
    key, cert = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                    "-days", "3650", "-subj", "/CN=Brimel release test", "-addext", "extendedKeyUsage=codeSigning"],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["openssl", "pkcs12", "-export", "-inkey", key, "-in", cert, "-out",
                    os.path.join(folder, "cert.p12"), "-passout", "file:" + os.path.join(folder, "password")],
                   check=True)


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("--product", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--toolchain", help="toolchain of the build under test (default the preset's, i686)")
    args = parser.parse_args(argv)
    folder, cert, build = (os.path.join(args.out, n) for n in ("folder", "cert", "build"))
    make_folder(args.product, folder)
    make_certificate(cert)
    configure = ["cmake", "--preset", "release", "-B", build, "-DBRIMEL_PRODUCT_DIR=" + folder,
                 "-DBRIMEL_VERSION=" + VERSION, "-DBRIMEL_BUILD_NUMBER=%d" % BUILD_NUMBER,
                 "-DBRIMEL_SIGN_PKCS12=" + os.path.join(cert, "cert.p12"),
                 "-DBRIMEL_SIGN_PASSWORD_FILE=" + os.path.join(cert, "password")]
    if args.toolchain:
        configure.append("-DCMAKE_TOOLCHAIN_FILE=" + args.toolchain)
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(FIRST_TIME))
    subprocess.run(configure, cwd=SOURCE, env=env, check=True, stdout=subprocess.DEVNULL)
    def build_and_read(record):
        subprocess.run(["cmake", "--build", build, "--target", "BrimelSetup", "-j2"], env=env, check=True,
                       stdout=subprocess.DEVNULL)
        with open(os.path.join(build, "records", "R%d.bin" % record), "rb") as f:
            return f.read()

    # A file given other bytes under its old time is packed again.
    changed = os.path.join(folder, next(installed_product.path(row) for row in installed_product.rows()
                                        if row.record == 221))
    with open(changed, "rb") as f:
        kept = f.read()
    before = build_and_read(221)
    with open(changed, "ab") as f:
        f.write(b"; changed\r\n")
    os.utime(changed, (FIRST_TIME, FIRST_TIME + 60 * 221))
    if build_and_read(221) == before:
        print("%s: changed under its old time, but not packed again" % changed, file=sys.stderr)
        return 1
    with open(changed, "wb") as f:
        f.write(kept)
    os.utime(changed, (FIRST_TIME, FIRST_TIME + 60 * 221))
    if build_and_read(221) != before:
        print("%s: its first bytes again, but not its first record" % changed, file=sys.stderr)
        return 1
    # The stand-in built at the release's version, to read its texts.
    subprocess.run(["cmake", "--build", build, "--target", "brimel_bc", "brimel_messenger", "brimel_uninstaller",
                    "-j2"], env=env, check=True, stdout=subprocess.DEVNULL)
    faults = version_faults(build, build_texts(os.path.dirname(os.path.abspath(args.product))))
    if faults:
        print("\n".join(faults), file=sys.stderr)
        return 1
    print("release built: %s" % os.path.join(build, "BrimelSetup.exe"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
