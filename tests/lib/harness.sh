# Shared by the test scripts (sourced, not run): a private work folder, results
# in the Test Anything Protocol, waiting by polling, a private X server, and the
# Linux program's pictures that other builds are held against.
#
#   source harness.sh [--session-bus] "$@"
#                             --session-bus: the script runs again inside a private
#                             D-Bus session (dbus-run-session), so that it neither
#                             needs nor touches the user's
#   check NAME COMMAND...     "ok N - NAME" or "not ok N - NAME"; the command's
#                             output shows, as comment lines, when it fails
#   pass NAME / fail NAME     count one result
#   skip NAME REASON          a check that means nothing here, said so: "ok N - NAME # SKIP REASON"
#   include_tap FILE          counts the results another test program wrote to FILE
#   finish                    the plan "1..N" and the closing line "N passed, N failed";
#                             exits 1 when anything failed
#   wait_until COMMAND...     true once COMMAND is, within five seconds
#   within_one A B            A and B differ by one at most
#   centred POS SIZE SPACE    a span of SIZE at POS lies centred in SPACE, one pixel off at most
#   start_x_server [WxH]      a private Xvfb; sets DISPLAY and x_server
#   wait_for_window PID       true once a window of process PID is shown, within
#                             five seconds; sets window and its X Y WIDTH HEIGHT
#   pixel_of FILE X Y         "r,g,b" of a pixel of a picture
#   wait_for_pixel X Y R,G,B  true once the screen shows that colour there, within five seconds
#   ended_with STATUS         true once the process in `app` has ended with STATUS, within ten seconds
#   time_limit SECONDS        after SECONDS the script fails, says what it was doing (`stage`),
#                             shows the files named in `limit_logs` and ends with its results
#
# The processes whose ids stand in the variables named in `stop_at_exit` (app,
# x_server and any a script adds; a negative id names a process group) are
# stopped when the script ends, and the work folder is removed; a script that
# has more to undo appends its own function's name to `at_exit`.
#
# The scripts run with `set -uo pipefail` but without `-e`: a check that fails
# is counted and the script goes on to the next one, so that one run reports
# every fault, and a command that fails outside a check (a screenshot, a key)
# shows up in the checks after it rather than ending the script without its
# closing line. Where a script cannot go on it says so with `fail` and `finish`.

if [[ "${1:-}" == --session-bus ]]; then
    shift
    if [[ "${GRIFF_PRIVATE_SESSION_BUS:-}" != 1 ]]; then
        exec env GRIFF_PRIVATE_SESSION_BUS=1 dbus-run-session -- bash "$0" "$@"
    fi
fi

harness_tmp=$(mktemp -d)
work=$harness_tmp # a script may name a folder of its own that stays
passed=0
failed=0
app=""
stop_at_exit=(app)
at_exit=()
harness_started=$(date +%s)

