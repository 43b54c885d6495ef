#!/usr/bin/env python3
"""Times a row (--pick fence) on a whole drawing against --ok on the same file, alternately.

usage: bench/fence_vs_ok.py Q748 DIR [RUNS] [--crossings N]

DIR holds JWC_TEMP.TXT (for example bench/gen_exchange's file, copied there), as Jw_cad hands it
over with REM #h4: every entity of the drawing. The fence is the file's hp1-hp2 shortened about
its middle so that it crosses about N lines (40 by default, a long wall's openings and grid
lines); hp3 stays. The script writes that fence into DIR/fence/JWC_TEMP.TXT, then runs
`Q748 --ok --set ComboBox3=1 --stdout DIR` and `Q748 --ok --direction horizontal --pick fence
--set ComboBox3=1 --stdout DIR/fence` in turn, RUNS times each, and prints the best and median
wall-clock times and their ratio (the row over --ok).
"""
import os
import re
import statistics
import subprocess
import sys
import time

OK = ["--ok", "--set", "ComboBox3=1", "--stdout"]
FENCE = ["--ok", "--direction", "horizontal", "--pick", "fence", "--set", "ComboBox3=1", "--stdout"]


def run(cmd, capture=False):
    start = time.perf_counter()
    done = subprocess.run(cmd, stdout=subprocess.PIPE if capture else subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL)
    seconds = time.perf_counter() - start
    if done.returncode != 0:
        sys.exit("failed: " + " ".join(cmd))
    return seconds, done.stdout


def picked(path):
    """The header's hp1, hp2 and hp3, from the first lines of the file."""
    points = {}
    with open(path, "rb") as f:
        for _, line in zip(range(200), f):
            m = re.match(rb"hp([123])-? (\S+) (\S+)", line)
            if m:
                points[int(m.group(1))] = (float(m.group(2)), float(m.group(3)))
    if len(points) < 3:
        sys.exit("no hp1, hp2 and hp3 in " + path)
    return points


def write_fence(source, target, start, end):
    """A copy of source whose hp1 and hp2 are the fence's ends."""
    with open(source, "rb") as f, open(target, "wb") as out:
        for number, line in enumerate(f):
            if number < 200 and re.match(rb"hp[12]-? ", line):
                which = line[2:3]
                x, y = start if which == b"1" else end
                line = b"hp%s %r %r\r\n" % (which, x, y)
            out.write(line)


def crossings(q748, folder):
    """The number of lines the fence in folder crosses: the row's values plus one."""
    _, output = run([q748] + FENCE + [folder], capture=True)
    return output.count(b"\ncs ") + 1


def main():
    args = sys.argv[1:]
    wanted = 40
    if "--crossings" in args:
        at = args.index("--crossings")
        wanted = int(args[at + 1])
        del args[at:at + 2]
    if len(args) < 2:
        sys.exit(__doc__)
    q748, folder = args[0], args[1]
    runs = int(args[2]) if len(args) > 2 else 10
    source = os.path.join(folder, "JWC_TEMP.TXT")
    fence_dir = os.path.join(folder, "fence")
    os.makedirs(fence_dir, exist_ok=True)
    target = os.path.join(fence_dir, "JWC_TEMP.TXT")
    p = picked(source)
    (x1, y1), (x2, y2) = p[1], p[2]
    mx, my = (x1 + x2) / 2, (y1 + y2) / 2
    # Shorten the fence about its middle until it crosses about `wanted` lines.
    factor = 1.0
    write_fence(source, target, (x1, y1), (x2, y2))
    count = crossings(q748, fence_dir)
    for _ in range(6):
        if count <= 0 or abs(count - wanted) <= wanted // 4:
            break
        factor *= wanted / count
        half = factor / 2
        start = (mx - half * (x2 - x1), my - half * (y2 - y1))
        end = (mx + half * (x2 - x1), my + half * (y2 - y1))
        write_fence(source, target, start, end)
        count = crossings(q748, fence_dir)
    ok, fence = [], []
    for _ in range(runs):
        ok.append(run([q748] + OK + [folder])[0])
        fence.append(run([q748] + FENCE + [fence_dir])[0])
    med = statistics.median
    print("file            %s, %.1f MB" % (source, os.path.getsize(source) / 1e6))
    print("fence           crosses %d lines (%.5f of hp1-hp2)" % (count, factor))
    print("q748 --ok       best %.4f s  median %.4f s" % (min(ok), med(ok)))
    print("--pick fence    best %.4f s  median %.4f s" % (min(fence), med(fence)))
    print("fence / ok      best %.2fx  median %.2fx" % (min(fence) / min(ok), med(fence) / med(ok)))


if __name__ == "__main__":
    main()
