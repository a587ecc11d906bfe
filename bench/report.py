#!/usr/bin/env python3
"""Turns one benchmark run into the summary that the README quotes.

usage: report.py RESULTS_DIR BENCH_BUILD_DIR
"""
import csv
import glob
import json
import os
import statistics
import struct
import sys

KIB = 1024.0
MIB = 1024.0 * 1024.0

# Goals, as ratios and sizes measured in one run on one machine.
GOAL_INSTALL_RATIO = 1.2          # A/B
GOAL_OVERHEAD_BYTES = 92 * 1024   # code and runtime (the NSIS stub's size)
STRETCH_OVERHEAD_BYTES = 64 * 1024
GOAL_MEMORY_SLACK = 2 * MIB       # over the largest record unpacked + stored


def rows(path):
    with open(path) as f:
        return list(csv.DictReader(f))


def met(ok):
    return "met" if ok else "**missed**"


def install_section(results):
    data = rows(os.path.join(results, "install.csv"))
    by = {}
    per_round = {}
    for r in data:
        ms = float(r["ms"])
        by.setdefault(r["program"], []).append(ms)
        per_round.setdefault(r["round"], {})[r["program"]] = ms
    ratio_ab = statistics.median(v["A"] / v["B"] for v in per_round.values())
    # C, NSIS's 32-bit installer, is not timed where 32-bit programs cannot run.
    with_c = "C" in by
    ratio_cb = statistics.median(v["C"] / v["B"] for v in per_round.values()) if with_c else None
    # The same without the cost of starting and ending each process: A and B
    # were also started with nothing to do (EA, EB) in the same rounds.
    net_ab = statistics.median((v["A"] - v["EA"]) / (v["B"] - v["EB"]) for v in per_round.values())
    names = {"A": "A installer's WriteInstalledFileSet", "B": "B limit (inflate + one write)",
             "C": "C NSIS zlib, silent", "EA": "A started with nothing to do",
             "EB": "B started with nothing to do"}
    out = ["### Install speed (%d rounds, whole processes, ms)" % len(per_round), "",
           "| Program | min | median | max |", "|---|---:|---:|---:|"]
    for p in ("A", "B", "C", "EA", "EB"):
        if p not in by:
            continue
        v = by[p]
        out.append("| %s | %.1f | %.1f | %.1f |" % (names[p], min(v), statistics.median(v), max(v)))
    out += ["", "Median of per-round ratios: **A/B = %.2f** (goal <= %.1f: %s), C/B = %s." %
            (ratio_ab, GOAL_INSTALL_RATIO, met(ratio_ab <= GOAL_INSTALL_RATIO),
             "%.2f" % ratio_cb if with_c else "not timed"),
            "The work alone, each program minus its own empty start in the same round: "
            "(A-EA)/(B-EB) = %.2f." % net_ab, ""]
    return out, {"A/B": ratio_ab, "C/B": ratio_cb, "net A/B": net_ab}


def startup_section(results):
    data = rows(os.path.join(results, "startup.csv"))
    by = {}
    per_round = {}
    for r in data:
        by.setdefault(r["program"], {"visible": [], "painted": []})
        by[r["program"]]["visible"].append(float(r["visible_ms"]))
        by[r["program"]]["painted"].append(float(r["painted_ms"]))
        per_round.setdefault(r["round"], {})[r["program"]] = float(r["painted_ms"])
    names = {"setup": "BrimelSetup, realistic payload", "shipped": "BrimelSetup as built (stand-in product)",
             "nsis": "NSIS zlib, first page"}
    out = ["### Start-up to the first window (%d rounds, ms from CreateProcess)" % len(per_round), "",
           "| Program | visible, median | painted: min | median | max |", "|---|---:|---:|---:|---:|"]
    for p in ("setup", "shipped", "nsis"):
        if p not in by:
            continue
        v = by[p]
        out.append("| %s | %.1f | %.1f | %.1f | %.1f |" % (
            names[p], statistics.median(v["visible"]), min(v["painted"]),
            statistics.median(v["painted"]), max(v["painted"])))
    if "nsis" not in by:
        return out + ["", "NSIS's installer not timed (a 32-bit program: they cannot run here).", ""], {}
    ratio = statistics.median(v["setup"] / v["nsis"] for v in per_round.values())
    out += ["", "Median of per-round ratios, painted, installer/NSIS: **%.2f** (goal <= 1: %s)." %
            (ratio, met(ratio <= 1.0)), ""]
    return out, {"startup": ratio}


