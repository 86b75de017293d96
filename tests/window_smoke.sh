#!/bin/sh
# Smoke test of the real window program: on a virtual X display it starts, shows its
# window, and quits with exit status 0 when Zamknij is clicked.
# Usage: window_smoke.sh PATH-TO-WIDMO. Exit status 77 (skipped) without xvfb-run or xdotool.
set -eu
widmo=$1

if [ "${WIDMO_SMOKE_DISPLAY:-}" != 1 ]; then
    for tool in xvfb-run xdotool; do
        if ! command -v "$tool" >/dev/null; then
            echo "window_smoke: $tool is not installed" >&2
            exit 77
        fi
    done
    WIDMO_SMOKE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$widmo"
fi

unset QT_QPA_PLATFORM
# Under the address sanitizer, D-Bus's own leak at exit must not count as the program's.
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/window_smoke.supp"
export LSAN_OPTIONS
"$widmo" &
pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Form1$' | head -n 1) || true
if [ -z "$window" ]; then
    echo "window_smoke: no window appeared" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
fi

# The centre of Zamknij, which the form places at 584, 24 with size 97 x 33.
xdotool mousemove --window "$window" 632 40 click 1

for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
    echo "window_smoke: still running 10 s after Zamknij" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
fi
status=0
wait "$pid" || status=$?
echo "window_smoke: exit status $status"
exit "$status"
