#!/usr/bin/env python3
"""Compares builds of zamtik on one generated tree, runs interleaved in a random order so
that the machine's drift falls on all alike: the median time of each, and its ratio to the
floor's. For checking that a change keeps the speed, where the full benchmark's single
medians vary by several per cent from one run to the next.

    compare.py --floor FLOOR --tree DIR [--runs 21] ZAMTIK...

Make the tree with bench/run first (e.g. /tmp/zamtik-bench/tree-100000).
"""
import argparse
import os
import random
import statistics
import subprocess
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--floor", required=True, type=os.path.abspath)
    parser.add_argument("--tree", required=True)
    parser.add_argument("--runs", type=int, default=21)
    parser.add_argument("zamtik", nargs="+", type=os.path.abspath)
    args = parser.parse_args()
    commands = {"floor": lambda m: [args.floor, ".", ".jpg", str(m)]}
    for binary in args.zamtik:
        commands[binary] = lambda m, b=binary: [b, "*.jpg", f"-m{m}", "-d"]
    times = {name: [] for name in commands}
    shift = 60
    for _ in range(args.runs):
        order = list(commands)
        random.shuffle(order)
        for name in order:
            start = time.perf_counter()
            subprocess.run(commands[name](shift), cwd=args.tree, check=True)
            times[name].append(time.perf_counter() - start)
            shift = -shift
    # An odd number of shifts leaves the tree an hour on.
    if shift < 0:
        subprocess.run(commands["floor"](-60), cwd=args.tree, check=True)
    floor = statistics.median(times["floor"])
    for name, walls in times.items():
        median = statistics.median(walls)
        print(f"{name}: median {median:.3f} s, {median / floor:.3f} x the floor")


if __name__ == "__main__":
    main()
