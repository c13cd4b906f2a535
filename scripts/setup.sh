#!/usr/bin/env bash
# Installs the Debian packages (Debian 12 or 13) that Griffwandler needs, and
# nothing that is already there: a second run is quick and touches nothing.
#
#   scripts/setup.sh           build and run the program
#   scripts/setup.sh test      ... and run the whole test suite
#   scripts/setup.sh tools     ... and regenerate the artwork
#   scripts/setup.sh windows   ... and build the Windows program (first the static
#                              Qt for Windows, 12 to 25 minutes once, then cached)
#                              and run it under Wine
#   scripts/setup.sh web       ... and build the web site (first the static Qt for
#                              WebAssembly, 10 to 25 minutes once, then cached) and
#                              test it in chromium, Firefox ESR and WebKitGTK
#   scripts/setup.sh debian13  ... and run the Run and Test commands in a Debian 13
#                              root on a Debian 12 machine (scripts/debian13_root.sh)
#
#   scripts/setup.sh --packages GROUP...   only print the packages, one a line
#
# Run as root (as CI does) or with sudo available.
set -euo pipefail

# The desktop platform talks to X11 (libxcb) and to the Wayland compositor
# (libwayland and the toolkit's platform interface).
build=(cmake make g++ qt6-base-dev libgl-dev libxcb1-dev libwayland-dev qt6-base-private-dev)
run=(libqt6widgets6 libqt6gui6 qt6-qpa-plugins libwayland-client0)
test=(xvfb xauth xdotool imagemagick x11-utils desktop-file-utils appstream dpkg-dev valgrind lintian
      # the window managers the placement is tried under (KWin draws no
      # frame without a decoration; Xfwm4 needs its settings daemon)
      openbox kwin-x11 breeze fluxbox i3-wm xfwm4 xfconf
      # the Wayland plugin, which tries a compositor before X11
      qt6-wayland
      # the Wayland desktops the window is tried on: GNOME Shell with its X11
      # server, KWin with the protocol its keys are pressed through and the
      # bindings its screenshot service is called with; GNOME Shell 43 never
      # finishes starting up without the SVG loader for its theme's pictures
      # (only recommended by Debian 12's packages)
      gnome-shell librsvg2-common xwayland kwin-wayland plasma-wayland-protocols python3-gi
      at-spi2-core python3-pyatspi dbus-daemon dbus-bin orca speech-dispatcher
      # what every desktop has, so the suite runs as it would there; and the
      # German locale's sources, for the run in de_DE.UTF-8
      xdg-utils locales
      # what scripts/check_reproducible.sh shows a difference between two
      # builds with
      diffoscope
      # the web build's cut-down fonts, held against the window's texts
      python3-fonttools)
tools=(fonts-liberation2 fonts-comic-neue fonts-urw-base35 fonts-dejavu-core)
windows=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine nsis ninja-build dpkg-dev xz-utils
    python3 python3-pefile xvfb xauth xdotool imagemagick x11-utils)
# The browser tests run the site in three engines (chromium, Firefox ESR,
# WebKitGTK's MiniBrowser under WebKitWebDriver) and compare the page with the
# Linux program under Xvfb; the web build cuts its fonts down with fonttools.
# A Debian 13 root made from the machine's own archive.
debian13=(mmdebstrap)
web=(emscripten nodejs ninja-build dpkg-dev xz-utils perl brotli chromium fonts-liberation2
    firefox-esr webkit2gtk-driver python3-fonttools
    xvfb xauth xdotool imagemagick x11-utils)

list_only=no
[[ "${1:-}" == --packages ]] && list_only=yes && shift
wanted=("${build[@]}" "${run[@]}")
for group in "$@"; do
    case "$group" in
    run) ;;
    test) wanted+=("${test[@]}") ;;
    tools) wanted+=("${tools[@]}") ;;
    windows) wanted+=("${windows[@]}") ;;
    web) wanted+=("${web[@]}") ;;
    debian13) wanted+=("${debian13[@]}") ;;
    *) echo "setup.sh: unknown group '$group' (run, test, tools, windows, web, debian13)" >&2; exit 2 ;;
    esac
done

[[ $list_only == yes ]] && { printf '%s\n' "${wanted[@]}"; exit 0; }

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
# After the packages: the toolchains the groups need, and the web tests'
# pinned npm packages (puppeteer-core, which drives the system's chromium and
# downloads no browser of its own).
after_packages() {
    local here group
    here=$(dirname "$0")
    for group in "$@"; do
        case "$group" in
        windows) bash "$here/build_windows_qt.sh" ;;
        web)
            if ! command -v npm >/dev/null; then
                "${sudo[@]}" apt-get install -y -qq --no-install-recommends npm
            fi
            (cd "$here/../tests/web" && npm ci --no-audit --no-fund --loglevel=error) ||
                { echo "setup.sh: npm ci in tests/web failed" >&2; exit 1; }
            bash "$here/build_web_qt.sh"
            ;;
        esac
    done
}

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
if [[ ${#missing[@]} -eq 0 ]]; then
    after_packages "$@"
    exit 0
fi

echo "setup.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
after_packages "$@"
