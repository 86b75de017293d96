# Sourced by the shell tests that need tools a machine may lack, and by those that run the
# window program on a virtual X display.

# require_tools TEST TOOL...: the test is skipped (exit status 77) when a tool is missing.
require_tools() {
    test_name=$1
    shift
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "$test_name: $tool is not installed" >&2
            exit 77
        fi
    done
}

# on_virtual_display TEST SCREEN ARGUMENT...: runs the sourcing script again, with its
# arguments, under xvfb-run on a screen of SCREEN (WIDTHxHEIGHTxDEPTH), unless it runs there
# already; then the window program is to use that display, and under the address sanitizer
# D-Bus's own leak at exit does not count as the program's.
on_virtual_display() {
    if [ "${WIDMO_SMOKE_DISPLAY:-}" != 1 ]; then
        require_tools "$1" xvfb-run xdotool import
        screen=$2
        shift 2
        WIDMO_SMOKE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 $screen" "$0" "$@"
    fi
    unset QT_QPA_PLATFORM
    LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/window_smoke.supp"
    export LSAN_OPTIONS
}

# wait_until COMMAND [TIMES]: true once COMMAND succeeds, tried every 0.2 s up to TIMES
# times (100 by default).
wait_until() {
    for _ in $(seq "${2:-100}"); do
        eval "$1" && return 0
        sleep 0.2
    done
    return 1
}
