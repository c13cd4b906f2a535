#!/usr/bin/env bash
# The web site in chromium, Firefox ESR and WebKitGTK: serves it on 127.0.0.1
# at a free port, runs the browser checks (site_test.mjs, which prints TAP),
# and holds the window's pictures after start, after fret III and after a
# click on the old F in each engine against the Linux program's, taken in a
# private X server (the Linux program is built with the default preset where
# it is missing). WebKitGTK's browser gets an X server of its own (engines.mjs).
#
#   run.sh SITE_FOLDER HOME_URL SECOND_URL [ENGINE...]   (chromium firefox webkit)
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
site=$(cd "$1" && pwd)
home=$2
second=$3
shift 3
engines=("$@")
[[ ${#engines[@]} -gt 0 ]] || engines=(chromium firefox webkit)
source "$repo/tests/lib/harness.sh"
server=""
stop_at_exit+=(server)

for tool in node /usr/bin/chromium /usr/bin/firefox-esr WebKitWebDriver Xvfb xdotool import convert compare; do
    command -v "$tool" >/dev/null || { fail "$tool is installed (bash scripts/setup.sh web)"; finish; }
done
[[ -f "$here/node_modules/puppeteer-core/package.json" ]] ||
    { fail "puppeteer-core is installed in tests/web (bash scripts/setup.sh web)"; finish; }
[[ -f "$site/index.html" && -f "$site/griffwandler.wasm" ]] || { fail "the site is built in $site"; finish; }

shots=$(dirname "$site")/web-test
rm -rf "$shots"
mkdir -p "$shots"

node "$here/serve.mjs" "$site" >"$work/server.log" 2>&1 &
server=$!
wait_until grep -q '^http://' "$work/server.log" || { cat "$work/server.log"; fail "the server starts"; finish; }
url=$(head -n 1 "$work/server.log")
echo "site at $url"

# The Linux program of the same sources, for the reference pictures.
linux_program="$repo/build/default/bin/griffwandler"
if [[ ! -x "$linux_program" ]]; then
    echo "building the Linux program for the reference pictures"
    (cd "$repo" && cmake --workflow --preset default) >"$work/linux-build.log" 2>&1 ||
        { tail -20 "$work/linux-build.log"; fail "the Linux program builds"; finish; }
fi
start_x_server
check "the Linux program gives the reference pictures" linux_pictures "$linux_program" "$shots"

(cd "$here" && node site_test.mjs "$url" "$shots" "$home" "$second" "${engines[@]}") >"$work/browser.log" 2>&1
include_tap "$work/browser.log" || fail "the browser checks ran to their end"

for engine in "${engines[@]}"; do
    for state in start fret-3 card-f; do
        if [[ -f "$shots/web-$engine-$state.png" ]]; then
            check "$engine, $state: the same picture as the Linux program" \
                same_client_area "$shots/linux-$state.png" "$shots/web-$engine-$state.png"
        else
            fail "$engine, $state: the browser took its picture"
        fi
    done
done
finish
