#!/usr/bin/env bash
# The real program on a Wayland desktop, judged by what the compositor itself
# knows and shows, not by what the program thinks of its window:
#
#   gnome  GNOME Shell, headless, in unsafe mode: window facts and keys through
#          its script interface (Eval), pictures through its Screenshot service.
#          Two starts: from a terminal while the overview is open, the program
#          not installed; and from the shell, as from the dash, with its desktop
#          entry and icon installed.
#   kwin   KWin with its output in a window of a private X server: window facts
#          from a KWin script that prints to KWin's log, pictures of that output
#          window, keys through its fake-input protocol (KEYS, a small Wayland
#          client).
#
# Each start: the outer frame centred to a pixel in the work area, the frame
# the compositor's own, fixed and without maximize (GNOME's with a close box
# only), the caption empty in the facts and in the picture, the keyboard focus
# at start (key 3 clicks fret III, Alt+E ends the program). GNOME also: no
# launch spinner once the window is up, and the program's own name and icon
# for the task switcher.
#
#   run_wayland.sh gnome PROGRAM DESKTOP_ENTRY ICON_DIR
#   run_wayland.sh kwin PROGRAM KEYS
set -uo pipefail

desktop=$1
program=$(realpath "$2")
source "$(dirname "$0")/../lib/harness.sh"
compositor=""
system_bus=""
xsettings=""
stop_at_exit+=(compositor system_bus xsettings)
export HOME="$work/home" # the compositors keep their settings there
mkdir -p "$HOME/.local/share/applications"
# Inside the test runner's two minutes, with the compositor's last words.
time_limit 100
limit_logs=("$work/compositor.log" "$work/program.log")

# Every call to a compositor's bus has a limit of its own: a compositor that
# stops answering must not hold the script beyond its time.
bus() { timeout 10 gdbus "$@"; }

within_one() { (($1 - $2 <= 2 && $2 - $1 <= 2)); } # doubled values: one pixel either way

# Starts the compositor in a D-Bus session of its own; the variables it
# publishes are those of that session, which the program joins as well.
start_session() { # start_session COMMAND...
    rm -f "$work/bus"
    setsid dbus-run-session -- bash -c 'echo "$DBUS_SESSION_BUS_ADDRESS" >"$0"; exec "$@"' \
        "$work/bus" "$@" >"$work/compositor.log" 2>&1 &
    compositor=-$!
    wait_until test -s "$work/bus" || return 1
    DBUS_SESSION_BUS_ADDRESS=$(cat "$work/bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# Waits up to a minute (a compositor starting on a loaded machine is slow).
wait_long() {
    local _
    for _ in $(seq 600); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The ink of a band of a picture, as the number of pixels that differ from
# the band's most common colour by more than a tenth: 0 for an empty band.
ink() { # ink PICTURE WxH+X+Y
    local base
    base=$(convert "$1" -crop "$2" +repage -format %c histogram:info:- |
        sort -rn | head -n 1 | grep -o '#[0-9A-F]\{6\}')
    convert "$1" -crop "$2" +repage -fuzz 10% -fill white -opaque "$base" \
        -fill black +opaque white -format '%[fx:int((1-mean)*w*h+0.5)]' info:
}

# Where the frame, the client area and the work area stand, printed, and both
# centring checks of the frame in the work area; WHERE ends their names.
frame_centred() { # frame_centred WHERE FX FY FW FH CX CY AX AY AW AH
    echo "frame ${4}x$5 at $2,$3, client at $6,$7, work area ${10}x${11} at $8,$9 $1"
    check "frame centred horizontally in the work area $1" centred $(($2 - $8)) "$4" "${10}"
    check "frame centred vertically in the work area $1" centred $(($3 - $9)) "$5" "${11}"
}

# no_window WHERE: the program never showed its window there.
no_window() {
    check "the program shows its window $1" false
    cat "$work/program.log" 2>/dev/null
}

# keep_picture FILE NAME: a compositor's picture, kept for a person to look at.
keep_picture() {
    [[ -n "${GRIFF_SCREENSHOTS:-}" ]] && mkdir -p "$GRIFF_SCREENSHOTS" && cp "$1" "$GRIFF_SCREENSHOTS/$2"
}

# The capo strip III shows at that point of the client area once fret III is clicked.
capo_iii_shown() { # capo_iii_shown PICTURE CLIENT_X CLIENT_Y
    [[ $(pixel_of "$1" $(($2 + 112)) $(($3 + 319))) == 0,0,128 ]]
}

# ---------------------------------------------------------------- GNOME Shell
gnome_eval() { # the shell's answer to a script (on one line), without the quotes of its JSON
    bus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.gnome.Shell.Eval "$(tr '\n' ' ' <<<"$1")" 2>"$work/eval.err" |
        sed -n "s/^(true, '\(.*\)')$/\1/p" | sed 's/^"//; s/"$//'
}
gnome_says() { [[ "$(gnome_eval "$2")" == "$1" ]]; } # gnome_says ANSWER SCRIPT
gnome_shot() { # gnome_shot FILE: the screen as the shell draws it
    bus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell/Screenshot \
        --method org.gnome.Shell.Screenshot.Screenshot false false "$1" >/dev/null 2>&1
}
gnome_key() { # gnome_key CODE...: keys pressed together, as evdev codes
    gnome_eval "global._griff.key([$(
        IFS=,
        echo "$*"
    )]); 'ok'" >/dev/null
}

