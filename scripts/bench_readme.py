#!/usr/bin/env python3
"""Runs the benchmarks behind the README's tables several times and prints, for every figure of
every row, the minimum, median and maximum over the runs with the load average beside them.

    python3 scripts/bench_readme.py [--table NAME ...] [--row ID ...] [--runs N] [--cpus LIST]
    python3 scripts/bench_readme.py --list

Run from anywhere; commands run from the repository root. A row that compares two ways (two
builds, workers or none, ours and a peer) runs them in turn, one of each per round, and also
prints the median of the pair-by-pair ratios (second over first). Native benchmarks come from
build/native/bench, the programs under Wine from build/win (their display and prefix from
scripts/wine-env.sh); plates from --plates (default /tmp/plates, written by
scripts/make_plates.py); the peer readers from --peers, a folder holding pyNastran-1.4.1,
cpylog and pyuff as the team's design notes set them up (rows of peers are skipped without it).
A row whose program or input is missing is skipped with a word.

Figures are read from the programs' own output: every number of every line, the lines matched
from run to run with their numbers taken out; Google Benchmark rows through their JSON output
(real time, processor time and counters); whole processes through /usr/bin/time (wall seconds
and peak resident MiB).
"""
import argparse
import json
import os
import re
import shlex
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
NATIVE = "build/native/bench/"
WIN = "build/win/"

# A figure: "0.954", "1,002,001", "2.5e-3"; not a version ("15.0.6") nor part of a word.
NUMBER = re.compile(r"(?<![\w.])[-+]?\d+(?:,\d{3})*(?:\.\d+)?(?:[eE][-+]?\d+)?(?![\w.]\w)(?!\.\d)")

PEER_BDF = ("from pyNastran.bdf.bdf import BDF\nimport sys\nm = BDF(debug=None)\n"
            "m.read_bdf(sys.argv[1], xref=False)\n"
            "print('nodes', len(m.nodes), 'elements', len(m.elements))")
PEER_OP2_GEOM = ("from pyNastran.op2.op2_geom import read_op2_geom\nimport sys\n"
                 "m = read_op2_geom(sys.argv[1], build_dataframe=False, debug=None, log=None, "
                 "xref=False)\nprint('nodes', len(m.nodes), 'elements', len(m.elements))")
PEER_OP2 = ("from pyNastran.op2.op2 import read_op2\nimport sys\n"
            "m = read_op2(sys.argv[1], build_dataframe=False, debug=None, log=None)\n"
            "print('result tables', len(m.get_table_types()))")
PEER_UNV = ("import pyuff, sys\nu = pyuff.UFF(sys.argv[1])\n"
            "sets = [u.read_sets(i) for i in range(len(u.get_set_types()))]\n"
            "print('sets', len(sets))")


class Row:
    """One row of a README table: one or more ways, each a command run once a round."""

    def __init__(self, table, ident, what, ways, runs=3, kind="text", needs=(), warmup=0,
                 compare=None):
        self.table = table
        self.ident = ident
        self.what = what
        self.ways = ways  # [(label, argv)]
        self.runs = runs
        self.kind = kind  # text: numbers of the output lines; gbench: JSON; process: /usr/bin/time
        self.needs = needs  # files or folders that must exist ("{plates}" and "{peers}" filled)
        self.warmup = warmup
        # (line of the first way, line of the second): their first figures compared pair by
        # pair where the two ways print different lines.
        self.compare = compare


def gbench(binary, filt):
    return [NATIVE + binary, "--benchmark_filter=" + filt]


def wine(program, *args):
    return ["wine", WIN + program + ".exe"] + list(args)


def importing(name):
    return [NATIVE + "ImportFile_bench", "{plates}/" + name]


def peer(script, name):
    return ["/usr/bin/python3", "-c", script, "{plates}/" + name]


