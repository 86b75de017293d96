#!/bin/sh
# widmo-cli is headless: no Qt widget module may be loaded with it, not even through
# another library. Usage: cli_modules_test.sh PATH-TO-WIDMO-CLI
set -eu
found=$(ldd "$1" | grep -oE '^\s*libQt6(Widgets|UiTools|OpenGLWidgets)[^ ]*' || true)
if [ -n "$found" ]; then
    echo "widmo-cli loads widget modules:" $found >&2
    exit 1
fi
ldd "$1" | grep -q 'libQt6Core' || { echo "ldd shows no Qt at all for $1" >&2; exit 1; }