# The program's window as the shell sees it: frame, client area, work area,
# buttons, caption, focus, process, and the application it counts it to.
gnome_facts() {
    gnome_eval 'const w = global._griff.window(); if (!w) { "" } else {
        const f = w.get_frame_rect(), c = w.frame_rect_to_client_rect(f);
        const a = Main.layoutManager.getWorkAreaForMonitor(w.get_monitor());
        const app = imports.gi.Shell.WindowTracker.get_default().get_window_app(w);
        const i = app ? app.get_icon() : null, icon = !i ? "none" : i.to_string() || "window";
        [f.x, f.y, f.width, f.height, c.x, c.y, a.x, a.y, a.width, a.height,
         w.decorated, w.can_maximize(), w.can_minimize(), w.allows_resize(),
         w.get_title() === "" ? "empty" : "titled", w.has_focus(), w.get_pid(),
         app ? app.get_name().replace(/ /g, "_") : "none", icon].join(" ") }'
}

gnome_start() {
    command -v gnome-shell >/dev/null ||
        { check "gnome-shell is installed (bash scripts/setup.sh test)" false; finish; }
    # Its X11 server refuses a socket folder that others cannot write to, as
    # Xvfb started by root leaves it (1755); every X server expects 1777.
    if [[ -d /tmp/.X11-unix && ! -w /tmp/.X11-unix/. ]] ||
        [[ -d /tmp/.X11-unix && $(stat -c %a /tmp/.X11-unix) != 1777 ]]; then
        chmod 1777 /tmp/.X11-unix 2>/dev/null ||
            { check "/tmp/.X11-unix is writable for all (mode 1777)" false; finish; }
    fi
    stage="starting GNOME Shell"
    # GNOME Shell needs a system bus; a private one keeps the machine's out.
    dbus-daemon --session --address="unix:path=$work/system_bus" --nofork --nopidfile \
        >"$work/system_bus.log" 2>&1 &
    system_bus=$!
    wait_until test -S "$work/system_bus" || { check "a private system bus starts" false; finish; }
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/system_bus"
    # The session's variables go to the program, not to the shell (it stops
    # answering with them); the shell hands its own X11 display on.
    unset DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE XAUTHORITY
    start_session gnome-shell --headless --wayland --unsafe-mode --virtual-monitor 1280x800 \
        --wayland-display=griffwandler-wl ||
        { check "GNOME Shell starts" false; cat "$work/compositor.log"; finish; }
    if ! wait_long gnome_says up 'Main.layoutManager._startingUp ? "starting" : "up"'; then
        check "GNOME Shell starts" false
        tail -n 30 "$work/compositor.log"
        finish
    fi
    # What a session manager gives the programs of the session; no banners
    # over the window; helpers that stay in the shell for the test.
    gnome_eval 'const G = imports.gi.GLib, C = imports.gi.Clutter;
        G.setenv("DISPLAY", G.getenv("GNOME_SETUP_DISPLAY"), true);
        G.setenv("XDG_CURRENT_DESKTOP", "GNOME", true);
        G.setenv("XDG_SESSION_TYPE", "wayland", true);
        Main.messageTray.bannerBlocked = true;
        const ours = w => (w.get_wm_class() || "").toLowerCase().includes("griffwandler");
        const keyboard = C.get_default_backend().get_default_seat()
            .create_virtual_device(C.InputDeviceType.KEYBOARD_DEVICE);
        global._griff = {
            launched: 0, shown: 0, completed: 0,
            window: () => global.get_window_actors().map(a => a.meta_window).find(ours),
            key: codes => {
                for (const c of codes) keyboard.notify_key(G.get_monotonic_time(), c, C.KeyState.PRESSED);
                for (const c of codes.slice().reverse()) keyboard.notify_key(G.get_monotonic_time(), c, C.KeyState.RELEASED);
            },
        };
        global.window_manager.connect("map", (wm, actor) => {
            if (ours(actor.meta_window) && !global._griff.shown) global._griff.shown = G.get_monotonic_time();
        });
        imports.gi.Shell.WindowTracker.get_default().connect("startup-sequence-changed", (t, s) => {
            if (s.get_completed() && !global._griff.completed) global._griff.completed = G.get_monotonic_time();
        });
        "ok"' >/dev/null
    export DISPLAY XAUTHORITY
    DISPLAY=$(gnome_eval 'imports.gi.GLib.getenv("GNOME_SETUP_DISPLAY")')
    XAUTHORITY=$(gnome_eval 'imports.gi.GLib.getenv("XAUTHORITY")')
    # The session's settings for its X11 clients, as a GNOME session has
    # them: from GNOME 44 on, the frames' buttons follow the desktop's button
    # layout from there, without it the toolkit's own (with a minimize box).
    /usr/libexec/gsd-xsettings >"$work/xsettings.log" 2>&1 &
    xsettings=$!
}

