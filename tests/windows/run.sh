#!/usr/bin/env bash
# The Windows program under Wine, on a private X server and a fresh Wine
# prefix: the exe as a file, its window (centred with its frame, the sunken
# client edge), the same pictures and behaviour as the Linux program, the two
# links, ending with Alt+E and "Ende", the Windows bodies of the services on
# their own, and the installer's silent install and uninstall. Prints each
# check in the Test Anything Protocol and a last line "N passed, N failed";
# exits non-zero when anything failed.
#
#   run.sh BUILD_FOLDER EXE INSTALLER ZIP        (ctest in build/windows runs it)
#
# Screenshots and logs stay in BUILD_FOLDER/wine-test.
set -uo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
exe=$2
installer=$3
zip=$4
source "$repo/tests/lib/harness.sh"
work="$build/wine-test" # screenshots and logs stay

for tool in wine wineboot wineserver Xvfb xdotool xwininfo import convert compare python3 \
    x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres; do
    command -v "$tool" >/dev/null || { fail "$tool is installed (bash scripts/setup.sh windows)"; finish; }
done

rm -rf "$work"
mkdir -p "$work/shots"
end_wine() {
    if [[ -n "${WINEPREFIX:-}" && -d "$WINEPREFIX" ]]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    rm -rf "$work/prefix"
}
at_exit+=(end_wine)

# --- The files, without Wine ------------------------------------------------
echo "# griffwandler.exe: $(stat -c %s "$exe") bytes; installer: $(stat -c %s "$installer") bytes;" \
    "zip: $(stat -c %s "$zip") bytes"
# Debian's own Python, which python3-pefile serves.
/usr/bin/python3 "$repo/tests/windows/pe_check.py" "$exe" >"$work/pe.log" 2>&1
include_tap "$work/pe.log" || fail "the exe could be read as a PE file to the end"
check "exe is one file under 20 MiB" test "$(stat -c %s "$exe")" -lt $((20 * 1024 * 1024))
check "zip holds the exe, LICENSE.txt and LIESMICH.txt" python3 - "$zip" "$exe" <<'PY'
import sys, zipfile
archive = zipfile.ZipFile(sys.argv[1])
names = sorted(archive.namelist())
same = archive.read("griffwandler.exe") == open(sys.argv[2], "rb").read() if "griffwandler.exe" in names else False
sys.exit(0 if names == ["LICENSE.txt", "LIESMICH.txt", "griffwandler.exe"] and same else 1)
PY

# --- A private X server and a fresh Wine prefix -------------------------------
start_x_server 1024x768

# No Mono, Gecko or menu entries on the host; Wine draws the frames itself
# (without a window manager every DestroyWindow would wait 2 s otherwise); the
# browser is a script that records what it is handed.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
record="$work/browser-requests.txt"
cat >"$work/record-browser.sh" <<SCRIPT
#!/bin/sh
printf '%s|%s\n' "\$#" "\$*" >>"$record"
SCRIPT
chmod +x "$work/record-browser.sh"
cat >"$work/settings.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]
"Browsers"="\\"$work/record-browser.sh\\""
REG
winpath() { sed 's|/|\\|g' <<<"Z:$1"; }
if timeout 180 wineboot -i >"$work/wineboot.log" 2>&1 && wineserver -w &&
    wine regedit /S "$(winpath "$work/settings.reg")" >"$work/regedit.log" 2>&1; then
    pass "Wine prefix set up ($(($(date +%s) - harness_started)) s so far)"
else
    cat "$work/wineboot.log" "$work/regedit.log"
    fail "Wine prefix set up"
    finish
fi
# Debian's Wine looks for its own fonts elsewhere; without them the frame's
# buttons show as letters.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null ||
    { fail "Wine's fonts (fonts-wine) are installed"; finish; }

cxx=x86_64-w64-mingw32-g++-posix
"$cxx" -std=c++20 -O1 -Wall -Wextra -Werror -static "$repo/tests/windows/window_info.cpp" \
    -o "$work/window_info.exe" 2>"$work/compile.log" || { cat "$work/compile.log"; fail "inspector builds"; finish; }
info() { wine "$work/window_info.exe" "$@" 2>/dev/null | tr -d '\r'; }

# --- The Linux program of the same sources, as the reference picture ----------
linux_program="$repo/build/default/bin/griffwandler"
if [[ ! -x "$linux_program" ]]; then
    echo "# building the Linux program for the reference pictures"
    (cd "$repo" && cmake --workflow --preset default) >"$work/linux-build.log" 2>&1 ||
        { tail -20 "$work/linux-build.log"; fail "the Linux program builds"; finish; }
