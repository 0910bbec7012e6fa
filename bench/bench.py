#!/usr/bin/env python3
"""Times zamtik against the least a program must do and against the tools people use today,
on generated trees, and writes a Markdown table and a plot.

    bench.py --zamtik PATH --floor PATH [--sizes 10000,100000,1000000] [--runs 5]
             [--work DIR] [--out DIR] [--smoke]

Every contender shifts the same files: the names ending in .jpg (any case) that do not start
with a dot. Each contender's first timed run is checked: every matching file moved by exactly
the shift, to the nanosecond, and every other file did not move.
"""
import argparse
import os
import platform
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
LAYOUT = "3"  # bump when the generated trees change


def generate(root, files):
    """About 100 files a directory, three levels: root/aNN/bNN/<files>. Of each hundred,
    45 end in .jpg and 45 in .JPG, 8 are notes that do not match, and 2 are hidden."""
    marker = os.path.join(root, ".layout")
    want = f"{LAYOUT} {files}"
    if os.path.exists(marker) and open(marker).read() == want:
        return
    shutil.rmtree(root, ignore_errors=True)
    leaves = max(1, files // 100)
    side = 1
    while side * side < leaves:
        side += 1
    made = 0
    stamp = (1_600_000_000 * 10**9 + 123_456_789, 1_600_000_000 * 10**9 + 123_456_789)
    for leaf in range(leaves):
        d = os.path.join(root, f"a{leaf // side:03d}", f"b{leaf % side:03d}")
        os.makedirs(d, exist_ok=True)
        count = min(100, files - made) if leaf < leaves - 1 else files - made
        for i in range(count):
            if i % 50 == 48:
                name = f"notes_{i}.txt"
            elif i % 50 == 49:
                name = f".cache_{i}.jpg"
            elif i % 2:
                name = f"IMG_{i:04d}.JPG"
            else:
                name = f"img_{i:04d}.jpg"
            path = os.path.join(d, name)
            with open(path, "wb"):
                pass
            os.utime(path, ns=stamp)
        made += count
    with open(marker, "w") as f:
        f.write(want)


def matching(name):
    return not name.startswith(".") and name.lower().endswith(".jpg")


def snapshot(root):
    times = {}
    for dirpath, _dirs, names in os.walk(root):
        for name in names:
            if name == ".layout":
                continue
            path = os.path.join(dirpath, name)
            times[path] = os.stat(path, follow_symlinks=False).st_mtime_ns
    return times


def check(before, after, minutes):
    shift = minutes * 60 * 10**9
    wrong = [
        p for p, t in before.items()
        if after[p] - t != (shift if matching(os.path.basename(p)) else 0)
    ]
    if wrong:
        sys.exit(f"{len(wrong)} files not shifted as asked, e.g. {wrong[0]}")


def run(command, cwd, stdout):
    """Wall time in seconds and peak resident memory in KiB of one command. The memory comes
    from GNU time, whose own small process is the one that starts the command: a child of
    this script would count the script's memory from before the command started."""
    peakfile = stdout + ".peak"
    with open(stdout, "wb") as out:
        start = time.perf_counter()
        status = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", peakfile] + command,
                                cwd=cwd, stdout=out, stderr=out).returncode
        wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{command[0]} failed with status {status}")
    return wall, int(open(peakfile).read().split()[-1])


def contenders(args, minutes):
    """The commands, each run in the tree's top directory."""
    z = [args.zamtik, "*.jpg", f"-m{minutes}", "-d"]
    return {
        "floor": [args.floor, ".", ".jpg", str(minutes)],
        "open floor": [args.floor, "--open", ".", ".jpg", str(minutes)],
        "zamtik -d": z,
        "zamtik -d -v (to a file)": z + ["-v"],
        "python os.walk + os.utime": [sys.executable, os.path.join(HERE, "pyshift.py"), ".",
                                      "*.jpg", str(minutes)],
        "find -exec touch": ["find", ".", "-type", "f", "-iname", "*.jpg", "!", "-name", ".*",
                             "-exec", "touch", "-m", "-r", "{}", "-d", f"{minutes:+d} minutes",
                             "{}", ";"],
    }


