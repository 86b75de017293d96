#!/bin/sh
# Without a desktop session the window program and `make run` (scripts/run) end with exit
# status 1 and one line in the user's language that names widmo-cli and xvfb-run: with no
# display named at all, and with a named display nobody serves, where Qt's platform plugin
# fails (instead of Qt's warnings, fatal message and abort).
# Usage: no_desktop_test.sh PATH-TO-WIDMO PATH-TO-SCRIPTS-RUN
set -u
widmo=$1
run_script=$2
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
failed=0

fail() {
    echo "no_desktop_test: $*" >&2
    sed 's/^/  stderr: /' "$errors" >&2
    failed=1
}

# check NAME PATTERN COMMAND...: exit status 1 with no display in the environment, and one
# line on standard error, matching PATTERN (grep -E) and naming widmo-cli and xvfb-run.
check() {
    name=$1 pattern=$2
    shift 2
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LC_ALL -u LC_MESSAGES -u LANGUAGE \
        "$@" >/dev/null 2>"$errors"
    status=$?
    [ "$status" -eq 1 ] || fail "$name: exit status $status, not 1"
    [ "$(wc -l <"$errors")" -eq 1 ] || fail "$name: not one line on standard error"
    grep -Eq "$pattern" "$errors" || fail "$name: the line does not match: $pattern"
    grep -q 'widmo-cli.*xvfb-run' "$errors" || fail "$name: the line does not name widmo-cli and xvfb-run"
}

check "no display, English" '^widmo: .*desktop session.*DISPLAY' LANG=C.UTF-8 "$widmo"
check "no display, Polish" '^widmo: .*sesji pulpitu' LANG=pl_PL.UTF-8 "$widmo"
check "make run, no display" '^make run: .*desktop session' LANG=C.UTF-8 \
    "$run_script" --check-display

# A display number with no X server behind it.
display=47
while [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
done
check "unreachable display" "cannot reach the desktop session at the display \":$display\"" \
    LANG=C.UTF-8 DISPLAY=":$display" "$widmo"
exit $failed