def rows():
    r = []
    # The native table and the tables after it (build/native, RelWithDebInfo).
    main = [
        ("bulk-import", "Bulk data 1,000,000 cards, small field: read, faces",
         gbench("BulkData_bench", "ImportSmallFieldDeck")),
        ("unv-import", "Universal file of the plate with one result",
         gbench("Unv_bench", "ImportQuadMeshWithResult")),
        ("op2-import", "OUTPUT2 of the plate, 36 results: whole import, peak / held",
         gbench("Op2_bench", "Op2ImportPlate")),
        ("average-first-read", "14 element results averaged on first read",
         gbench("Model_bench", "AverageEveryResultOnFirstRead")),
        ("free-model", "Freeing the 1,000,000-element model", gbench("Model_bench", "FreeModel")),
        ("sparse-ids", "400,000 element values at random / far ids",
         gbench("Model_bench", "ResultTableSparseIds")),
        ("chained-systems", "Chained coordinate systems",
         gbench("BulkData_bench", "ImportChainedSystems")),
        ("archive", "Archive written / round trip", [NATIVE + "Archive_bench"]),
        ("project-file", "Project file with a group of 1,000,000 elements",
         gbench("ProjectFile_bench", "MillionElementGroup")),
        ("empty-groups", "Project of a thousand empty groups",
         gbench("ProjectFile_bench", "EmptyGroups")),
        ("stale-sections", "Saving over stale sections",
         gbench("ProjectFile_bench", "StaleSections")),
    ]
    for ident, what, argv in main:
        r.append(Row("native", ident, what, [("", argv)], kind="gbench"))
    entity = [
        ("finish-shell-model", "Plate with faces and ridge edges: peak bytes per element",
         gbench("Model_bench", "FinishShellModel")),
        ("outer-faces", "Outer faces and ridge edges of 1,000,000 shells (threads:0, threads:1)",
         gbench("Model_bench", "ExtractOuterFaces")),
        ("update-loaded", "Update of 14 loaded element results at import",
         gbench("Model_bench", "UpdateLoadedResults")),
        ("bulk-read", "1,000,000 GRID and CQUAD4 cards read without a model",
         gbench("BulkData_bench", "Read")),
        ("bulk-import-both", "The decks imported, small / large field",
         gbench("BulkData_bench", "Import(Small|Large)")),
    ]
    for ident, what, argv in entity:
        r.append(Row("native", ident, what, [("", argv)], kind="gbench"))
    # Whole processes on the generated plates.
    for side in ("1000",):
        for name in ("plate_%s.op2", "plate_%s.unv", "plate_%s_small.bdf", "plate_%s_large.bdf"):
            file = name % side
            r.append(Row("plates", "import-" + file, "Whole process, " + file,
                         [("", importing(file))], runs=5, kind="process",
                         needs=["{plates}/" + file], warmup=1))
    # Against the peer readers: whole processes, in turn, medians of the pair-by-pair ratios.
    peers = [("bdf-small", "plate_%s_small.bdf", PEER_BDF),
             ("bdf-large", "plate_%s_large.bdf", PEER_BDF),
             ("unv", "plate_%s.unv", PEER_UNV),
             ("op2-geom", "plate_%s.op2", PEER_OP2_GEOM),
             ("op2-results", "plate_%s.op2", PEER_OP2)]
    for side, runs in (("100", 5), ("316", 5), ("1000", 3)):
        for ident, name, script in peers:
            file = name % side
            r.append(Row("peers", "peer-%s-%s" % (ident, side), "Peer over ours, " + file,
                         [("ours", importing(file)), ("peer", peer(script, file))], runs=runs,
                         kind="process", needs=["{plates}/" + file, "{peers}"], warmup=1))
    # Under Wine (build/win), one process a run.
    wine_rows = [
        ("dispatch", "Message, command, update, idle pass", wine("Dispatch_bench")),
        ("model-lists-shaded", "Model lists of 1,000,000 quads and their frames, shaded, workers 3 "
         "and 0 in turn", None),
        ("model-lists-ridge", "Same in the ridge-line shaded mode, workers 3 and 0 in turn", None),
        ("settings-apply", "A display setting applied to three views", wine("SettingsApply_bench")),
        ("contour-bands", "Contour of a nodal result, 12 bands", wine("Contour_bench", "bands")),
        ("contour-smooth", "Contour, smooth", wine("Contour_bench", "smooth")),
        ("contour-lines", "Contour, lines", wine("Contour_bench", "lines")),
        ("contour-rough", "Contour of the rough field", wine("Contour_bench", "rough")),
        ("history", "History control", wine("HistoryCtrl_bench", "5000")),
        ("project-file-wine", "Project file under Wine", wine("ProjectFileWine_bench")),
        ("tree", "Tree control", wine("TreeCtrl_bench")),
        ("selection", "Selection of 1,000,000 quads", wine("Selection_bench")),
        ("info-tools", "Model and entity information", wine("InfoTools_bench")),
        ("selection-tools", "Select Entities, element filter, group",
         wine("SelectionGroupTools_bench")),
        ("animation", "Deformation animation of the plate", wine("Animation_bench", "1000", "10")),
        ("animation-flat", "Animation with flat bands", wine("Animation_bench", "1000", "10",
                                                             "flat")),
        ("graph", "Graph window of 100,000 points", wine("Graph_bench", "20")),
        ("result-sheet", "Result list of 1,000,000 picked nodes", wine("ResultSheet_bench")),
    ]
    for ident, what, argv in wine_rows:
        if ident.startswith("model-lists-"):
            mode = ident[len("model-lists-"):]
            ways = [("workers 3", wine("ModelLists_bench", "1000", mode, "3")),
                    ("workers 0", wine("ModelLists_bench", "1000", mode, "0"))]
            r.append(Row("wine", ident, what, ways, runs=5))
        else:
            r.append(Row("wine", ident, what, [("", argv)], runs=3))
    # The start's import under Wine against the same import native, whole processes in turn.
    for file in ("plate_1000.op2", "plate_1000.unv"):
        r.append(Row("wine", "import-wine-" + file, "Import under Wine and native, " + file,
                     [("wine", wine("ImportFile_bench", "{plates}/" + file)),
                      ("native", importing(file))], runs=3, kind="process",
                     needs=["{plates}/" + file, NATIVE + "ImportFile_bench"]))
    # The view's frame against the peer toolkit's frame of the same plate, in turn.
    r.append(Row("wine", "view-peer", "Shaded frame of the plate: ours (workers 3) and the peer's",
                 [("ours", wine("ModelLists_bench", "1000", "shaded", "3")),
                  ("peer", ["/usr/bin/python3", "bench/peers/plate_frame.py", "1000", "shaded"])],
                 runs=5, compare=("^shaded frame:", "^peer shaded frame:")))
    # The program's start to the first frame with its contour.
    for file in ("plate_1000.op2", "plate_1000.unv"):
        r.append(Row("start", "start-" + file, "Start to the first contour frame, " + file,
                     [("", ["bash", "scripts/time_startup.sh", "{plates}/" + file])], runs=3,
                     needs=["{plates}/" + file, WIN + "stage/bin/Gravik.exe"]))
    return r


