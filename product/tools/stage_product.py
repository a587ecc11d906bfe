#!/usr/bin/env python3
"""Stages the stand-in product as a product folder, laid out as the product
team delivers theirs: the built programs, the skins and the license, each
file with its designed last-write time (the stand-in columns of the
installer's file table, src/core/installed_files.tsv) read in ZONE. The build
then checks and packs the folder as it does a release's.

usage: stage_product.py BUILT FOLDER ZONE

BUILT holds the built programs, and what else the build makes of the
stand-in (the skins' settings, which name the build's version) under the
same path as its source under product/.

A file whose bytes are already right is not written again, and a file the
table does not name is taken away.
"""
import filecmp
import os
import shutil
import sys
import zoneinfo
from datetime import datetime

HERE = os.path.dirname(os.path.abspath(__file__))
PRODUCT = os.path.join(HERE, "..")
sys.path.insert(0, os.path.join(PRODUCT, "..", "tools"))
import installed_product  # noqa: E402


def designed_time(date, clock, zone):
    """The seconds since the epoch of DATE (YYYYMMDD) and CLOCK (HHMMSS) in ZONE."""
    t = datetime(date // 10000, date // 100 % 100, date % 100, clock // 10000, clock // 100 % 100, clock % 100,
                 tzinfo=zone)
    seconds = int(t.timestamp())
    # A time that the zone skips or repeats would come back as another stamp.
    back = datetime.fromtimestamp(seconds, zone)
    if (back.year, back.month, back.day, back.hour, back.minute, back.second) != t.timetuple()[:6]:
        raise ValueError("%d %06d is not one time in %s" % (date, clock, zone.key))
    return seconds


def stage(built, folder, zone):
    n = installed_product.names()
    name, _, license_source, date, clock = n["License"]

    def source(row):
        if row.source == "(built)":
            return os.path.join(built, row.name)
        made = os.path.join(built, row.source)
        return made if os.path.isfile(made) else os.path.join(PRODUCT, row.source)

    files = {installed_product.path(row): (source(row), row.date, row.time) for row in installed_product.rows()}
    files[name] = (os.path.join(PRODUCT, license_source), int(date), int(clock))
    for root, _, present in os.walk(folder):
        for other in present:
            path = os.path.join(root, other)
            if os.path.relpath(path, folder) not in files:
                os.remove(path)
    for rel, (source, date, clock) in sorted(files.items()):
        target = os.path.join(folder, rel)
        if not (os.path.isfile(target) and filecmp.cmp(source, target, shallow=False)):
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copyfile(source, target)
        seconds = designed_time(date, clock, zone)
        os.utime(target, (seconds, seconds))


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    try:
        stage(argv[0], argv[1], zoneinfo.ZoneInfo(argv[2]))
    except (OSError, ValueError, installed_product.TableError, zoneinfo.ZoneInfoNotFoundError) as e:
        sys.stderr.write("%s\n" % e)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