def measure(args, files, results):
    root = os.path.join(args.work, f"tree-{files}")
    generate(root, files)
    output = os.path.join(args.work, "output.txt")
    subprocess.run(["find", root, "-type", "f"], stdout=subprocess.DEVNULL, check=True)
    names = list(contenders(args, 1))
    for name in names:
        if name == "find -exec touch" and files > args.find_limit:
            continue
        runs = 1 if name == "find -exec touch" else args.runs
        walls, peaks = [], []
        for i in range(runs + 1):  # the first run warms the cache and is not counted
            minutes = 60 if i % 2 == 0 else -60
            command = contenders(args, minutes)[name]
            before = snapshot(root) if i == 1 else None
            wall, peak = run(command, root, output)
            if before is not None:
                check(before, snapshot(root), minutes)
            if i > 0:
                walls.append(wall)
                peaks.append(peak)
        # An odd number of shifts leaves the tree one hour on; put it back for the next one.
        if (runs + 1) % 2:
            subprocess.run(contenders(args, -60)["floor"], cwd=root, check=True)
        wall = statistics.median(walls)
        results.append((name, files, wall, files / wall, max(peaks) / 1024))
        print(f"{files:>9} {name:<28} {wall:8.3f} s {files / wall:12.0f} files/s "
              f"{max(peaks) / 1024:7.1f} MiB", flush=True)


def machine(work):
    cpu = "unknown processor"
    try:
        for line in open("/proc/cpuinfo"):
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    except OSError:
        pass
    fs = subprocess.run(["findmnt", "-n", "-o", "FSTYPE", "-T", work], capture_output=True,
                        text=True).stdout
    return (f"{cpu}, {os.cpu_count()} cores, Linux {platform.release()}, "
            f"{fs.strip()} file system, warm cache")


def write(results, out, work):
    floor = {files: wall for name, files, wall, _rate, _rss in results if name == "floor"}
    opened = {files: wall for name, files, wall, _rate, _rss in results if name == "open floor"}
    lines = ["| contender | files | median wall time | files per second | peak memory | "
             "time / floor | time / open floor |", "|---|---:|---:|---:|---:|---:|---:|"]
    for name, files, wall, rate, rss in results:
        lines.append(f"| {name} | {files:,} | {wall:.3f} s | {rate:,.0f} | {rss:.1f} MiB | "
                     f"{wall / floor[files]:.2f} | {wall / opened[files]:.2f} |")
    table = "\n".join(lines) + "\n"
    with open(os.path.join(out, "results.md"), "w") as f:
        f.write(f"Measured on {machine(work)}.\n\n{table}")
    print(table)

    names = list(dict.fromkeys(name for name, *_ in results))
    data = os.path.join(out, "results.dat")
    with open(data, "w") as f:
        for name in names:
            f.write(f'"{name}"\n')
            for n, files, _wall, rate, _rss in results:
                if n == name:
                    f.write(f"{files} {rate:.0f}\n")
            f.write("\n\n")
    if shutil.which("gnuplot") is None:
        print("gnuplot is not installed: no plot")
        return
    plot = "; ".join(f'"{data}" index {i} with linespoints title columnheader(1)'
                     for i in range(len(names))).replace("; ", ", ")
    script = f"""
set terminal pngcairo size 900,540 font ",11"
set output "{os.path.join(out, 'results.png')}"
set title "Shifting the .jpg files of a tree (higher is better)"
set xlabel "files in the tree"
set ylabel "files per second"
set logscale xy
set key outside right
set grid
plot {plot}
"""
    subprocess.run(["gnuplot"], input=script, text=True, check=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zamtik", required=True, type=os.path.abspath)
    parser.add_argument("--floor", required=True, type=os.path.abspath)
    parser.add_argument("--sizes", default="10000,100000,1000000")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--find-limit", type=int, default=10000)
    parser.add_argument("--work", default="/tmp/zamtik-bench")
    parser.add_argument("--out", default=HERE)
    parser.add_argument("--smoke", action="store_true",
                        help="one small tree, one run each: checks that everything works")
    args = parser.parse_args()
    if args.smoke:
        args.sizes, args.runs, args.find_limit = "1000", 1, 1000
    os.makedirs(args.work, exist_ok=True)
    os.makedirs(args.out, exist_ok=True)
    results = []
    for files in [int(s) for s in args.sizes.split(",")]:
        measure(args, files, results)
    write(results, args.out, args.work)


if __name__ == "__main__":
    main()