fi
check "the Linux program gives the reference pictures" linux_pictures "$linux_program" "$work/shots"

# --- The Windows program ------------------------------------------------------
start_exe() { # start_exe EXE: runs it and waits for its window; sets the w_* facts
    wine "$1" >"$work/exe.log" 2>&1 &
    app=$!
    local line=""
    for _ in $(seq 100); do
        line=$(info window) && break
        kill -0 "$app" 2>/dev/null || break
        sleep 0.1
    done
    [[ -n "$line" ]] || { cat "$work/exe.log"; return 1; }
    echo "# window: $line"
    local fact key value
    for fact in $line; do # key=value, separated by spaces
        IFS='=' read -r key value <<<"$fact"
        case "$key" in
        outer) IFS=, read -r w_ox w_oy w_ow w_oh <<<"$value" ;;
        client) IFS=, read -r w_cx w_cy w_cw w_ch <<<"$value" ;;
        screen) IFS=, read -r w_sw w_sh <<<"$value" ;;
        exstyle) w_exstyle=$value ;;
        caption) w_caption=$value ;;
        esac
    done
    # The first frame: the upper rule, at the screen's scale.
    wait_for_pixel $((w_cx + 400 * w_cw / 793)) $((w_cy + 65 * w_ch / 479)) 0,0,128
}
client_shot() { # client_shot NAME: the client area of the Windows program
    import -window root "$work/shots/root.png"
    convert "$work/shots/root.png" -crop "${w_cw}x${w_ch}+${w_cx}+${w_cy}" +repage "$work/shots/$1.png"
}
start_exe "$exe" || { fail "griffwandler.exe starts and shows its window"; finish; }
pass "griffwandler.exe starts and shows its window"
echo "# outer ${w_ow}x${w_oh} at $w_ox,$w_oy; client ${w_cw}x${w_ch} at $w_cx,$w_cy; screen ${w_sw}x${w_sh}"
# At 100 % to the rounding: half a pixel.
check "outer rectangle centred horizontally" within_one $((2 * w_ox)) $((w_sw - w_ow))
check "outer rectangle centred vertically" within_one $((2 * w_oy)) $((w_sh - w_oh))
check "window has the sunken client edge (WS_EX_CLIENTEDGE)" test $((w_exstyle & 0x200)) -ne 0
check "the caption is empty" test "$w_caption" -eq 0
import -window root "$work/shots/windows-start.png"

# Which of a picture's two renderings the window shows: a stretch of the guitar
# neck (70 x 100 of the toolkit's pixels at 90,120 of the client area, at 42,112
# of the picture), against each rendering brought to the screen's scale pixel by
# pixel, as the toolkit draws it. The one the scale needs must match, and much
# better than the other.
pictures_drawn_from() { # pictures_drawn_from SHOT SCALE_PERCENT "1x"|"2x"
    local shot=$1 scale=$2 wanted=$3 w h x y fine coarse
    w=$((70 * scale / 100)) h=$((100 * scale / 100))
    x=$((w_cx + 90 * scale / 100)) y=$((w_cy + 120 * scale / 100))
    convert "$shot" -crop "${w}x${h}+$x+$y" +repage "$work/seen.png"
    local grey=(-background 'rgb(192,192,192)' -flatten)
    convert "$repo/src/assets/neck@2x.png" -crop 140x200+84+224 +repage -sample "${w}x${h}!" \
        "${grey[@]}" "$work/from-2x.png"
    convert "$repo/src/assets/neck.png" -crop 70x100+42+112 +repage -sample "${w}x${h}!" \
        "${grey[@]}" "$work/from-1x.png"
    rmse() { compare -metric RMSE "$work/seen.png" "$1" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }
    fine=$(rmse "$work/from-2x.png") coarse=$(rmse "$work/from-1x.png")
    echo "at $scale %: the neck departs from the 2x picture by $fine, from the 1x picture by $coarse"
    if [[ $wanted == 2x ]]; then
        awk -v a="$fine" -v b="$coarse" 'BEGIN { exit !(a < 0.01 && 5 * a < b) }'
    else
        awk -v a="$coarse" -v b="$fine" 'BEGIN { exit !(a < 0.01 && 5 * a < b) }'
    fi
}
check "at 100 % the 1x pictures are drawn" pictures_drawn_from "$work/shots/windows-start.png" 100 1x
cp "$work/shots/windows-start.png" "$work/windows-start-root.png"
edge_outer=$(pixel_of "$work/shots/windows-start.png" $((w_cx - 2)) $((w_cy + 100)))
edge_inner=$(pixel_of "$work/shots/windows-start.png" $((w_cx - 1)) $((w_cy + 100)))
edge_right=$(pixel_of "$work/shots/windows-start.png" $((w_cx + w_cw)) $((w_cy + 100)))
echo "# client edge left: $edge_outer, $edge_inner; right: $edge_right"
check "the sunken edge is drawn: dark on the left, light on the right" \
    test "$edge_inner" != "$edge_right" -a "$edge_outer" != "$edge_right"

