#!/usr/bin/env python3
"""Whole-process timing of the batch tool: wall and CPU time (medians of several runs)
and the peak resident size, beside /bin/true, for a 25-station traverse and for
10,000 stations with the report only, with each output beside the report (on standard
output, where it goes without -o) and with every output; the least processor time of the
runs beside the median:

    python3 bench/whole_process.py build/release [RUNS] [EARLIER_BUILD]

The traverses are bench/write_traverse's single-connection ones (type 1); the files
are written to a temporary folder. Times in milliseconds, sizes in MB. With an earlier
build its figures follow on each row, for a before-and-after table.
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time


def peak_mb(argv):
    """Peak resident size under /usr/bin/time (a child of Python inherits Python's)."""
    with tempfile.NamedTemporaryFile("r") as f:
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", f.name] + argv,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return int(f.read().split()[-1]) / 1024


def run_once(argv):
    """Wall ms and CPU ms (user + system) of one run, its output thrown away."""
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, os.environ,
                         file_actions=[(os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
                                       (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0)])
    _, status, usage = os.wait4(pid, 0)
    wall = (time.perf_counter() - start) * 1000
    if os.waitstatus_to_exitcode(status) not in (0, 3):
        sys.exit("failed: " + " ".join(argv))
    return wall, (usage.ru_utime + usage.ru_stime) * 1000


def measure(argvs, runs):
    """For each argv: median wall ms, median and least CPU ms, and the peak RSS in MB. The
    argvs take turns run by run, so that a busy spell of the machine falls on all alike."""
    times = [[] for _ in argvs]
    for _ in range(runs):
        for i, argv in enumerate(argvs):
            times[i].append(run_once(argv))
    return [(statistics.median(w for w, _ in t), statistics.median(c for _, c in t),
             min(c for _, c in t), peak_mb(argv)) for t, argv in zip(times, argvs)]


def main():
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    earlier = sys.argv[3:4]
    folder = tempfile.mkdtemp(prefix="whole-process-")
    out = lambda name: os.path.join(folder, name)

    def traverse(stations):
        path = out("t%d.txt" % stations)
        args = subprocess.run([os.path.join(build, "bench/write_traverse"), "1", str(stations),
                               path], check=True, capture_output=True, text=True).stdout.split()
        return args + ["--quiet"], path

    small, small_file = traverse(25)
    large, large_file = traverse(10000)
    outputs = {"report": ["-o", out("r.txt")], "json": ["--json", out("r.json")],
               "plot": ["--plot", out("r.svg")], "coords": ["--coords", out("r.csv")],
               "sheet": ["--sheet", out("r.sheet.csv")], "html": ["--html", out("r.html")]}
    rows = [("/bin/true", None), ("25 stations, report", small + outputs["report"] + [small_file])]
    for name, option in outputs.items():
        rows.append(("10,000, report + %s" % name if name != "report" else "10,000, report only",
                     large + option + [large_file]))
    every = sum(outputs.values(), [])
    rows.append(("10,000, every output", large + every + [large_file]))

    tools = [os.path.join(b, "app/batch/traverse-adjust") for b in [build] + earlier]
    head = "%-24s" % "run"
    for label in ["", " before"][:len(tools)]:
        head += " %8s %8s %8s %8s %9s" % ("wall" + label, "cpu" + label, "least", "MB" + label,
                                         "cpu/true")
    print(head)
    base = None
    for name, args in rows:
        line = "%-24s" % name
        argvs = [["/bin/true"] if args is None else [tool] + args for tool in tools]
        for wall, cpu, least, peak in measure(argvs, runs):
            base = base or cpu
            line += " %8.1f %8.1f %8.1f %8.1f %9.1f" % (wall, cpu, least, peak, cpu / base)
        print(line)


if __name__ == "__main__":
    main()