gnome_shown() { # GNOME has shown the window (its map effect began)
    gnome_says true 'String(global._griff.shown > 0 && !!global._griff.window())'
}

gnome_settled() { # the shown window's frame is centred in the work area
    local fx fy fw fh ax ay aw ah
    read -r fx fy fw fh _ _ ax ay aw ah _ <<<"$(gnome_facts)"
    [[ -n "$ah" ]] && centred $((fx - ax)) "$fw" "$aw" && centred $((fy - ay)) "$fh" "$ah"
}

# Checks one start; `how` names it in the results.
gnome_judge() {
    local how=$1 facts fx fy fw fh cx cy ax ay aw ah decorated maximize minimize resize title focus pid name icon
    facts=""
    # GNOME places a window as it shows it; the window may then ask once more
    # for its place. What counts is where it stands once that has happened:
    # at most five seconds are given, and the facts are read either way.
    wait_until gnome_shown && { wait_until gnome_settled; facts=$(gnome_facts); }
    [[ -n "$facts" ]] || { no_window "under GNOME ($how)"; return 1; }
    read -r fx fy fw fh cx cy ax ay aw ah decorated maximize minimize resize title focus pid name icon <<<"$facts"
    echo "GNOME ($how): decorated $decorated, maximize $maximize, minimize $minimize, resize $resize;" \
        "caption $title; focus $focus; application $name, icon $icon"
    frame_centred "($how)" "$fx" "$fy" "$fw" "$fh" "$cx" "$cy" "$ax" "$ay" "$aw" "$ah"
    check "GNOME frames the window, fixed, with no minimize or maximize ($how)" \
        test "$decorated $maximize $minimize $resize" = "true false false false"
    check "empty caption ($how)" test "$title" = empty
    check "the task switcher names the program ($how: $name)" test "$name" = Griffwandler
    gnome_pid=$pid gnome_icon=$icon gnome_focus=$focus
    gnome_client=("$cx" "$cy") gnome_frame=("$fx" "$fy" "$fw" "$fh")
}

