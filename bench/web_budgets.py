#!/usr/bin/env python3
"""The web edition's budgets: the size of the module after gzip, Eval throughput and a pass
over the 100,000-line money tape in node against the native build.

Each figure is the difference in processor time (user + system) between a long and a short run
of the same program, so that neither start-up nor, in node, the WebAssembly compile and the
optimising compile of the hot functions (some 60 ms, on V8's background threads) count: the
steady throughput. Medians of several rounds, run in turn with the native program, so that a
busy machine slows both alike.

Usage: bench/web_budgets.py BUILD_WEB_DIR NATIVE_BUDGET_PROGRAM
"""
import gzip
import resource
import statistics
import subprocess
import sys
from pathlib import Path

ROUNDS = 3
EVAL_LINES = (300_000, 1_500_000)
TAPE_PASSES = (2, 8)


def cpu_seconds(command):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def work_seconds(program, mode, counts):
    """Processor seconds of one unit of work, from a short and a long run."""
    short, long = counts
    spent = cpu_seconds(program + [mode, str(long)]) - cpu_seconds(program + [mode, str(short)])
    return spent / (long - short)


def main():
    web = Path(sys.argv[1])
    native = [sys.argv[2]]
    node = ["node", str(web / "bench" / "quill_web_budget.js")]

    module = (web / "quillsum.mjs").read_bytes()
    size = len(gzip.compress(module, 9))
    print(f"quillsum.mjs (loader with its WebAssembly): {len(module)} bytes, "
          f"{size} after gzip (budget 1,572,864)")

    evals = {"native": [], "node": []}
    tapes = {"native": [], "node": []}
    for _ in range(ROUNDS):
        for name, program in (("native", native), ("node", node)):
            evals[name].append(1 / work_seconds(program, "eval", EVAL_LINES))
            tapes[name].append(work_seconds(program, "tape", TAPE_PASSES) * 1000)
    rate = {k: statistics.median(v) for k, v in evals.items()}
    tape = {k: statistics.median(v) for k, v in tapes.items()}
    print(f"Eval, bench mix: native {rate['native']:,.0f} lines/s, node {rate['node']:,.0f} "
          f"lines/s: node/native {rate['node'] / rate['native']:.2f} (budget at least 0.5)")
    print(f"100,000-line money tape pass: native {tape['native']:.0f} ms, node "
          f"{tape['node']:.0f} ms: node/native {tape['node'] / tape['native']:.2f} "
          f"(budget at most 2)")


if __name__ == "__main__":
    main()