def fill(text, args):
    return text.replace("{plates}", args.plates).replace("{peers}", args.peers or "\0")


def run_once(row, argv, args, env):
    """Runs one command; returns the lines whose numbers are the figures."""
    argv = [fill(a, args) for a in argv]
    if args.cpus:
        argv = ["taskset", "-c", args.cpus] + argv
    timing = None
    if row.kind == "gbench":
        argv = argv + ["--benchmark_format=json"]
    elif row.kind == "process":
        timing = tempfile.NamedTemporaryFile(delete=False)
        timing.close()
        argv = ["/usr/bin/time", "-f", "%e %M", "-o", timing.name] + argv
    done = subprocess.run(argv, cwd=ROOT, env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True, errors="replace")
    out = done.stdout
    lines = []
    if row.kind == "gbench":
        try:
            for b in json.loads(out[out.index("{"):]).get("benchmarks", []):
                counters = " ".join("%s=%s" % (k, v) for k, v in sorted(b.items())
                                    if isinstance(v, (int, float)) and k not in
                                    ("iterations", "real_time", "cpu_time", "repetitions",
                                     "repetition_index", "threads", "family_index",
                                     "per_family_instance_index"))
                lines.append("%s: %s %s real, %s cpu %s" % (
                    b["name"], b["real_time"], b.get("time_unit", ""), b["cpu_time"], counters))
        except (ValueError, KeyError):
            lines.append("no benchmark output (exit %d)" % done.returncode)
    else:
        lines = [l.strip() for l in out.splitlines() if NUMBER.search(l) and "fixme" not in l]
        if timing is not None:
            with open(timing.name) as f:
                fields = f.read().split()
            os.unlink(timing.name)
            if len(fields) >= 2:
                lines.insert(0, "whole process: %s s, peak %.0f MiB"
                             % (fields[-2], int(fields[-1]) / 1024.0))
    if done.returncode != 0:
        lines.append("exit code %d" % done.returncode)
    return lines


