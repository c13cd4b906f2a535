#!/usr/bin/env bash
# Builds the Windows bodies of the services with MinGW-w64, together with a
# small Win32 test program and the executable's resource script, and runs it
# under Wine on a private X server. Prints PASS or FAIL per check and a last
# line "N passed, N failed"; exits non-zero when anything failed.
#
#   bash tests/windows/run.sh
#
# Everything it creates lives in one temporary folder that is removed at the end.
set -uo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
started=$(date +%s)
passed=0
failed=0

pass() { passed=$((passed + 1)); echo "PASS: $1"; }
fail() { failed=$((failed + 1)); echo "FAIL: $1"; }

finish() {
    echo "run.sh: finished in $(($(date +%s) - started)) s"
    echo "$passed passed, $failed failed"
    [[ $failed -eq 0 ]]
    exit
}

# MinGW-w64, Wine and Xvfb, installed only when missing (a second run touches nothing).
bash "$repo/scripts/setup.sh" windows || { fail "install the packages of scripts/setup.sh windows"; finish; }

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    if [[ -n "${WINEPREFIX:-}" && -d "$WINEPREFIX" ]]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The product icon when the repository has it; otherwise a one-image stand-in,
# made here and never kept, and the icon check expects one image.
icon_dir="$repo/src/assets/icon"
icon_images=9
if [[ ! -f "$icon_dir/griffwandler.ico" ]]; then
    echo "NOTE: src/assets/icon/griffwandler.ico is missing; the resource is built with a" \
        "one-image stand-in icon, so the nine-image icon group is NOT verified."
    icon_dir="$work/icon"
    icon_images=1
    mkdir -p "$icon_dir"
    {
        # ICONDIR, one ICONDIRENTRY (16 x 16, 32 bit, 1128 bytes at offset 22),
        # BITMAPINFOHEADER (height doubled for the mask), grey pixels, empty mask.
        printf '\x00\x00\x01\x00\x01\x00'
        printf '\x10\x10\x00\x00\x01\x00\x20\x00\x68\x04\x00\x00\x16\x00\x00\x00'
        printf '\x28\x00\x00\x00\x10\x00\x00\x00\x20\x00\x00\x00\x01\x00\x20\x00'
        printf '\x00\x00\x00\x00\x00\x04\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
        printf '\x00\x00\x00\x00\x00\x00\x00\x00'
        for _ in $(seq 256); do printf '\x80\x80\x80\xff'; done
        head -c 64 /dev/zero
    } >"$icon_dir/griffwandler.ico"
fi

# Cross-compile: the two Windows units of the services, the test program and
# the resource script of the executable.
cxx=x86_64-w64-mingw32-g++-posix
windres=x86_64-w64-mingw32-windres
exe="$work/win32_services_test.exe"
if "$windres" -c 65001 -I "$icon_dir" -O coff -o "$work/griffwandler_res.o" \
    "$repo/packaging/windows/griffwandler.rc" 2>"$work/windres.log"; then
    pass "windres compiles packaging/windows/griffwandler.rc"
else
    cat "$work/windres.log"
    fail "windres compiles packaging/windows/griffwandler.rc"
    finish
fi
if "$cxx" -std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -static \
    -I "$repo/src/services" \
    "$repo/src/services/dicker_win_rand_win32.cpp" \
    "$repo/src/services/mdl_browser_aufrufen_win32.cpp" \
    "$repo/tests/windows/win32_services_test.cpp" \
    "$work/griffwandler_res.o" \
    -luser32 -lshell32 -lversion -lgdi32 \
    -o "$exe" 2>"$work/compile.log"; then
    pass "MinGW-w64 builds the Windows units and the test program"
else
    cat "$work/compile.log"
    fail "MinGW-w64 builds the Windows units and the test program"
    finish
fi

# A private X server on a free display.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
read -r -t 10 -u "$display_fd" display || true
exec {display_fd}<&-
if [[ -z "$display" ]]; then
    cat "$work/xvfb.log"
    fail "Xvfb starts"
    finish
fi
export DISPLAY=":$display"

# A private Wine prefix: no Mono or Gecko set-up, Wine draws its own frames
# (without a window manager every DestroyWindow would wait 2 s otherwise), and
# the browser is a script that records what it is handed.
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
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
if timeout 180 wineboot -i >"$work/wineboot.log" 2>&1 && wineserver -w &&
    wine regedit /S "$(sed 's|/|\\|g' <<<"Z:$work/settings.reg")" >"$work/regedit.log" 2>&1; then
    pass "Wine prefix set up ($(($(date +%s) - started)) s so far)"
else
    cat "$work/wineboot.log" "$work/regedit.log"
    fail "Wine prefix set up"
    finish
fi

record_windows=$(sed 's|/|\\|g' <<<"Z:$record")
addresses=(
    "https://griffwandler.example/"
    "https://griffwandler.example/kapo/"
    "https://griffwandler.example/kapo/?a=1&b=zwei%20drei#x"
)
timeout 180 wine "$exe" "$record_windows" "$icon_images" "${addresses[@]}" >"$work/test.log" 2>"$work/test.err"
status=$?
grep -E '^(PASS|FAIL): ' "$work/test.log"
passed=$((passed + $(grep -c '^PASS: ' "$work/test.log")))
failed=$((failed + $(grep -c '^FAIL: ' "$work/test.log")))
if [[ $status -ne 0 && $(grep -c '^FAIL: ' "$work/test.log") -eq 0 ]]; then
    cat "$work/test.log" "$work/test.err"
    fail "test program ran to its end (exit status $status)"
elif ! grep -q '^program: ' "$work/test.log"; then
    cat "$work/test.err"
    fail "test program ran to its end"
fi
finish