# The X server goes last, once everything else has ended (within two seconds):
# a client that loses its display on the way out aborts (Fluxbox 1.3.7 on
# Debian 13 does, with a core dump).
harness_end() {
    local name i stopping=()
    for name in "${at_exit[@]}"; do
        "$name"
    done
    # Out of the job table: how each of them ends is no news (Orca 43, for
    # one, ends by its own SIGKILL).
    disown -a 2>/dev/null
    for ((i = ${#stop_at_exit[@]} - 1; i >= 0; i--)); do
        name=${stop_at_exit[i]}
        [[ "$name" != x_server && -n "${!name:-}" ]] || continue
        kill -- "${!name}" 2>/dev/null && stopping+=("${!name}")
    done
    for i in $(seq 40); do
        harness_any_alive "${stopping[@]}" || break
        sleep 0.05
    done
    [[ -n "${x_server:-}" ]] && kill "$x_server" 2>/dev/null
    rm -rf "$harness_tmp"
}
harness_any_alive() { # harness_any_alive ID...: a process (group) of these still runs
    local id
    for id in "$@"; do
        kill -0 -- "$id" 2>/dev/null && return 0
    done
    return 1
}
trap harness_end EXIT

pass() {
    passed=$((passed + 1))
    echo "ok $((passed + failed)) - $1"
}
fail() {
    failed=$((failed + 1))
    echo "not ok $((passed + failed)) - $1"
}
skip() { pass "$1 # SKIP $2"; }
check() { # check NAME COMMAND...
    local name=$1
    shift
    if "$@" >"$work/check.out" 2>&1; then
        pass "$name"
    else
        fail "$name"
        sed 's/^/# /' "$work/check.out"
    fi
}

# include_tap FILE: the results in FILE ("ok N - NAME", "not ok N - NAME")
# counted and numbered on among this script's own; other lines show as
# comments. False unless FILE ends with its closing line "N passed, N failed"
# that agrees with its results: a program that stopped half-way.
include_tap() {
    local line ok=0 not_ok=0 closed=""
    while IFS= read -r line; do
        line=${line%$'\r'}
        if [[ "$line" =~ ^ok\ [0-9]+\ -\ (.*)$ ]]; then
            pass "${BASH_REMATCH[1]}"
            ok=$((ok + 1))
        elif [[ "$line" =~ ^not\ ok\ [0-9]+\ -\ (.*)$ ]]; then
            fail "${BASH_REMATCH[1]}"
            not_ok=$((not_ok + 1))
        elif [[ "$line" =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
            closed="${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
        elif [[ -n "$line" && ! "$line" =~ ^1\.\.[0-9]+$ ]]; then
            echo "# ${line#\# }"
        fi
    done <"$1"
    [[ "$closed" == "$ok $not_ok" ]]
}

finish() {
    echo "# finished in $(($(date +%s) - harness_started)) s"
    echo "1..$((passed + failed))"
    echo "$passed passed, $failed failed"
    [[ $failed -eq 0 ]]
    exit
}

within_one() { (($1 - $2 <= 1 && $2 - $1 <= 1)); } # within_one A B
centred() { # centred POS SIZE SPACE
    # twice the distance of the span's centre from the space's centre
    local off=$((2 * $1 + $2 - $3))
    ((off >= -2 && off <= 2))
}

wait_until() { # wait_until COMMAND...: true once COMMAND is, within five seconds
    local _
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

ended_with() { # ended_with STATUS
    local _ status
    for _ in $(seq 200); do
        if ! kill -0 "$app" 2>/dev/null; then
            wait "$app"
            status=$?
            app=""
            echo "exit status $status"
            [[ $status -eq $1 ]]
            return
        fi
        sleep 0.05
    done
    return 1
}

# A test runner that kills a script at its own limit shows none of its results;
# a script that stops itself earlier reports what it was waiting for. The
# watchdog's output goes nowhere, so that it holds none of the runner's pipes.
stage="starting"
limit_logs=()
harness_watchdog=""
stop_at_exit+=(harness_watchdog)
time_limit() { # time_limit SECONDS
    (
        sleep "$1"
        kill -USR1 $$
    ) >/dev/null 2>&1 &
    harness_watchdog=$!
    trap 'harness_out_of_time '"$1" USR1
}
harness_out_of_time() {
    local log
    fail "ended within $1 s (waiting while: $stage)"
    for log in "${limit_logs[@]}"; do
        [[ -f "$log" ]] && echo "# last lines of $(basename "$log"):" && tail -n 20 "$log" | sed 's/^/#   /'
    done
    finish
}

mkdir -m 0700 "$harness_tmp/runtime"
export XDG_RUNTIME_DIR="$harness_tmp/runtime"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

pixel_of() { # pixel_of FILE X Y: "r,g,b" of a pixel of a picture
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

screen_shows() { # screen_shows X Y R,G,B: the screen's pixel has that colour now
    import -window root "$work/screen.png" 2>/dev/null && [[ "$(pixel_of "$work/screen.png" "$1" "$2")" == "$3" ]]
}

wait_for_pixel() { # wait_for_pixel X Y R,G,B
    local _
    for _ in $(seq 50); do
        screen_shows "$@" && return 0
        sleep 0.1
    done
    return 1
}

# wait_for_window PID: the first shown window of process PID, within five
# seconds, in `window`, and its place and size on the screen (the client area,
# without a frame) in X, Y, WIDTH and HEIGHT.
wait_for_window() {
    local _ key value
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1)
        [[ -n "$window" ]] && break
        kill -0 "$1" 2>/dev/null || return 1
        sleep 0.05
    done
    [[ -n "$window" ]] || return 1
    while IFS='=' read -r key value; do
        case "$key" in
        X | Y | WIDTH | HEIGHT) printf -v "$key" '%s' "$value" ;;
        esac
    done < <(xdotool getwindowgeometry --shell "$window")
}

# Starts Xvfb on a free display (it picks the number itself) and sets DISPLAY
# and x_server (its process id); exits the script when it does not start.
x_server=""
stop_at_exit+=(x_server)
start_x_server() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset \
        3>"$work/display" 2>"$work/xvfb.log" &
    x_server=$!
    local _
    for _ in $(seq 100); do
        [[ -s "$work/display" ]] && break
        sleep 0.05
    done
    [[ -s "$work/display" ]] || { fail "Xvfb starts"; cat "$work/xvfb.log"; finish; }
    export DISPLAY=":$(head -n 1 "$work/display")"
}

# linux_pictures PROGRAM FOLDER: the Linux program's client area, in a private
# X server without a window manager, after start, after fret III and after a
# click on the old F, as FOLDER/linux-start.png, linux-fret-3.png, linux-card-f.png.
linux_app=""
stop_at_exit+=(linux_app)
linux_pictures() {
    local program=$1 folder=$2 window X Y WIDTH HEIGHT
    env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$program" >"$work/linux.log" 2>&1 &
    linux_app=$!
    wait_for_window "$linux_app" || { cat "$work/linux.log"; return 1; }
    # With the keyboard focus, as a window the user works in: "Ende" shows it.
    xdotool windowfocus --sync "$window"
    shot() { # shot NAME X Y R,G,B: once the window shows that colour there
        wait_for_pixel $((X + $2)) $((Y + $3)) "$4" &&
            convert "$work/screen.png" -crop "793x479+$X+$Y" +repage "$folder/linux-$1.png"
    }
    # The upper rule, the capo strip III, the pointer line under F.
    shot start 400 65 0,0,128 &&
        xdotool mousemove $((X + 52)) $((Y + 308)) click 1 && shot fret-3 112 319 0,0,128 &&
        xdotool mousemove $((X + 372)) $((Y + 188)) click 1 && shot card-f 372 215 128,98,62 ||
        return 1
    xdotool windowfocus --sync "$window" key --clearmodifiers alt+e
    wait "$linux_app"
    linux_app=""
}

# same_client_area LINUX OTHER: two pictures of the client area (793 x 479)
# show the same window. Inside the 2 px rim every pixel outside the six text
# boxes is equal. Texts are drawn by other font rasterisers elsewhere and may
# differ in their anti-aliasing, so each box's ink (dark pixels, thresholded)
# must cover the same rectangle to 3 px and have the same amount to 15 %:
# another text, size, weight or place shows up.
client_text_boxes=(385x49+8+432 209x313+568+104 225x65+560+304 201x33+568+376 121x33+552+432
    113x33+672+432)
same_client_area() {
    local linux=$1 other=$2 box mask=() differing bw bh bx by
    convert "$linux" -crop 789x475+2+2 +repage "$work/a.png" &&
        convert "$other" -crop 789x475+2+2 +repage "$work/b.png" || return 1
    for box in "${client_text_boxes[@]}"; do
        IFS='x+' read -r bw bh bx by <<<"$box"
        mask+=(-draw "rectangle $((bx - 2)),$((by - 2)) $((bx + bw - 3)),$((by + bh - 3))")
    done
    convert "$work/a.png" -fill magenta "${mask[@]}" "$work/a-masked.png"
    convert "$work/b.png" -fill magenta "${mask[@]}" "$work/b-masked.png"
    differing=$(compare -metric AE "$work/a-masked.png" "$work/b-masked.png" null: 2>&1)
    echo "pictures: $differing pixels differ outside the texts"
    [[ "$differing" == 0 ]] || return 1
    for box in "${client_text_boxes[@]}"; do
        IFS='x+' read -r bw bh bx by <<<"$box"
        local crop="${bw}x${bh}+$((bx - 2))+$((by - 2))" ink_a ink_b at_a at_b
        convert "$work/a.png" -crop "$crop" +repage -colorspace gray -threshold 50% "$work/ta.png"
        convert "$work/b.png" -crop "$crop" +repage -colorspace gray -threshold 50% "$work/tb.png"
        ink_a=$(convert "$work/ta.png" -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
        ink_b=$(convert "$work/tb.png" -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
        at_a=$(convert "$work/ta.png" -format '%@' info:)
        at_b=$(convert "$work/tb.png" -format '%@' info:)
        echo "text $box: ink $ink_a / $ink_b px at $at_a / $at_b"
        ((ink_a > 0 && 100 * (ink_a - ink_b) <= 15 * ink_a && 100 * (ink_b - ink_a) <= 15 * ink_a)) ||
            return 1
        local wa ha xa ya wb hb xb yb pair one other_value
        IFS='x+' read -r wa ha xa ya <<<"$at_a"
        IFS='x+' read -r wb hb xb yb <<<"$at_b"
        for pair in "$wa $wb" "$ha $hb" "$xa $xb" "$ya $yb"; do
            read -r one other_value <<<"$pair"
            ((one - other_value <= 3 && other_value - one <= 3)) || return 1
        done
    done
}
