#!/usr/bin/python3
"""Keystroke to pixels in the real desktop window, under Xvfb, against a bare editor.

For each program and sheet size: start the program on a fresh Xvfb display (the time until
its window is mapped), paste a money tape of N lines through the clipboard, read its resident
memory, then type keys with XTest (like a keyboard) and time each one until the window's
pixels settle (the last damage the X server reports before a quiet gap). Prints one line per
measurement; quote medians.

Needs Debian's xvfb, python3-xlib and xclip. Usage (from the build folder):
  bench/keystroke_latency.py [--lines 1000,10000,100000] [--keys 15] [--sessions 3]
                             [--caret top|end] PROGRAM [PROGRAM ...]
  bench/keystroke_latency.py --enter 10000 [--keys 5] PROGRAM [PROGRAM ...]
  bench/keystroke_latency.py --start 15 PROGRAM [PROGRAM ...]
The program runs in a program folder of its own whose setting.ini asks for recalculation on
every input (with --enter: on Enter, so the pasted lines are not calculated before Enter).
"""
import argparse
import os
import select
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, XK, display
from Xlib.ext import damage, xtest

QUIET = 0.15  # a gap this long without damage ends a measurement (the caret blinks at 0.5 s)

PATTERN = ["12,800", "+ 3,450", "- 1,200", "* 1.08", "+ 980", "1,234+5*2", "ROUND(1234.5, 0)",
           "+ 45,000", "/ 2", "+ 19,800", "- 350", "+ 2,400*3", "", "+ 7,777", "INT(12345.678)"]


def money_tape(lines):
    return "\n".join(PATTERN[i % len(PATTERN)] for i in range(lines))