def template_of(line):
    return NUMBER.sub("#", line)


def numbers_of(line):
    return [float(n.replace(",", "")) for n in NUMBER.findall(line)]


def summarise(runs):
    """runs: a list of line lists. Returns [(template, [[values of slot k over the runs]])]."""
    order = []
    slots = {}
    for lines in runs:
        seen = {}
        for line in lines:
            t = template_of(line)
            k = seen.get(t, 0)
            seen[t] = k + 1
            key = (t, k)
            if key not in slots:
                slots[key] = []
                order.append(key)
            slots[key].append(numbers_of(line))
    result = []
    for key in order:
        values = slots[key]
        width = min(len(v) for v in values)
        result.append((key[0], [[v[i] for v in values] for i in range(width)]))
    return result


def short(x):
    if x == int(x) and abs(x) < 1e9:
        return "%d" % x
    return "%.4g" % x


def show(template, columns, runs):
    parts = template.split("#")
    text = parts[0]
    for i, column in enumerate(columns):
        lo, mid, hi = min(column), statistics.median(column), max(column)
        figure = short(mid) if lo == hi else "%s [%s..%s]" % (short(mid), short(lo), short(hi))
        text += figure + (parts[i + 1] if i + 1 < len(parts) else "")
    return text + (" (%d of %d runs)" % (len(columns[0]), runs) if columns and
                   len(columns[0]) < runs else "")


