#!/usr/bin/env bash
# End-to-end test of the real program in a private X server: start, centred
# placement, a fret click, a card click, pixels on the screen, and ending with
# Alt+E and the space bar; arguments, two copies at once; the web link with an
# opener that works, fails or is missing; and starts that cannot succeed.
#
#   run_e2e.sh PROGRAM [SCREENSHOT_FOLDER]
set -uo pipefail

program=$1
shots=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../lib/harness.sh"
start_x_server

program_env=() # env arguments for the next start
start_program() {
    env "${program_env[@]}" "$program" "$@" >"$work/program.log" 2>&1 &
    app=$!
    wait_for_window "$app" || { echo "# the program showed no window"; sed 's/^/# /' "$work/program.log"; return 1; }
    wait_for_pixel $((X + 400)) $((Y + 65)) 0,0,128 # the first frame: the upper rule
    xdotool windowfocus --sync "$window"
}


screenshot() { # screenshot NAME: the window as the screen shows it
    import -window root "$work/root.png"
    convert "$work/root.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/$1.png"
    [[ -n "$shots" ]] && mkdir -p "$shots" && cp "$work/$1.png" "$shots/$1.png"
    return 0
}

pixel() { pixel_of "$work/$1.png" "$2" "$3"; } # pixel NAME X Y: "r,g,b" of a window pixel

is_colour() { [[ "$(pixel "$1" "$2" "$3")" == "$4" ]]; }

count_colour() { # count_colour NAME GEOMETRY r,g,b: pixels of exactly that colour
    convert "$work/$1.png" -crop "$2" +repage -fill black +opaque "rgb($3)" -fill white -opaque "rgb($3)" \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}

start_program || { fail "the program shows its window"; finish; }
check "window is 793x479" test "${WIDTH}x${HEIGHT}" = 793x479
# Without a manager there is no frame: the window itself, to the rounding.
check "window is centred horizontally" within_one $((2 * X)) $((1024 - WIDTH))
check "window is centred vertically" within_one $((2 * Y)) $((768 - HEIGHT))
screenshot start
check "upper rule is navy" is_colour start 400 65 0,0,128
check "window grey between the rows" is_colour start 540 300 192,192,192
check "no capo strip at start" test "$(pixel start 112 319)" != 0,0,128
check "heading over the new row is blue, not red" test "$(count_colour start 225x47+264+216 255,0,0)" -eq 0

xdotool mousemove --window "$window" 52 308 click 1 # fret III
wait_for_pixel $((X + 112)) $((Y + 319)) 0,0,128
screenshot fret-3
check "capo strip III is shown" is_colour fret-3 112 319 0,0,128
check "capo strip I stays hidden" test "$(pixel fret-3 112 239)" != 0,0,128
check "heading over the new row turned red" test "$(count_colour fret-3 225x47+264+216 255,0,0)" -gt 200

xdotool mousemove --window "$window" 372 188 click 1 # the old F
wait_for_pixel $((X + 372)) $((Y + 215)) 128,98,62
screenshot fret-3-card-f
check "pointer line under F" is_colour fret-3-card-f 372 215 128,98,62
check "no pointer line under E" test "$(pixel fret-3-card-f 324 215)" != 128,98,62

xdotool key --clearmodifiers alt+e
check "Alt+E ends the program with status 0" ended_with 0

start_program || { fail "the program shows its window"; finish; }
xdotool key space
check "space right after start ends the program" ended_with 0

# The program takes no command line: arguments change nothing it shows.
start_program --help -platform offscreen -style fusion extra || { fail "the program shows its window"; finish; }
screenshot with-arguments
check "arguments change nothing on the screen" \
    test "$(compare -metric AE "$work/start.png" "$work/with-arguments.png" null: 2>&1)" = 0
first=$app
first_window=$window
start_program || { fail "the program shows its window"; finish; }
check "a second copy runs beside the first" kill -0 "$first"
xdotool windowfocus --sync "$window" key --clearmodifiers alt+e
check "the second copy ends with Alt+E" ended_with 0
app=$first
check "the first copy still runs" kill -0 "$app"
xdotool windowfocus --sync "$first_window" key --clearmodifiers alt+e
check "the first copy ends with Alt+E" ended_with 0

# "&Webseite" hands the address to xdg-open; when that ends unsuccessfully (3:
# no handler) or is missing, a message owned by the window says so.
message_box() { # the program's other visible window, if any
    xdotool search --onlyvisible --pid "$app" 2>/dev/null | grep -vx "$window" | head -n 1
}
message_box_shown() {
    box=$(message_box)
    [[ -n "$box" ]]
}
no_message_box() { [[ -z "$(message_box)" ]]; }
owned_by_window() { [[ "$(xprop -id "$box" WM_TRANSIENT_FOR)" == *"$(printf '0x%x' "$window")" ]]; }
dismiss_message_box() {
    xdotool windowfocus --sync "$box" key Return
    wait_until no_message_box
}
opened() { [[ "$(grep -Ecx 'https?://[^ ]+/' "$work/opened" 2>/dev/null)" -eq "$1" ]]; }
webseite() { xdotool windowfocus --sync "$window" key --clearmodifiers alt+w; }

