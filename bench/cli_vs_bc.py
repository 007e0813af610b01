#!/usr/bin/python3
"""quillsum-calc on seeded tapes against bc computing the same totals, as whole processes.

Two tapes (seeded, so every run uses the same ones), each with a bc script that computes the
same total:
  money  N random amounts ("+ 12,345", "- 980.50", "75,954.12": commas, cents, tape
         operators), added by bc at scale 2;
  mixed  amounts, "* 3" every seventh line and "(a+b)/2" every fourth, after an opening
         balance of 25 digits, so that the total carries 28 digits, 25 whole and 3 after the
         point (a "* 3" that would pass 10^25 becomes a payment of two thirds of the total in
         15 digits); bc works at scale 4, where every step of this tape is exact.
Runs quillsum-calc and bc in turn (A B A B ...) and prints, for each, the median processor
time (user + system) and wall time of the finished process, and the median of the pairwise
ratios. The totals are compared first: a wrong total is not timed.

Usage (from the build folder's parent):
  bench/cli_vs_bc.py [--tape money|mixed|both] [--lines 100000] [--runs 20] build/bin/quillsum-calc
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


def money_tape(lines, seed=20261207):
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


def mixed_tape(lines, seed=20261207):
    rnd = random.Random(seed)
    exact = decimal.Context(prec=80)
    limit = decimal.Decimal(10) ** 25

    def amount():
        whole = rnd.randint(1, 999_999)
        return f"{whole}" + (f".{rnd.randint(0, 99):02d}" if rnd.random() < 0.5 else "")

    opening = rnd.randint(10**14, 10**15 - 1) * 10**10
    tape, bc = [f"{opening:,}"], ["scale=4", f"t={opening}"]
    total = decimal.Decimal(opening)
    for i in range(1, lines):
        if i % 7 == 3 and abs(total) * 3 < limit:
            tape.append("* 3")
            bc.append("t=t*3")
            total = exact.multiply(total, 3)
        elif i % 7 == 3:
            # A whole number of 15 significant digits: the tape reads it exactly.
            pay = int(total * 2 / 3)
            pay = round(pay, 15 - len(str(pay)))
            tape.append(f"- {pay:,}")
            bc.append(f"t=t-{pay}")
            total = exact.subtract(total, pay)
        elif i % 4 == 2:
            a, b = amount(), amount()
            tape.append(f"({a}+{b})/2")
            bc.append(f"t=t+({a}+{b})/2")
            total = exact.add(total, exact.divide(exact.add(decimal.Decimal(a), decimal.Decimal(b)), 2))
        else:
            a = amount()
            sign = "-" if rnd.random() < 0.3 else "+"
            tape.append(f"{sign} {decimal.Decimal(a):,}")
            bc.append(f"t=t{sign}{a}")
            total = exact.add(total, decimal.Decimal(a) if sign == "+" else -decimal.Decimal(a))
    bc += ["t", "quit"]
    return "\n".join(tape) + "\n", "\n".join(bc) + "\n"


TAPES = {"money": money_tape, "mixed": mixed_tape}


def timed(command):
    """Processor seconds (user + system) and wall seconds of one finished child process."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
    wall = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return cpu, wall


def compare(name, program, lines, runs):
    tape, bc = TAPES[name](lines)
    with tempfile.TemporaryDirectory() as folder:
        tape_file = os.path.join(folder, "tape.txt")
        bc_file = os.path.join(folder, "sum.bc")
        with open(tape_file, "w") as f:
            f.write(tape)
        with open(bc_file, "w") as f:
            f.write(bc)
        ours = [program, tape_file]
        theirs = ["bc", "-q", bc_file]
        total = subprocess.run(ours, capture_output=True, text=True, check=True).stdout
        expected = subprocess.run(theirs, capture_output=True, text=True, check=True).stdout
        ours_total = total.splitlines()[-1].removeprefix("= ").replace(",", "")
        if decimal.Decimal(ours_total) != decimal.Decimal(expected.strip()):
            raise SystemExit(f"{name}: totals differ: {ours_total!r} against {expected.strip()!r}")
        timed(ours), timed(theirs)  # warm the file cache
        a, b = [], []
        for _ in range(runs):
            a.append(timed(ours))
            b.append(timed(theirs))
    for who, timings in (("quillsum-calc", a), ("bc", b)):
        print(f"{name} {who} lines={lines} total_digits={len(ours_total.replace('.', '').lstrip('-'))}"
              f" cpu_ms_median={statistics.median(r[0] for r in timings) * 1000:.1f}"
              f" wall_ms_median={statistics.median(r[1] for r in timings) * 1000:.1f}")
    ratios = [x[0] / y[0] for x, y in zip(a, b) if y[0] > 0]
    print(f"{name} ratio_cpu_median={statistics.median(ratios):.2f} runs={runs}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tape", choices=["money", "mixed", "both"], default="both")
    parser.add_argument("--lines", type=int, default=100_000)
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("program")
    args = parser.parse_args()
    for name in TAPES if args.tape == "both" else [args.tape]:
        compare(name, args.program, args.lines, args.runs)


if __name__ == "__main__":
    main()
