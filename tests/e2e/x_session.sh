# Shared by the end-to-end scripts (sourced, not run): a private work folder
# and runtime folder, PASS/FAIL bookkeeping, and a private X server.
#
#   source x_session.sh; start_x_server [WIDTHxHEIGHT]; check NAME COMMAND...; finish
# The processes whose ids stand in the variables named in `stop_at_exit` (app,
# x_server and any a script adds; a negative id names a process group) are
# stopped when the script ends.

work=$(mktemp -d)
passed=0
failed=0
app=""
x_server=""
stop_at_exit=(app x_server)

end_session() {
    local name
    for name in "${stop_at_exit[@]}"; do
        [[ -n "${!name:-}" ]] && kill -- "${!name}" 2>/dev/null
    done
    rm -rf "$work"
}
trap end_session EXIT

check() { # check NAME COMMAND...
    local name=$1
    shift
    if "$@"; then
        echo "PASS $name"
        passed=$((passed + 1))
    else
        echo "FAIL $name"
        failed=$((failed + 1))
    fi
}

finish() { # the closing line; status 1 when anything failed
    echo "$passed passed, $failed failed"
    [[ $failed -eq 0 ]]
    exit
}

mkdir -m 0700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# Starts Xvfb on a free display (it picks the number itself) and sets DISPLAY
# and x_server (its process id); exits the script when it does not start.
start_x_server() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset \
        3>"$work/display" 2>"$work/xvfb.log" &
    x_server=$!
    for _ in $(seq 100); do
        [[ -s "$work/display" ]] && break
        sleep 0.05
    done
    [[ -s "$work/display" ]] || { echo "FAIL Xvfb starts"; cat "$work/xvfb.log"; exit 1; }
    export DISPLAY=":$(head -n 1 "$work/display")"
}
