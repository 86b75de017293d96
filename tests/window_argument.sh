#!/bin/sh
# `widmo FILE` with a name that is not UTF-8 loads that very file, without a message, and a
# missing one brings the message box: the window's argument keeps the bytes it is given.
# Usage: window_argument.sh PATH-TO-WIDMO SOURCE-FOLDER. Exit status 77 (skipped) without
# xvfb-run or xdotool.
set -eu
widmo=$1
source=$2
. "$(dirname "$0")/support/shell_test.sh"
require_tools window_argument xvfb-run xdotool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
name=$(printf "$work/caf\351.bmp")
cp "$source/samples/disc-grey.bmp" "$name"
unset QT_QPA_PLATFORM
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$source/tests/window_smoke.supp"
export LSAN_OPTIONS
xvfb-run -a -s "-screen 0 1024x768x24" "$source/scripts/fresh-test" --argument "$widmo" "$name"