# The pictures must match the Linux program's pixel for pixel, the texts by
# their ink (another font rasteriser draws them).
xdotool mousemove $((w_cx + 52)) $((w_cy + 308)) click 1 # fret III
wait_for_pixel $((w_cx + 112)) $((w_cy + 319)) 0,0,128
client_shot windows-fret-3
check "fret III: the same picture as the Linux program" \
    same_client_area "$work/shots/linux-fret-3.png" "$work/shots/windows-fret-3.png"
xdotool mousemove $((w_cx + 372)) $((w_cy + 188)) click 1 # the old F
wait_for_pixel $((w_cx + 372)) $((w_cy + 215)) 128,98,62
client_shot windows-card-f
convert "$work/shots/root.png" -crop "${w_ow}x${w_oh}+${w_ox}+${w_oy}" +repage "$work/shots/windows-window.png"
check "card F: the same picture as the Linux program" \
    same_client_area "$work/shots/linux-card-f.png" "$work/shots/windows-card-f.png"

home=$(sed -n 's/^GRIFFWANDLER_HOME_URL:[A-Z]*=//p' "$build/CMakeCache.txt")
second=$(sed -n 's/^GRIFFWANDLER_SECOND_URL:[A-Z]*=//p' "$build/CMakeCache.txt")
: >"$record"
requests() { [[ $(wc -l <"$record") -ge $1 ]]; }
clicks=0
for target in "612 448" "612 448" "376 239" "376 239"; do # Webseite twice, the red heading twice
    read -r tx ty <<<"$target"
    xdotool mousemove $((w_cx + tx)) $((w_cy + ty)) click 1
    clicks=$((clicks + 1))
    wait_until requests "$clicks"
done
expected=$(printf '1|%s\n1|%s\n1|%s\n1|%s' "$home" "$home" "$second" "$second")
check "Webseite and the red heading hand over their addresses, each click again" \
    test "$(cat "$record")" = "$expected"
[[ "$(cat "$record")" == "$expected" ]] || cat "$record"
check "the pointer is not the busy one afterwards" test "$(info cursor)" = busy=0

xdotool key --clearmodifiers alt+e
check "Alt+E ends griffwandler.exe with status 0" ended_with 0

start_exe "$exe" || fail "griffwandler.exe starts again"
xdotool mousemove $((w_cx + 728)) $((w_cy + 448)) click 1 # Ende
check "a click on Ende ends griffwandler.exe with status 0" ended_with 0

# --- The Windows bodies of the services on their own ---------------------------
# What the whole program cannot show: other style bits kept, a second call
# changing nothing, an invalid handle, and an address with query and fragment.
windres=x86_64-w64-mingw32-windres
if "$windres" -c 65001 -I "$repo/src/assets/icon" -O coff -o "$work/res.o" \
    "$repo/packaging/windows/griffwandler.rc" 2>"$work/windres.log" &&
    "$cxx" -std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -static -I "$repo/src" \
        "$repo/src/services/dicker_win_rand_win32.cpp" "$repo/src/services/mdl_browser_aufrufen_win32.cpp" \
        "$repo/tests/windows/win32_services_test.cpp" "$work/res.o" \
        -luser32 -lshell32 -lversion -lgdi32 -o "$work/win32_services_test.exe" 2>>"$work/windres.log"; then
    : >"$record"
    timeout 180 wine "$work/win32_services_test.exe" "$(winpath "$record")" 9 \
        "https://griffwandler.example/" "https://griffwandler.example/kapo/?a=1&b=zwei%20drei#x" \
        >"$work/services.log" 2>&1
    status=$?
    include_tap "$work/services.log" || fail "service test ran to its end (status $status)"
