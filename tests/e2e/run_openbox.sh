#!/usr/bin/env bash
# The real program under a real window manager (openbox) in a private X
# server, on two screen sizes: the outer rectangle, title bar included, is
# centred, and the window stands there from its first frame on (no jump once
# the manager has framed it).
#
#   run_openbox.sh PROGRAM
set -uo pipefail

program=$1
source "$(dirname "$0")/x_session.sh"
wm=""
stop_at_exit+=(wm)
export HOME="$work" # openbox keeps its session files there

within_one() { (($1 - $2 <= 1 && $2 - $1 <= 1)); }

# The client window's top-left corner on the screen, "x y", once it is viewable.
client_position() {
    xwininfo -id "$1" 2>/dev/null | awk '
        /Map State: IsViewable/ { viewable = 1 }
        /Absolute upper-left X/ { x = $NF }
        /Absolute upper-left Y/ { y = $NF }
        END { if (viewable) print x, y }'
}

run_on_screen() { # run_on_screen WIDTH HEIGHT
    local sw=$1 sh=$2
    start_x_server "${sw}x${sh}"

    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm=$!
    for _ in $(seq 200); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
    check "openbox runs on ${sw}x${sh}" xprop -root _NET_SUPPORTING_WM_CHECK

    "$program" >"$work/program.log" 2>&1 &
    app=$!
    local window="" first="" position
    for _ in $(seq 400); do
        window=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n 1)
        if [[ -n "$window" ]]; then
            first=$(client_position "$window")
            [[ -n "$first" ]] && break
        fi
        sleep 0.01
    done
    if [[ -z "$first" ]]; then
        check "the program shows its window on ${sw}x${sh}" false
        cat "$work/program.log"
    else
        # Watch the window for half a second: it must not move after it is shown.
        local moved=no
        for _ in $(seq 25); do
            position=$(client_position "$window")
            [[ "$position" != "$first" ]] && moved="$first -> $position"
            sleep 0.02
        done
        check "no jump after the first frame on ${sw}x${sh} ($moved)" test "$moved" = no

        local extents x y w h left right top bottom
        extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',')
        read -r left right top bottom <<<"$extents"
        read -r x y <<<"$position"
        eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
        w=$((WIDTH + left + right))
        h=$((HEIGHT + top + bottom))
        local fx=$((x - left)) fy=$((y - top))
        echo "screen ${sw}x${sh}: frame extents $left $right $top $bottom, frame ${w}x${h} at $fx,$fy;" \
            "centred would be $(((sw - w) / 2)),$(((sh - h) / 2))"
        check "openbox framed the window on ${sw}x${sh}" test $((left + right + top + bottom)) -gt 0
        check "frame centred horizontally on ${sw}x${sh}" within_one $((2 * fx)) $((sw - w))
        check "frame centred vertically on ${sw}x${sh}" within_one $((2 * fy)) $((sh - h))
    fi

    kill "$app" "$wm" "$x_server" 2>/dev/null
    wait "$app" "$wm" "$x_server" 2>/dev/null
    app="" wm="" x_server=""
}

run_on_screen 1024 768
run_on_screen 1280 1024

finish
