#!/usr/bin/env python3
"""Times the whole command on a large exchange file against `wc -l` on the same file.

usage: bench/whole_process.py Q748 DIR [RUNS]

DIR holds JWC_TEMP.TXT (for example from bench/gen_exchange, copied there). Runs `wc -l`,
`Q748 --ok --set ComboBox3=1 --stdout DIR` and `Q748 --dump DIR` (its JSON to /dev/null) in turn,
RUNS times each, and prints the best and median wall-clock times, the ratio of --ok to `wc -l` and
of --dump to --ok, and the peak memory of each over the file's size.
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
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    q748, folder = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 10
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


if __name__ == "__main__":
    main()