def file_ops_section(results):
    """Median per-file microseconds of each way of writing a file."""
    path = os.path.join(results, "file_ops.txt")
    if not os.path.exists(path):
        return [], {}
    by = {}
    for line in open(path):
        line = line.rstrip()
        if "us/file" not in line:
            continue
        value, name = line.split("us/file", 1)
        by.setdefault(name.strip(), []).append(float(value))
    out = ["### Per-file cost of the file operations (in-process, median of 3 runs of 200 files)", "",
           "| Way of writing a 4 KB file | us per file |", "|---|---:|"]
    for name, values in by.items():
        out.append("| %s | %.0f |" % (name, statistics.median(values)))
    return out + [""], {}


PACKERS = {"zlib": "zlib level 9", "zopfli": "zopfli --zlib"}


def records_folder(build, packer=None):
    """The realistic payload's records of a packer, by default of the one
    whose records the benchmark's installer carries."""
    if packer is None:
        packer = open(os.path.join(build, "bench-packer.txt")).read().strip()
    return os.path.join(build, "records-" + packer)


def largest_record(build):
    best = None
    for path in glob.glob(os.path.join(records_folder(build), "R*.bin")):
        with open(path, "rb") as f:
            stored, unpacked = struct.unpack("<II", f.read(8))
        if best is None or unpacked > best[1]:
            best = (os.path.basename(path), unpacked, stored)
    return best


def memory_section(results, build):
    data = rows(os.path.join(results, "memory.csv"))
    by = {}
    for r in data:
        by.setdefault(r["program"], []).append(int(r["peak_working_set"]))
    med = {p: statistics.median(v) for p, v in by.items()}
    name, unpacked, stored = largest_record(build)
    budget = unpacked + stored
    growth = med["A"] - med["A-idle"]
    out = ["### Peak working set (median of %d runs, as GetProcessMemoryInfo reports it)" %
           len(by["A"]), "",
           "| Process | peak working set |", "|---|---:|"]
    labels = [("A", "A installing"), ("A-idle", "A started, idle (its floor under Wine)"),
              ("B", "B installing"), ("B-idle", "B started, idle"), ("C", "C NSIS installing")]
    for p, label in labels:
        if p not in med:
            continue
        out.append("| %s | %.2f MB |" % (label, med[p] / MIB))
    out += ["",
            "Largest record %s: %.2f MB unpacked + %.2f MB stored = %.2f MB; goal: peak <= %.2f MB." %
            (name, unpacked / MIB, stored / MIB, budget / MIB, (budget + GOAL_MEMORY_SLACK) / MIB),
            "A's installation adds %.2f MB over its own idle floor (B's adds %.2f MB): %s against the "
            "record's %.2f MB + 2 MB. The floor itself is Wine's (its loader and libraries count in "
            "the process's working set): raw peak %.2f MB." %
            (growth / MIB, (med["B"] - med["B-idle"]) / MIB, met(growth <= budget + GOAL_MEMORY_SLACK),
             budget / MIB, med["A"] / MIB), ""]
    return out, {"memory_growth": growth}


