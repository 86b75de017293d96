#!/bin/sh
# The viewer in the real window program on a virtual X display, driven by input events
# as a user drives it: `widmo photo.jpg` shows the photograph in Image1; PoliczFFT paints
# its spectrum in Image2; a double-click on Image2 opens the spectrum's viewer, titled with
# the file's name; log and Hann are chosen from the keyboard (Alt+D, Alt+W) and Ctrl+S
# saves PNG, which must be byte for byte what `widmo-cli -m log -w hann` writes.
# Usage: viewer_smoke.sh PATH-TO-WIDMO PATH-TO-WIDMO-CLI [FOLDER-FOR-SCREENSHOTS]. Exit
# status 77 (skipped) without xvfb-run, xdotool or ImageMagick's import.
set -eu
widmo=$(realpath "$1")
cli=$(realpath "$2")
shots=${3:-}

. "$(dirname "$0")/support/shell_test.sh"
on_virtual_display viewer_smoke 1280x1024x24 "$@"
# English texts, whatever the developer speaks: the script looks for the titles.
LANG=C.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES=
export LANG LANGUAGE LC_ALL LC_MESSAGES
work=$(mktemp -d)
# The viewers' places and the folders last used go here, not to the user's settings.
XDG_CONFIG_HOME=$work/config
export XDG_CONFIG_HOME
cp "$(dirname "$0")/../samples/astronaut.jpg" "$work/photo.jpg"
pid=""

finish() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT

fail() {
    echo "viewer_smoke: $1" >&2
    shoot failed
    exit 1
}

shoot() {
    [ -n "$shots" ] && import -window root "$shots/viewer-$1.png" || true
}

# The number of colours in the window's box at ($2, $3), 217 x 217 ($1: the window).
colours_in_box() {
    import -window "$1" -crop "217x217+$2+$3" -format %k info:
}


(cd "$work" && exec "$widmo" photo.jpg) &
pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Form1$' | head -n 1) || true
[ -n "$window" ] || fail "no window appeared"
# Image1 stands at 32, 24 and Image2 at 312, 24; an empty box has one colour.
wait_until '[ "$(colours_in_box "$window" 32 24)" -gt 10 ]' || fail "Image1 shows no photograph"
shoot loaded

# PoliczFFT (320, 272, 113 x 33), clicked again while no spectrum shows, as a busy machine
# may drop a click.
spectrum_shown() {
    [ "$(colours_in_box "$window" 312 24)" -gt 1 ]
}
for _ in $(seq 10); do
    xdotool mousemove --window "$window" 376 288 click 1
    wait_until spectrum_shown 25 && break
done
spectrum_shown || fail "PoliczFFT painted no spectrum"

viewer=""
for _ in $(seq 10); do
    xdotool mousemove --window "$window" 420 132 click --repeat 2 --delay 60 1
    viewer=$(timeout 5 xdotool search --sync --onlyvisible --name '^photo\.jpg - spectrum' | head -n 1) || true
    [ -n "$viewer" ] && break
done
[ -n "$viewer" ] || fail "a double-click on Image2 opened no viewer titled with the file"
shoot viewer

# Log from the display list, Hann from the window list: a letter picks the entry.
title() {
    xdotool getwindowname "$viewer"
}
for _ in $(seq 10); do
    xdotool windowactivate --sync "$viewer" 2>/dev/null || xdotool windowfocus --sync "$viewer" || true
    xdotool key alt+d && xdotool type l
    xdotool key alt+w && xdotool type h
    wait_until 'case "$(title)" in *"spectrum: log, window hann, padding zero"*) true ;; *) false ;; esac' 10 && break
done
case "$(title)" in
*"spectrum: log, window hann, padding zero"*) ;;
*) fail "log and Hann were not chosen: $(title)" ;;
esac

# Saving waits for the Hann spectrum; Ctrl+S is pressed again until the dialog comes.
saved=$work/out.png
dialog=""
for _ in $(seq 30); do
    xdotool windowactivate --sync "$viewer" 2>/dev/null || true
    xdotool key ctrl+s
    dialog=$(timeout 2 xdotool search --sync --onlyvisible --name '^Save$' | head -n 1) || true
    [ -n "$dialog" ] && break
done
[ -n "$dialog" ] || fail "Ctrl+S opened no dialog"
shoot viewer-log-hann
for _ in $(seq 5); do
    xdotool windowfocus --sync "$dialog" 2>/dev/null || true
    xdotool key ctrl+a
    xdotool type --delay 10 "$saved"
    xdotool key Return
    wait_until '[ -s "$saved" ]' 25 && break
done
[ -s "$saved" ] || fail "nothing was saved"

"$cli" -m log -w hann "$work/photo.jpg" "$work/cli.png"
cmp "$saved" "$work/cli.png" || fail "the saved picture differs from widmo-cli's"
echo "viewer_smoke: the saved view is widmo-cli's picture"