else
    cat "$work/windres.log"
    fail "the service test builds"
fi

# --- Installer ------------------------------------------------------------------
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Griffwandler'
program_dir="$WINEPREFIX/drive_c/Program Files/Griffwandler"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Griffwandler.lnk"
(cd "$WINEPREFIX/drive_c" && find . | sort) >"$work/before-install.txt"
timeout 120 wine "$installer" /S >"$work/install.log" 2>&1
check "silent install ends with status 0" test $? -eq 0
check "program folder holds the exe, licence, readme and uninstaller" test -f "$program_dir/griffwandler.exe" \
    -a -f "$program_dir/LICENSE.txt" -a -f "$program_dir/LIESMICH.txt" -a -f "$program_dir/Deinstallieren.exe"
check "Start-menu shortcut" test -f "$shortcut"
wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r' >"$work/uninstall-key.txt"
cat "$work/uninstall-key.txt"
for value in DisplayName DisplayVersion Publisher DisplayIcon EstimatedSize UninstallString QuietUninstallString; do
    check "uninstall entry has $value" grep -q "^ *$value " "$work/uninstall-key.txt"
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
check "uninstall entry shows version $version" grep -qE "DisplayVersion +REG_SZ +$version\$" "$work/uninstall-key.txt"
if start_exe "$program_dir/griffwandler.exe"; then
    xdotool key --clearmodifiers alt+e
    check "the installed exe starts and ends" ended_with 0
else
    fail "the installed exe starts and ends"
fi
timeout 120 wine "$program_dir/Deinstallieren.exe" /S >"$work/uninstall.log" 2>&1
# The uninstaller runs on from a copy of itself; wait for it to finish.
for _ in $(seq 100); do
    [[ -e "$program_dir" || -e "$shortcut" ]] || break
    sleep 0.2
done
wineserver -w
check "silent uninstall removes the program folder and the shortcut" test ! -e "$program_dir" -a ! -e "$shortcut"
check "silent uninstall removes the uninstall entry" bash -c "! wine reg query '$uninstall_key' >/dev/null 2>&1"
(cd "$WINEPREFIX/drive_c" && find . | sort) >"$work/after-uninstall.txt"
remains=$(comm -13 "$work/before-install.txt" "$work/after-uninstall.txt" | grep -i 'griffwandler\|Deinstall' || true)
[[ -n "$remains" ]] && echo "# left behind: $remains"
check "nothing of ours remains after uninstall" test -z "$remains"

# --- At 150 % and 200 % ------------------------------------------------------
# Windows set to 144 and 192 dots per inch, on screens of 1024 x 768 of the
# toolkit's pixels: the outer rectangle is centred in device pixels, and the
# pictures are drawn from their renderings at twice the resolution.
for dpi in 144 192; do
    scale=$((dpi * 100 / 96))
    wineserver -k >/dev/null 2>&1
    wineserver -w
    kill "$x_server" 2>/dev/null && wait "$x_server" 2>/dev/null
    start_x_server "$((1024 * scale / 100))x$((768 * scale / 100))"
    cat >"$work/dpi.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$(printf '%08x' "$dpi")

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]
"LogPixels"=dword:$(printf '%08x' "$dpi")
REG
    wine regedit /S "$(winpath "$work/dpi.reg")" >"$work/regedit.log" 2>&1
    # The scale is read when Wine starts.
    wineserver -k >/dev/null 2>&1
    wineserver -w
    if ! start_exe "$exe"; then
        fail "griffwandler.exe starts at $scale %"
        continue
    fi
    echo "# at $scale %: outer ${w_ow}x${w_oh} at $w_ox,$w_oy; client ${w_cw}x${w_ch} at $w_cx,$w_cy;" \
        "screen ${w_sw}x${w_sh}"
    check "at $scale % the client area is scaled" test "$w_cw" -eq $(((793 * scale + 50) / 100))
    check "at $scale % the outer rectangle is centred horizontally" centred "$w_ox" "$w_ow" "$w_sw"
    check "at $scale % the outer rectangle is centred vertically" centred "$w_oy" "$w_oh" "$w_sh"
    import -window root "$work/shots/windows-$scale.png"
    check "at $scale % the 2x pictures are drawn" pictures_drawn_from "$work/shots/windows-$scale.png" "$scale" 2x
    xdotool key --clearmodifiers alt+e
    check "at $scale % Alt+E ends griffwandler.exe with status 0" ended_with 0
done

finish
