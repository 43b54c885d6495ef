#!/usr/bin/env python3
"""Times the whole command on a large exchange file against `wc -l` on the same file.

usage: bench/whole_process.py Q748 DIR [RUNS] [--wine Q748.EXE]

DIR holds JWC_TEMP.TXT (for example from bench/gen_exchange, copied there). Runs `wc -l`,
`Q748 --ok --set ComboBox3=1 --stdout DIR` and `Q748 --dump DIR` (its JSON to /dev/null) in turn,
RUNS times each, and prints the best and median wall-clock times, the ratio of --ok to `wc -l` and
of --dump to --ok, and the peak memory of each over the file's size.

With --wine, then times the Windows build under Wine (cmake/wine-run.sh): `Q748.EXE --ok ...` and
`Q748.EXE --help` (its start-up), alternated with the native --ok, and prints the Windows time
less its start-up over the native time, of the best and of the medians.
"""
import os
import statistics
import subprocess
import sys
import time


def run(cmd):
    start = time.perf_counter()
    child = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: " + " ".join(cmd))
    return seconds, usage.ru_maxrss * 1024  # ru_maxrss is in KiB on Linux


def main():
    args = sys.argv[1:]
    wine_exe = None
    if "--wine" in args:
        at = args.index("--wine")
        if at + 1 >= len(args):
            sys.exit(__doc__)
        wine_exe = args[at + 1]
        del args[at:at + 2]
    if len(args) < 2:
        sys.exit(__doc__)
    q748, folder = args[0], args[1]
    runs = int(args[2]) if len(args) > 2 else 10
    exchange = os.path.join(folder, "JWC_TEMP.TXT")
    size = os.path.getsize(exchange)
    wc, cmd, dump, peak, dump_peak = [], [], [], 0, 0
    for _ in range(runs):
        wc.append(run(["wc", "-l", exchange])[0])
        seconds, rss = run([q748, "--ok", "--set", "ComboBox3=1", "--stdout", folder])
        cmd.append(seconds)
        peak = max(peak, rss)
        seconds, rss = run([q748, "--dump", folder])
        dump.append(seconds)
        dump_peak = max(dump_peak, rss)
    print("file            %s, %.1f MB" % (exchange, size / 1e6))
    print("wc -l           best %.4f s  median %.4f s" % (min(wc), statistics.median(wc)))
    print("q748 --ok       best %.4f s  median %.4f s" % (min(cmd), statistics.median(cmd)))
    print("time ratio      best %.1fx  median %.1fx" % (min(cmd) / min(wc), statistics.median(cmd) / statistics.median(wc)))
    print("peak memory     %.1f MB, %.2fx the file size" % (peak / 1e6, peak / size))
    print("q748 --dump     best %.4f s  median %.4f s" % (min(dump), statistics.median(dump)))
    print("dump / ok       best %.1fx  median %.1fx" % (min(dump) / min(cmd), statistics.median(dump) / statistics.median(cmd)))
    print("dump peak       %.1f MB, %.2fx the file size" % (dump_peak / 1e6, dump_peak / size))
    if wine_exe:
        wine(q748, folder, wine_exe, runs)


def wine(q748, folder, exe, runs):
    runner = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cmake", "wine-run.sh")
    ok = ["--ok", "--set", "ComboBox3=1", "--stdout"]
    run(["sh", runner, exe, "--help"])  # Wine's own start-up, once, before timing
    native, windows, start = [], [], []
    for _ in range(runs):
        native.append(run([q748] + ok + [folder])[0])
        windows.append(run(["sh", runner, exe] + ok + [folder])[0])
        start.append(run(["sh", runner, exe, "--help"])[0])
    med = statistics.median
    print("wine --ok       best %.4f s  median %.4f s" % (min(windows), med(windows)))
    print("wine --help     best %.4f s  median %.4f s" % (min(start), med(start)))
    print("native --ok     best %.4f s  median %.4f s" % (min(native), med(native)))
    print("wine / native   best %.2fx  median %.2fx  (start-up subtracted)" % (
        (min(windows) - min(start)) / min(native), (med(windows) - med(start)) / med(native)))


if __name__ == "__main__":
    main()
