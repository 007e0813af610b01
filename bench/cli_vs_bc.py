#!/usr/bin/python3
"""quillsum-calc on a money tape against bc adding the same amounts, as whole processes.

Writes a tape of N random amounts ("+ 12,345", "- 980.50", "75,954.12": commas, cents, tape
operators; seeded, so every run uses the same tape), and a bc script that adds the same
amounts and prints the total. Runs the two in turn (A B A B ...) and prints, for each, the
median processor time (user + system) and wall time of the finished process, and the median
of the pairwise ratios. The totals are compared first: a wrong total is not timed.

Usage (from the build folder's parent):
  bench/cli_vs_bc.py [--lines 100000] [--runs 20] build/bin/quillsum-calc
"""

import argparse
import decimal
import os
import random
import resource
import statistics
import subprocess
import tempfile
import time


def tapes(lines, seed=20261207):
    rnd = random.Random(seed)
    tape, bc = [], ["scale=2", "t=0"]
    for i in range(lines):
        cents = rnd.random() < 0.3
        whole = rnd.randint(1, 999_999)
        amount = f"{whole:,}" + (f".{rnd.randint(0, 99):02d}" if cents else "")
        plain = amount.replace(",", "")
        sign = "-" if i > 0 and rnd.random() < 0.2 else "+"
        tape.append(amount if i == 0 or rnd.random() < 0.1 and sign == "+" else f"{sign} {amount}")
        bc.append(f"t=t{sign}{plain}")
    bc += ["t", "quit"]
    return "\n".join(tape) + "\n", "\n".join(bc) + "\n"


def timed(command):
    """Processor seconds (user + system) and wall seconds of one finished child process."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
    wall = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return cpu, wall


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lines", type=int, default=100_000)
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("program")
    args = parser.parse_args()

    tape, bc = tapes(args.lines)
    with tempfile.TemporaryDirectory() as folder:
        tape_file = os.path.join(folder, "tape.txt")
        bc_file = os.path.join(folder, "sum.bc")
        with open(tape_file, "w") as f:
            f.write(tape)
        with open(bc_file, "w") as f:
            f.write(bc)
        ours = [args.program, tape_file]
        theirs = ["bc", "-q", bc_file]
        total = subprocess.run(ours, capture_output=True, text=True, check=True).stdout
        expected = subprocess.run(theirs, capture_output=True, text=True, check=True).stdout
        ours_total = total.splitlines()[-1].removeprefix("= ").replace(",", "")
        if decimal.Decimal(ours_total) != decimal.Decimal(expected.strip()):
            raise SystemExit(f"totals differ: {ours_total!r} against {expected.strip()!r}")
        timed(ours), timed(theirs)  # warm the file cache
        a, b = [], []
        for _ in range(args.runs):
            a.append(timed(ours))
            b.append(timed(theirs))
    for name, runs in (("quillsum-calc", a), ("bc", b)):
        print(f"{name} lines={args.lines} cpu_ms_median={statistics.median(r[0] for r in runs) * 1000:.1f}"
              f" wall_ms_median={statistics.median(r[1] for r in runs) * 1000:.1f}")
    ratios = [x[0] / y[0] for x, y in zip(a, b) if y[0] > 0]
    print(f"ratio_cpu_median={statistics.median(ratios):.2f} runs={args.runs}")


if __name__ == "__main__":
    main()