def wine_env(args):
    """The environment of scripts/wine-env.sh, on a display of its own when none works."""
    env = dict(os.environ)
    started = None
    display = env.get("DISPLAY", "")
    ok = display and subprocess.run(["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL).returncode == 0
    if not ok:
        n = 120
        while os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
            n += 1
        started = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x1024x24",
                                    "-nolisten", "tcp"], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        for _ in range(30):
            if os.path.exists("/tmp/.X11-unix/X%d" % n):
                break
            time.sleep(0.2)
        env["DISPLAY"] = ":%d" % n
    dump = subprocess.run(["bash", "-c", "source scripts/wine-env.sh >/dev/null 2>&1; env -0"],
                          cwd=ROOT, env=env, stdout=subprocess.PIPE).stdout
    for entry in dump.split(b"\0"):
        if b"=" in entry:
            k, v = entry.split(b"=", 1)
            env[k.decode(errors="replace")] = v.decode(errors="replace")
    return env, started


def missing(row, args):
    for ways in row.ways:
        program = fill(ways[1][0] if ways[1][0] != "wine" else ways[1][1], args)
        if program.startswith("build/") and not os.path.exists(os.path.join(ROOT, program)):
            return program
    for need in row.needs:
        path = fill(need, args)
        if "\0" in path:
            return "the peers' folder (--peers)"
        if not os.path.exists(os.path.join(ROOT, path)):
            return path
    return None


def load():
    with open("/proc/loadavg") as f:
        return float(f.read().split()[0])


def measure(row, args, env):
    runs = args.runs or row.runs
    missing_part = missing(row, args)
    print("\n[%s] %s %s" % (row.table, row.ident, row.what))
    print("  command: " + "  |  ".join(
        (label + ": " if label else "") + " ".join(shlex.quote(fill(a, args)) for a in argv)
        for label, argv in row.ways))
    if missing_part:
        print("  skipped: no " + missing_part)
        return
    for _ in range(row.warmup):
        for _, argv in row.ways:
            run_once(row, argv, args, env)
    outputs = [[] for _ in row.ways]
    loads = []
    for _ in range(runs):
        for k, (_, argv) in enumerate(row.ways):
            loads.append(load())
            outputs[k].append(run_once(row, argv, args, env))
    print("  load average %.1f to %.1f, %d runs%s" % (
        min(loads), max(loads), runs, ", in turn" if len(row.ways) > 1 else ""))
    summaries = []
    for k, (label, _) in enumerate(row.ways):
        summary = summarise(outputs[k])
        summaries.append(dict(summary))
        for template, columns in summary:
            print("  " + (label + ": " if label else "") + show(template, columns, runs))
    if row.compare:
        pairs = []
        for a, b in zip(outputs[0], outputs[1]):
            x = [numbers_of(l)[0] for l in a if re.search(row.compare[0], l)]
            y = [numbers_of(l)[0] for l in b if re.search(row.compare[1], l)]
            if x and y and x[0]:
                pairs.append(y[0] / x[0])
        if pairs:
            print("  %s / %s, pair by pair: median %.2f [%.2f..%.2f]" % (
                row.ways[1][0], row.ways[0][0], statistics.median(pairs), min(pairs),
                max(pairs)))
    if len(row.ways) == 2:
        for template, first in summaries[0].items():
            second = summaries[1].get(template)
            if not second or not first or len(first[0]) != runs or len(second[0]) != runs:
                continue
            for i in range(min(len(first), len(second))):
                ratios = [b / a for a, b in zip(first[i], second[i]) if a]
                if ratios and any(a != b for a, b in zip(first[i], second[i])):
                    print("  %s / %s, pair by pair, figure %d of '%s': median %.2f [%.2f..%.2f]"
                          % (row.ways[1][0], row.ways[0][0], i + 1, template,
                             statistics.median(ratios), min(ratios), max(ratios)))


def main():
    parser = argparse.ArgumentParser(
        description="Runs the benchmarks of the README's tables several times and prints "
                    "minimum, median and maximum of every figure with the load average.")
    parser.add_argument("--table", action="append", default=[],
                        help="native, plates, peers, wine or start (repeatable; all when none)")
    parser.add_argument("--row", action="append", default=[],
                        help="a row's id (repeatable; see --list)")
    parser.add_argument("--runs", type=int, default=0, help="runs of each way (the row's own "
                        "count when not given)")
    parser.add_argument("--cpus", default="", help="pin every command to these processors "
                        "(taskset list, e.g. 0-3)")
    parser.add_argument("--plates", default="/tmp/plates",
                        help="folder of scripts/make_plates.py's plates")
    parser.add_argument("--peers", default="", help="folder with the peer readers' checkouts")
    parser.add_argument("--list", action="store_true", help="list the rows and their commands")
    args = parser.parse_args()

    chosen = [r for r in rows() if (not args.table or r.table in args.table) and
              (not args.row or r.ident in args.row)]
    if args.list:
        for r in chosen:
            print("%-8s %-28s %s" % (r.table, r.ident, r.what))
        return 0
    if not chosen:
        print("no row chosen (see --list)", file=sys.stderr)
        return 2
    env = dict(os.environ)
    if args.peers:
        env["PYTHONPATH"] = ":".join(os.path.join(args.peers, d)
                                     for d in ("pyNastran-1.4.1", "cpylog", "pyuff"))
    started = None
    if any(any(w[1][0] == "wine" for w in r.ways) for r in chosen):
        env, started = wine_env(args)
    print("machine: %d processors; load average at the start %s" % (
        os.cpu_count(), open("/proc/loadavg").read().split(" ", 3)[:3]))
    try:
        for r in chosen:
            measure(r, args, env)
    finally:
        if started is not None:
            started.terminate()
    return 0


if __name__ == "__main__":
    sys.exit(main())
