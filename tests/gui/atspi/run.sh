#!/bin/bash
# The desktop program as a screen reader sees it: Xvfb, a private session bus and the
# accessibility bus, the program with Qt's AT-SPI bridge on, keys typed through XTest, and
# check.py listening to what arrives over AT-SPI. Exit 77 (skipped) without the tools.
#   run.sh PATH/TO/quillsum
set -u
PROGRAM=$1
HERE=$(cd "$(dirname "$0")" && pwd)
PY=/usr/bin/python3
LAUNCHER=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb dbus-daemon xdotool; do
    command -v $tool >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
[ -x $LAUNCHER ] || { echo "skipped: at-spi2-core is missing"; exit 77; }
$PY -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null \
    || { echo "skipped: python3-gi with Atspi is missing"; exit 77; }

RUN=$(mktemp -d)
PIDS=()
cleanup() {
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$RUN"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$RUN/xdg
mkdir -m 700 "$XDG_RUNTIME_DIR"
export LANG=C.UTF-8 QUILL_PROGRAM_FOLDER=$RUN/program
mkdir "$QUILL_PROGRAM_FOLDER"

# A display that answers: on a busy machine the first server may lose its display to another
# one starting at the same moment, so a server that does not answer is replaced once.
start_display() {
    rm -f "$RUN/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$RUN/display" 2>>"$RUN/xvfb.log" &
    PIDS+=($!)
    for _ in $(seq 200); do [ -s "$RUN/display" ] && break; sleep 0.05; done
    export DISPLAY=:$(head -1 "$RUN/display" 2>/dev/null)
    for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && return 0; sleep 0.05; done
    return 1
}
start_display || start_display || { echo "no display answered"; cat "$RUN/xvfb.log"; exit 1; }
dbus-daemon --session --nofork --nopidfile --print-address=4 4>"$RUN/bus" 2>"$RUN/dbus.log" &
PIDS+=($!)
for _ in $(seq 100); do [ -s "$RUN/bus" ] && break; sleep 0.05; done
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$RUN/bus")
$LAUNCHER --launch-immediately --a11y=1 >"$RUN/atspi.log" 2>&1 &
PIDS+=($!)

# Under the sanitizer run: libxkbcommon-x11 hands xcb's unterminated atom names to strndup,
# which strict string checks report inside that library before the program's own code runs.
if [ -n "${ASAN_OPTIONS:-}" ]; then export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"; fi
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb \
    "$PROGRAM" >"$RUN/program.log" 2>&1 &
PROGRAM_PID=$!
PIDS+=($PROGRAM_PID)
$PY "$HERE/check.py" $PROGRAM_PID
status=$?
[ $status -eq 0 ] || tail -60 "$RUN/program.log"
exit $status