gnome_test() {
    gnome_start
    local client_env=(env WAYLAND_DISPLAY=griffwandler-wl XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME)

    # 1. From a terminal while the overview is open, not installed.
    stage="the start from a terminal"
    gnome_eval 'Main.overview.show(); "ok"' >/dev/null
    wait_until gnome_says true 'String(Main.overview.visible)'
    "${client_env[@]}" "$program" >"$work/program.log" 2>&1 &
    app=$!
    gnome_judge "from a terminal, overview open" || finish
    # GNOME Shell 48 keeps no icons of X11 windows (its windows have no icon
    # property): every X11 program that is not installed gets the generic one.
    if gnome_says kept '"icon" in global._griff.window() ? "kept" : "none"'; then
        check "the task switcher shows the window's own icon (from a terminal: $gnome_icon)" \
            test "$gnome_icon" = window
    else
        skip "the task switcher shows the window's own icon (from a terminal)" "this GNOME Shell keeps no icons of X11 windows ($gnome_icon)"
    fi
    # The overview keeps the keyboard while it is open; closed, it hands it on.
    gnome_eval 'Main.overview.hide(); "ok"' >/dev/null
    check "keyboard focus once the overview closes" wait_until gnome_says true 'String(global._griff.window().has_focus())'
    kill "$app" 2>/dev/null
    wait "$app" 2>/dev/null
    app=""
    wait_until gnome_says "" 'String(global._griff.window() || "")'

    # 2. Installed, started from the shell as from the dash, with the time of
    # the click: the shell starts a startup sequence (the spinner).
    local apps="$HOME/.local/share/applications" icons="$HOME/.local/share/icons/hicolor" size
    mkdir -p "$apps"
    sed -e "s|^Exec=.*|Exec=$program|" -e "s|^TryExec=.*|TryExec=$program|" "$3" \
        >"$apps/$(basename "$3")"
    for size in 48 256; do
        mkdir -p "$icons/${size}x$size/apps"
        cp "$4/icon-$size.png" "$icons/${size}x$size/apps/$(basename "$3" .desktop).png"
    done
    stage="the start from the shell"
    local id
    id=$(basename "$3")
    wait_long gnome_says yes "imports.gi.Shell.AppSystem.get_default().lookup_app('$id') ? 'yes' : 'no'"
    gnome_eval "const app = imports.gi.Shell.AppSystem.get_default().lookup_app('$id');
        global._griff.shown = 0; global._griff.completed = 0;
        global._griff.launched = imports.gi.GLib.get_monotonic_time();
        app.launch(global.display.get_current_time_roundtrip(), -1, imports.gi.Shell.AppLaunchGpu.APP_PREF);
        'ok'" >/dev/null
    gnome_judge "from the shell, installed" || finish
    check "the task switcher shows the installed icon ($gnome_icon)" \
        test "$gnome_icon" = "$(basename "$3" .desktop)"
    check "keyboard focus at start" test "$gnome_focus" = true

    # The picture: the title bar holds no text and no button but the close
    # box at its right end.
    stage="the screenshot, the spinner and the keys"
    local fx=${gnome_frame[0]} fy=${gnome_frame[1]} fw=${gnome_frame[2]}
    local cx=${gnome_client[0]} cy=${gnome_client[1]} bar
    # Once drawn in its place (GNOME 48 shows a new window growing into it).
    local _
    for _ in $(seq 50); do
        gnome_shot "$work/gnome.png" && [[ $(pixel_of "$work/gnome.png" $((cx + 400)) $((cy + 65))) == 0,0,128 ]] && break
        sleep 0.1
    done
    keep_picture "$work/gnome.png" gnome-wayland.png
    bar="$((fw - 56))x$((cy - fy - 8))+$((fx + 4))+$((fy + 4))"
    check "the title bar shows no caption and no button left of the close box" test "$(ink "$work/gnome.png" "$bar")" = 0
    check "the close box is drawn" test "$(ink "$work/gnome.png" "40x$((cy - fy - 8))+$((fx + fw - 48))+$((fy + 4))")" -gt 0

    # The spinner: it stops no later than the window has taken to come up
    # (a start that is never completed turns on for a quarter of a minute).
    local times launched shown completed
    times=$(gnome_eval '[global._griff.launched, global._griff.shown, global._griff.completed].join(" ")')
    read -r launched shown completed <<<"$times"
    echo "GNOME: launched, shown, startup completed at $launched $shown $completed (µs)"
    for _ in $(seq 100); do
        completed=$(gnome_eval 'String(global._griff.completed)')
        [[ "$completed" != 0 ]] && break
        sleep 0.1
    done
    check "no launch spinner once the window is shown" \
        test "$completed" != 0 -a $((completed - shown)) -le $((shown - launched))

    # Keys, to whichever window has the focus: a first key of a new keyboard
    # arrives with the focus itself, which the toolkit ignores, so Shift first.
    gnome_key 42
    gnome_key 4
    shown=no
    for _ in $(seq 50); do
        gnome_shot "$work/key.png" && capo_iii_shown "$work/key.png" "$cx" "$cy" && shown=yes && break
        sleep 0.1
    done
    check "key 3 clicks fret III" test "$shown" = yes
    gnome_key 56 18
    check "Alt+E ends the program" wait_until test ! -e "/proc/$gnome_pid"
}