def size_section(results, build):
    sizes = [json.loads(l) for l in open(os.path.join(results, "size.jsonl"))]
    setup, empty, nsis_zlib, bench, complete = sizes
    # NSIS appends its data to the stub instead of using resources: its
    # overhead is the empty build, its payload whatever the full one adds.
    stub = empty["total"]
    # The complete installer's export table exists only to keep every
    # function in its link: it is not counted.
    exports = complete["sections"].get(".edata", 0)
    complete_overhead = complete["code_and_runtime"] - exports
    out = ["### Size (bytes)", "",
           "| File | total | code + runtime | payload | artwork | (dialogs, strings) |",
           "|---|---:|---:|---:|---:|---:|"]
    for label, s in (("BrimelSetup.exe (stand-in product)", setup),
                     ("BrimelSetup, realistic payload", bench)):
        out.append("| %s | %d | %d | %d | %d | %d |" % (
            label, s["total"], s["code_and_runtime"], s["records"], s["artwork"], s["other_resources"]))
    out.append("| what-if: BrimelSetup with every function of src/ kept, export table not counted "
               "| %d | %d | %d | %d | %d |" % (complete["total"] - exports, complete_overhead, complete["records"],
                                            complete["artwork"], complete["other_resources"]))
    out.append("| NSIS reference, empty (-DEMPTY) | %d | %d | 0 | (in stub) | (in stub) |" % (stub, stub))
    out.append("| NSIS reference, zlib, realistic payload | %d | %d | %d | (in stub) | (in stub) |" % (
        nsis_zlib["total"], stub, nsis_zlib["total"] - stub))
    # The realistic payload's records by each packer: the installer carries
    # one set; the other is a what-if with the same resource overhead.
    carried = open(os.path.join(build, "bench-packer.txt")).read().strip()
    stored = {packer: sum(os.path.getsize(p) for p in glob.glob(os.path.join(records_folder(build, packer), "R*.bin")))
              for packer in PACKERS}
    for packer, name in PACKERS.items():
        payload = bench["records"] - stored[carried] + stored[packer]
        out.append("| %s: BrimelSetup, realistic payload, records by %s | %d | %d | %d | %d | %d |" % (
            "as built" if packer == carried else "what-if", name, bench["total"] - bench["records"] + payload,
            bench["code_and_runtime"], payload, bench["artwork"], bench["other_resources"]))
    overhead = setup["code_and_runtime"]
    sec = setup["sections"]
    out += ["", "Code and runtime overhead **%.1f KB** against the NSIS stub's %.1f KB "
            "(goal <= 92 KB: %s; stretch <= 64 KB: %s); with every function of src/ kept %.1f KB "
            "(goal: %s; stretch: %s)." %
            (overhead / KIB, stub / KIB, met(overhead <= GOAL_OVERHEAD_BYTES),
             met(overhead <= STRETCH_OVERHEAD_BYTES), complete_overhead / KIB,
             met(complete_overhead <= GOAL_OVERHEAD_BYTES), met(complete_overhead <= STRETCH_OVERHEAD_BYTES)),
            "BrimelSetup sections: " + ", ".join("%s %d" % (k, v) for k, v in sec.items() if k != ".rsrc") + ".",
            ""]
    if "pieces" in setup and "pieces" in complete:
        names = list(setup["pieces"]) + [k for k in complete["pieces"] if k not in setup["pieces"]]
        out += ["Code and runtime by piece (from the link maps):", "",
                "| Piece | BrimelSetup.exe | every function of src/ kept |", "|---|---:|---:|"]
        for name in names:
            out.append("| %s | %d | %d |" % (name, setup["pieces"].get(name, 0), complete["pieces"].get(name, 0)))
        out.append("")
    return out, {"overhead": overhead, "complete overhead": complete_overhead}


def main(results, build):
    machine = open(os.path.join(results, "machine.txt")).read().strip().splitlines()
    out = ["## Benchmark run", ""] + ["    " + l for l in machine] + [""]
    for section in (install_section(results), file_ops_section(results), startup_section(results),
                    memory_section(results, build), size_section(results, build)):
        out += section[0]
    print("\n".join(out))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    main(*sys.argv[1:])
