#!/usr/bin/env bash
# The window as a screen reader hears it: starts the real program in a private X
# server with its own session bus and accessibility bus, reads the chord cards'
# names over AT-SPI (atspi_names.py), presses 3 and reads them again.
#
#   run_atspi.sh PROGRAM
set -uo pipefail

program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

source "$here/../lib/harness.sh" --session-bus "$@"
launcher=""
stop_at_exit+=(launcher)
start_x_server

# The accessibility bus and its registry; the program finds them on the session bus.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/launcher.log" 2>&1 &
launcher=$!
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 && break
    sleep 0.05
done

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
app=$!

coproc reader { /usr/bin/python3 "$here/atspi_names.py" 2>&1; }
reader_pid=$reader_PID
while IFS= read -r line <&"${reader[0]}"; do
    echo "# $line"
    if [[ "$line" == ready ]]; then
        window=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n 1)
        xdotool windowfocus --sync "$window" key 3
        echo pressed >&"${reader[1]}"
    fi
done
wait "$reader_pid"
status=$?
if [[ $status -eq 0 ]]; then
    pass "chord cards named as spoken over AT-SPI"
else
    fail "chord cards named as spoken over AT-SPI"
    echo "# --- program output"
    sed 's/^/# /' "$work/program.log"
fi
finish