mkdir "$work/bin" "$work/nothing"
cat >"$work/bin/xdg-open" <<END
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened"
status=\$(cat "$work/opener-status")
[ "\$status" = stays ] && echo \$\$ >"$work/opener.pid" && exec sleep 60
exit "\$status"
END
chmod +x "$work/bin/xdg-open"
echo 0 >"$work/opener-status"
program_env=(PATH="$work/bin:$PATH")
start_program || { fail "the program shows its window"; finish; }
webseite
check "the opener gets the address as its one argument" wait_until opened 1
sleep 0.5 # an absence cannot be polled: time for a message that would come
check "an opener that succeeds brings no message" no_message_box
echo 3 >"$work/opener-status"
webseite
check "an opener without a handler brings a message" wait_until message_box_shown
check "the message is owned by the window" owned_by_window
sleep 0.3
import -window "$box" "$work/message.png" && [[ -n "$shots" ]] && cp "$work/message.png" "$shots/"
check "the message can be dismissed" dismiss_message_box
echo 0 >"$work/opener-status"
webseite
check "a later click opens the page again" wait_until opened 3
sleep 0.5
check "and brings no message" no_message_box
echo stays >"$work/opener-status" # as xdg-open does while the browser it started runs
webseite
check "an opener can stay running" wait_until test -s "$work/opener.pid"
xdotool windowfocus --sync "$window" key --clearmodifiers alt+e
check "it still ends with Alt+E" ended_with 0
check "ending the program leaves the running opener alone" kill -0 "$(cat "$work/opener.pid")"
kill "$(cat "$work/opener.pid")" 2>/dev/null

# WAYLAND_DISPLAY names no compositor (the wayland plugin is installed, see
# scripts/setup.sh test): the program starts on X11, and what the toolkit said
# on the way comes out as the toolkit prints it, with no category it did not
# have.
program_env=(WAYLAND_DISPLAY="$work/no-compositor")
start_program || { fail "the program shows its window"; finish; }
xdotool windowfocus --sync "$window" key --clearmodifiers alt+e
check "with WAYLAND_DISPLAY naming no compositor it runs on X11" ended_with 0
echo "# it said: $(head -c 400 "$work/program.log")"
check "and passes the toolkit's words on as the toolkit prints them" \
    grep -Eqx 'Failed to create wl_display \(.+\)' "$work/program.log"
check "with no empty category in front" test "$(grep -c '^:' "$work/program.log")" -eq 0

# No xdg-open and no browser known by name.
program_env=(-u BROWSER -u DEFAULT_BROWSER PATH="$work/nothing")
start_program || { fail "the program shows its window"; finish; }
webseite
check "without an opener a message comes" wait_until message_box_shown
check "that message is owned by the window" owned_by_window
check "that message can be dismissed" dismiss_message_box
xdotool windowfocus --sync "$window" key --clearmodifiers alt+e
check "without an opener it still ends with Alt+E" ended_with 0
program_env=()

# Without any display the program says so in one line and ends with status 1.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" >"$work/out.log" 2>"$work/err.log"
status=$?
check "without a display it ends with status 1" test "$status" -eq 1
check "without a display it says so in one line" test "$(wc -l <"$work/err.log")" -eq 1 -a ! -s "$work/out.log"
DISPLAY=:65000 "$program" >"$work/out.log" 2>"$work/err.log"
status=$?
check "with an unreachable display it ends with status 1" test "$status" -eq 1
check "with an unreachable display it says so in one line" test "$(wc -l <"$work/err.log")" -eq 1

# A start that cannot succeed ends with status 1 and one line on stderr that
# names the cause. The toolkit's list of platform plugins says whether the
# wayland plugin is installed: without it the cause is the missing plugin, with
# it the missing compositor.
fails_in_one_line() { # fails_in_one_line NAME PATTERN [env ARGUMENTS...]
    local name=$1 pattern=$2
    shift 2
    timeout 20 env "$@" "$program" >"$work/out.log" 2>"$work/err.log"
    local status=$?
    echo "# $name: status $status: $(head -c 400 "$work/err.log")"
    check "$name: status 1" test "$status" -eq 1
    check "$name: one line on stderr" test "$(wc -l <"$work/err.log")" -eq 1 -a ! -s "$work/out.log"
    check "$name: the line names the cause" grep -Eq "^griffwandler: .*($pattern)" "$work/err.log"
}
cat >"$work/empty-screen.json" <<'END'
{"screens": [{"name": "Empty", "x": 0, "y": 0, "width": 0, "height": 0, "logicalDpiX": 96, "logicalDpiY": 96}]}
END
fails_in_one_line "no framebuffer" 'Plattform "linuxfb" bietet keinen Bildschirm' \
    QT_QPA_PLATFORM="linuxfb:fb=$work/no-framebuffer"
fails_in_one_line "platform without fonts" "Schriften des Fensters ließen sich nicht laden" QT_QPA_PLATFORM=minimal
fails_in_one_line "screen of size 0" "0 x 0 Pixel" \
    QT_QPA_PLATFORM="offscreen:configfile=$work/empty-screen.json"
fails_in_one_line "no such platform" \
    'Could not find the Qt platform plugin "bogus".*Available platform plugins are: [a-z]' \
    QT_QPA_PLATFORM=bogus
if grep -Eq "Available platform plugins are: .*wayland([,.]|$)" "$work/err.log"; then
    fails_in_one_line "wayland without a compositor" "braucht eine grafische Anzeige" \
        QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$work/no-compositor"
else
    fails_in_one_line "wayland without its plugin" 'Could not find the Qt platform plugin "wayland"' \
        QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$work/no-compositor"
fi
fails_in_one_line "no display" "braucht eine grafische Anzeige" -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM

finish