# ---------------------------------------------------------------------- KWin
kwin_printed_more() { (($(grep -c 'GRIFFWANDLER ' "$work/compositor.log") > $1)); }
kwin_facts() { # the facts a KWin script prints to KWin's log
    local name
    name=griffwandler$RANDOM
    cat >"$work/facts.js" <<'EOF'
// KWin 6 speaks of windows where KWin 5 spoke of clients.
const clients = workspace.windowList ? workspace.windowList() : workspace.clientList();
const active = workspace.activeWindow !== undefined ? workspace.activeWindow : workspace.activeClient;
for (let i = 0; i < clients.length; ++i) {
    const c = clients[i];
    if (!String(c.resourceClass).toLowerCase().includes("griffwandler"))
        continue;
    const f = c.frameGeometry, b = c.bufferGeometry, a = workspace.clientArea(KWin.MaximizeArea, c);
    print("GRIFFWANDLER " + [f.x, f.y, f.width, f.height, b.x, b.y, a.x, a.y, a.width, a.height,
        c.noBorder ? "undecorated" : "decorated", c.maximizable, c.resizeable,
        c.caption === "" ? "empty" : JSON.stringify(c.caption).replace(/ /g, "_"),
        active === c, c.pid].join(" "));
}
EOF
    local before
    before=$(grep -c 'GRIFFWANDLER ' "$work/compositor.log")
    bus call --session --dest org.kde.KWin --object-path /Scripting \
        --method org.kde.kwin.Scripting.loadScript "$work/facts.js" "$name" >/dev/null &&
        bus call --session --dest org.kde.KWin --object-path /Scripting \
            --method org.kde.kwin.Scripting.start >/dev/null || return 1
    wait_until kwin_printed_more "$before"
    bus call --session --dest org.kde.KWin --object-path /Scripting \
        --method org.kde.kwin.Scripting.unloadScript "$name" >/dev/null
    grep -o 'GRIFFWANDLER .*' "$work/compositor.log" | tail -n 1 | cut -d' ' -f2-
}
kwin_window() { [[ -n "$(kwin_facts)" ]]; }
kwin_shot() { # kwin_shot FILE: the screen as KWin draws it, its output window in the X server
    import -display "$DISPLAY" -window "$kwin_output" "$1" 2>"$work/shot.err"
}

