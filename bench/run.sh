#!/usr/bin/env bash
# Builds the benchmarks (Release with debug info, as the default preset) in
# build/bench and runs them all: start-up time and memory against a bare
# toolkit window in a private X server, then the reaction to clicks. Where the
# static Qt for Windows is built (bash scripts/setup.sh windows), a Windows
# section follows: the start-up of the Windows program under Wine against a
# bare window built with the same Qt. Where the static Qt for WebAssembly is
# built too, a web section follows: transfer and time to the first frame of
# the site in chromium, against a bare window for WebAssembly.
#
#   bash bench/run.sh [RUNS]     RUNS start-ups of each program, 31 if not given
#                                (WEB_RUNS visits of each site, 7 if not given)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
mkdir -p "$build"
cmake -S . -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DBUILD_TESTING=OFF -DGRIFFWANDLER_BUILD_BENCH=ON >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j2 --target bench_startup_app bench_startup_floor bench_reaction \
    >"$build/build.log" 2>&1 || { tail -n 50 "$build/build.log"; exit 1; }

status=0
python3 bench/driver.py "$build/bench" "${1:-31}" || status=1

qt_windows="${XDG_CACHE_HOME:-$HOME/.cache}/griffwandler/qt-windows"
if [[ -f "$qt_windows/.griffwandler-complete" ]] && command -v wine >/dev/null; then
    echo
    cmake --preset windows >build/windows-bench-configure.log 2>&1 ||
        { cat build/windows-bench-configure.log; exit 1; }
    cmake --build build/windows --target bench_startup_app bench_startup_floor \
        >build/windows-bench-build.log 2>&1 || { tail -n 50 build/windows-bench-build.log; exit 1; }
    python3 bench/wine_startup.py build/windows/bench "${1:-31}" || status=1
else
    echo
    echo "Windows section skipped: no static Qt for Windows (bash scripts/setup.sh windows builds it)"
fi
qt_web="${XDG_CACHE_HOME:-$HOME/.cache}/griffwandler/qt-web"
if [[ -f "$qt_web/.griffwandler-complete" && -f tests/web/node_modules/puppeteer-core/package.json ]]; then
    echo
    web=build/web-bench
    cmake --preset web -B "$web" -DGRIFFWANDLER_BUILD_BENCH=ON >"$web-configure.log" 2>&1 ||
        { cat "$web-configure.log"; exit 1; }
    cmake --build "$web" --target web_site bench_startup_app bench_startup_floor \
        >"$web-build.log" 2>&1 || { tail -n 50 "$web-build.log"; exit 1; }
    # Each benchmark program behind the site's own start page and cache.
    for program in bench_startup_app bench_startup_floor; do
        site="$web/bench-sites/$program"
        rm -rf "$site"
        mkdir -p "$site"
        cp "$web"/site/*.{css,png,webp,webmanifest} "$web/site/griffwandler-start.js" "$site/"
        cp "$web/bench/$program.js" "$web/bench/$program.wasm" "$site/"
        sed -e "s/data-programm=\"griffwandler\"/data-programm=\"$program\"/" \
            -e "s/data-wasm-bytes=\"[0-9]*\"/data-wasm-bytes=\"$(stat -c %s "$site/$program.wasm")\"/" \
            "$web/site/index.html" >"$site/index.html"
        sed -e "s/'griffwandler.js'/'$program.js'/" -e "s/'griffwandler.wasm'/'$program.wasm'/" \
            "$web/site/griffwandler-sw.js" >"$site/griffwandler-sw.js"
        # The bare window is the floor: no start picture of the program.
        if [[ $program == bench_startup_floor ]]; then
            rm "$site/startbild.webp"
            sed -i -e '/id="startbild"/d' "$site/index.html"
            sed -i -e "s/, 'startbild.webp'//" "$site/griffwandler-sw.js"
        fi
        for file in "$site"/*.{wasm,js,html,css,webmanifest}; do
            gzip -9 -n -k -f "$file"
            brotli -q 11 -k -f "$file"
        done
    done
    node bench/web_startup.mjs "$web/bench-sites" "${WEB_RUNS:-7}" || status=1
else
    echo
    echo "Web section skipped: no static Qt for WebAssembly or no puppeteer-core (bash scripts/setup.sh web)"
fi
exit "$status"
