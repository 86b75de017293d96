#!/bin/sh
# Smoke test of the real window program on a virtual X display: it starts and shows its
# window; Wczytaj opens the file dialog, which takes a sample picture's name; PoliczFFT
# paints its spectrum (the zero frequency white in the middle, the corner black, read
# back from the screen); and Zamknij quits with exit status 0. A message box on the way
# would keep the window from closing, so it fails the test as well.
# Usage: window_smoke.sh PATH-TO-WIDMO. Exit status 77 (skipped) without xvfb-run, xdotool
# or ImageMagick's import.
set -eu
widmo=$1

. "$(dirname "$0")/support/shell_test.sh"
on_virtual_display window_smoke 1024x768x24 "$@"
# Settings of this run alone: the file dialog must not open in a folder another test left
# it in, where a keystroke that reaches its list of files could pick one of that folder's.
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
XDG_CONFIG_HOME=$settings
export XDG_CONFIG_HOME
"$widmo" &
pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Form1$' | head -n 1) || true
if [ -z "$window" ]; then
    echo "window_smoke: no window appeared" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
fi

fail() {
    echo "window_smoke: $1" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
}

# Waits until the number of visible windows is $1, checking $2 times (100 by default)
# every 0.2 s.
wait_for_windows() {
    wait_until "[ \"\$(xdotool search --onlyvisible --name '.' | wc -l)\" -eq $1 ]" "${2:-100}"
}

# The grey level of the window's pixel at ($1, $2), as ImageMagick prints it.
pixel() {
    import -window "$window" -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1
}

# Button centres: the form places Wczytaj at 40, 272 and PoliczFFT at 320, 272, both
# 113 x 33, and Zamknij at 584, 24, 97 x 33.
xdotool mousemove --window "$window" 96 288 click 1
wait_for_windows 2 || fail "Wczytaj opened no file dialog"
dialog=$(xdotool search --onlyvisible --name '.' | grep -v "^$window\$" | head -n 1)
# Keys go to the window that has the focus, which a busy machine may not have handed to
# the dialog yet: give it the focus, and type the name again if the dialog stays.
sample="$(cd "$(dirname "$0")/.." && pwd)/samples/disc-grey.bmp"
for _ in $(seq 5); do
    xdotool windowfocus --sync "$dialog" 2>/dev/null || true
    xdotool key ctrl+a
    xdotool type --delay 10 "$sample"
    xdotool key Return
    wait_for_windows 1 15 && break
done
wait_for_windows 1 || fail "the file dialog did not take the picture's name"
# The 128 x 128 spectrum stands in the middle of Image2 (312, 24, 217 x 217), so its zero
# frequency, at (64, 64) of the picture, lands on the window's (420, 132). A click that
# comes while Qt still counts the window as blocked by the closing dialog is dropped, so
# PoliczFFT is clicked again until the spectrum shows, up to ten times.
centre=""
for _ in $(seq 10); do
    xdotool mousemove --window "$window" 376 288 click 1
    for _ in $(seq 10); do
        centre=$(pixel 420 132)
        case "$centre" in *"#FFFFFF"*) break 2 ;; esac
        sleep 0.2
    done
done
case "$centre" in *"#FFFFFF"*) ;; *) fail "no white zero frequency in the spectrum: $centre" ;; esac
corner=$(pixel 357 69)
case "$corner" in *"#000000"*) ;; *) fail "the spectrum's corner is not black: $corner" ;; esac

# Zamknij, clicked again every 2 s while the program runs, as a busy machine may drop a
# click as well.
for _ in $(seq 5); do
    xdotool mousemove --window "$window" 632 40 click 1 2>/dev/null || true
    for _ in $(seq 10); do
        kill -0 "$pid" 2>/dev/null || break 2
        sleep 0.2
    done
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