class Session:
    count = 0

    def __init__(self, program, recalc):
        self.folder = tempfile.TemporaryDirectory()
        with open(os.path.join(self.folder.name, "setting.ini"), "w") as f:
            f.write(f"[Calc]\nReCalc={recalc}\nketa=3\nTalk=0\n")
        Session.count += 1
        self.number = 100 + (os.getpid() * 7 + Session.count) % 400
        self.xvfb = subprocess.Popen(["Xvfb", f":{self.number}", "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp"], stderr=subprocess.DEVNULL)
        for _ in range(200):
            if os.path.exists(f"/tmp/.X11-unix/X{self.number}"):
                break
            time.sleep(0.02)
        self.d = display.Display(f":{self.number}")
        self.d.damage_query_version()
        self.root = self.d.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.d.sync()
        env = dict(os.environ, DISPLAY=f":{self.number}", QUILL_PROGRAM_FOLDER=self.folder.name,
                   XDG_RUNTIME_DIR=self.folder.name)
        env.pop("QT_QPA_PLATFORM", None)
        start = time.monotonic()
        self.program = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.window = self.wait_for_map()
        self.mapped_ms = (time.monotonic() - start) * 1000
        self.damage = self.window.damage_create(damage.DamageReportRawRectangles)
        self.settle(5.0)
        self.window.set_input_focus(X.RevertToParent, X.CurrentTime)
        self.d.sync()
        self.settle(1.0)

    def wait_for_map(self):
        pid_atom = self.d.intern_atom("_NET_WM_PID")
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            if not self.d.pending_events():
                select.select([self.d.fileno()], [], [], 0.05)
                continue
            event = self.d.next_event()
            if event.type != X.MapNotify:
                continue
            prop = event.window.get_full_property(pid_atom, X.AnyPropertyType)
            if prop and prop.value[0] == self.program.pid:
                return event.window
        raise RuntimeError("the window was never mapped")

    def settle(self, limit, start=None):
        """Seconds from `start` (default now) to the last damage before a quiet gap (0 when
        none came)."""
        start = start or time.monotonic()
        last = start
        while True:
            now = time.monotonic()
            if now - last >= QUIET or now - start > limit:
                return last - start
            if not self.d.pending_events():
                select.select([self.d.fileno()], [], [], QUIET - (now - last))
            while self.d.pending_events():
                if self.d.next_event().type != X.MapNotify:
                    last = time.monotonic()

    def key(self, name, modifier=None):
        code = self.d.keysym_to_keycode(XK.string_to_keysym(name))
        mod = self.d.keysym_to_keycode(XK.string_to_keysym(modifier)) if modifier else None
        if mod:
            xtest.fake_input(self.d, X.KeyPress, mod)
        xtest.fake_input(self.d, X.KeyPress, code)
        xtest.fake_input(self.d, X.KeyRelease, code)
        if mod:
            xtest.fake_input(self.d, X.KeyRelease, mod)
        self.d.flush()

    def timed_key(self, name):
        start = time.monotonic()
        self.key(name)
        return self.settle(5.0, start) * 1000

    def paste(self, text):
        # xclip serves the clipboard in the foreground until the paste has taken the text.
        clip = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                                stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL,
                                env=dict(os.environ, DISPLAY=f":{self.number}"))
        clip.stdin.write(text.encode())
        clip.stdin.close()
        time.sleep(0.3)
        self.key("v", "Control_L")
        self.idle()
        clip.terminate()
        clip.wait(10)

    def cpu_ticks(self):
        with open(f"/proc/{self.program.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])

    def idle(self):
        """Waits until the program has used no processor time for half a second."""
        ticks = self.cpu_ticks()
        while True:
            self.settle(0.5)
            time.sleep(0.5)
            now = self.cpu_ticks()
            if now == ticks:
                self.settle(0.2)
                return
            ticks = now

    def rss_mib(self):
        with open(f"/proc/{self.program.pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024
        return 0

    def close(self):
        self.program.terminate()
        self.program.wait(10)
        self.d.close()
        self.xvfb.terminate()
        self.xvfb.wait(10)
        self.folder.cleanup()


def typing(program, lines, keys, caret, sessions):
    # A session now and then runs slow as a whole (the display server, a busy machine): the
    # median of the sessions' medians is quoted.
    medians, rss, mapped = [], [], []
    for _ in range(sessions):
        s = Session(program, -1)
        try:
            s.paste(money_tape(lines))
            rss.append(s.rss_mib())
            mapped.append(s.mapped_ms)
            s.key("Home" if caret == "top" else "End", "Control_L")
            s.idle()
            times = []
            for k in range(keys):
                times.append(s.timed_key("1" if k % 2 == 0 else "BackSpace"))
                s.idle()
            medians.append(statistics.median(times))
        finally:
            s.close()
    print(f"{os.path.basename(program)} lines={lines} caret={caret} "
          f"key_ms_median={statistics.median(medians):.1f} "
          f"sessions={' '.join(f'{m:.1f}' for m in medians)} "
          f"rss_MiB={statistics.median(rss):.1f} mapped_ms={statistics.median(mapped):.1f}",
          flush=True)


def enter(program, lines, keys):
    times = []
    for _ in range(keys):
        s = Session(program, 1)
        try:
            s.paste(money_tape(lines))
            s.key("End", "Control_L")
            s.idle()
            times.append(s.timed_key("Return"))
        finally:
            s.close()
    print(f"{os.path.basename(program)} enter lines={lines} ms_median={statistics.median(times):.1f}"
          f" min={min(times):.1f} max={max(times):.1f}"
          f" each={' '.join(f'{t:.1f}' for t in times)}", flush=True)


def starts(programs, count):
    times = {p: [] for p in programs}
    for _ in range(count):
        for program in programs:  # in turn, so that a drift of the machine hits all alike
            s = Session(program, -1)
            times[program].append(s.mapped_ms)
            s.close()
    for program in programs:
        t = times[program]
        print(f"{os.path.basename(program)} start_to_mapped_ms_median={statistics.median(t):.1f}"
              f" min={min(t):.1f} max={max(t):.1f}", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lines", default="1000,10000,100000")
    parser.add_argument("--keys", type=int, default=15)
    parser.add_argument("--sessions", type=int, default=3)
    parser.add_argument("--caret", choices=["top", "end"], default="top")
    parser.add_argument("--enter", type=int, default=0)
    parser.add_argument("--start", type=int, default=0, help="only start the programs N times")
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    if args.start:
        starts(args.programs, args.start)
        return 0
    for lines in [int(n) for n in args.lines.split(",")]:
        for program in args.programs:
            if args.enter:
                enter(program, args.enter, args.keys)
            else:
                typing(program, lines, args.keys, args.caret, args.sessions)
        if args.enter:
            break
    return 0


if __name__ == "__main__":
    sys.exit(main())