kwin_test() {
    local keys=$3
    command -v kwin_wayland >/dev/null ||
        { check "kwin_wayland is installed (bash scripts/setup.sh test)" false; finish; }
    # KWin refuses to run as root with the capability its file carries; a
    # copy carries none.
    stage="starting KWin"
    cp /usr/bin/kwin_wayland "$work/kwin_wayland"
    # Its output is a window in a private X server, taken from there as
    # KWin draws it: KWin 6 has its screenshot service only where it
    # composites with OpenGL, which needs a graphics device that a test
    # machine may not have.
    start_x_server 1024x768
    unset XAUTHORITY
    # What its scripts print goes to its log (KWin 6 files it under a logging category).
    start_session env KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES='kwin_scripting.debug=true' \
        "$work/kwin_wayland" --x11-display "$DISPLAY" \
        --width 1024 --height 768 --socket griffwandler-wl ||
        { check "KWin starts" false; finish; }
    kwin_output=""
    kwin_found_output() { # the one window in that X server
        kwin_output=$(xwininfo -root -children | awk '$1 ~ /^0x/ && / 1024x768\+/ { print $1; exit }')
        [[ -n "$kwin_output" ]]
    }
    if ! wait_long bus introspect --session --dest org.kde.KWin --object-path /Scripting >/dev/null 2>&1 ||
        ! wait_long test -S "$XDG_RUNTIME_DIR/griffwandler-wl" || ! wait_long kwin_found_output; then
        check "KWin starts" false
        tail -n 30 "$work/compositor.log"
        finish
    fi
    stage="the program's window under KWin"
    env -u DISPLAY WAYLAND_DISPLAY=griffwandler-wl XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE \
        "$program" >"$work/program.log" 2>&1 &
    app=$!
    local facts=""
    wait_until kwin_window && facts=$(kwin_facts)
    [[ -n "$facts" ]] || { no_window "under KWin"; finish; }
    local fx fy fw fh cx cy ax ay aw ah decorated maximize resize caption active pid
    read -r fx fy fw fh cx cy ax ay aw ah decorated maximize resize caption active pid <<<"$facts"
    echo "KWin: $decorated, maximizable $maximize, resizable $resize; caption $caption; active $active"
    frame_centred "under KWin" "$fx" "$fy" "$fw" "$fh" "$cx" "$cy" "$ax" "$ay" "$aw" "$ah"
    check "KWin frames the window, fixed, with no maximize" \
        test "$decorated $maximize $resize" = "decorated false false"
    check "empty caption under KWin" test "$caption" = empty
    check "keyboard focus at start under KWin" test "$active" = true
    kwin_shot "$work/kwin.png"
    keep_picture "$work/kwin.png" kwin-wayland.png
    # Breeze puts the icon at the left and its buttons at the right of the
    # title bar: between them no caption.
    check "the title bar shows no caption under KWin" \
        test "$(ink "$work/kwin.png" "$((fw - 160))x$((cy - fy - 8))+$((fx + 80))+$((fy + 4))")" = 0

    stage="the keys under KWin"
    WAYLAND_DISPLAY=griffwandler-wl "$keys" 42 >"$work/keys.log" 2>&1 &&
        WAYLAND_DISPLAY=griffwandler-wl "$keys" 4 >>"$work/keys.log" 2>&1
    local shown=no _
    for _ in $(seq 50); do
        kwin_shot "$work/key.png" && capo_iii_shown "$work/key.png" "$cx" "$cy" && shown=yes && break
        sleep 0.1
    done
    check "key 3 clicks fret III under KWin" test "$shown" = yes
    WAYLAND_DISPLAY=griffwandler-wl "$keys" 56 18 >>"$work/keys.log" 2>&1
    local failures=$failed
    check "Alt+E ends the program with status 0 under KWin" ended_with 0
    ((failed == failures)) || cat "$work/program.log"
    [[ "$shown" == yes ]] || cat "$work/keys.log"
}

case "$desktop" in
gnome) gnome_test "$@" ;;
kwin) kwin_test "$@" ;;
*)
    echo "run_wayland.sh: unknown desktop '$desktop' (gnome, kwin)" >&2
    exit 2
    ;;
esac
finish
