#!/usr/bin/env bash
# Installs the Debian 12 packages that Griffwandler needs, and nothing that is
# already there: a second run is quick and touches nothing.
#
#   scripts/setup.sh           build and run the program
#   scripts/setup.sh test      ... and run the whole test suite
#   scripts/setup.sh tools     ... and regenerate the artwork
#   scripts/setup.sh windows   ... and build the Windows program (first the static
#                              Qt for Windows, 25 to 40 minutes once, then cached)
#                              and run it under Wine
#
# Run as root (as CI does) or with sudo available.
set -euo pipefail

build=(cmake make g++ qt6-base-dev libgl-dev libxcb1-dev)
run=(libqt6widgets6 libqt6gui6 qt6-qpa-plugins)
test=(xvfb xauth xdotool imagemagick x11-utils openbox desktop-file-utils appstream dpkg-dev valgrind lintian
      at-spi2-core python3-pyatspi dbus-daemon dbus-bin orca speech-dispatcher
      # what every desktop has, so the suite runs as it would there; and the
      # German locale's sources, for the run in de_DE.UTF-8
      xdg-utils locales)
tools=(fonts-liberation2 fonts-comic-neue fonts-urw-base35 fonts-dejavu-core)
windows=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine nsis ninja-build dpkg-dev xz-utils
    python3 python3-pefile xvfb xauth xdotool imagemagick x11-utils)

wanted=("${build[@]}" "${run[@]}")
for group in "$@"; do
    case "$group" in
    run) ;;
    test) wanted+=("${test[@]}") ;;
    tools) wanted+=("${tools[@]}") ;;
    windows) wanted+=("${windows[@]}") ;;
    *) echo "setup.sh: unknown group '$group' (run, test, tools, windows)" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
build_windows_qt() {
    for group in "$@"; do
        [[ "$group" == windows ]] && exec bash "$(dirname "$0")/build_windows_qt.sh"
    done
    return 0
}

if [[ ${#missing[@]} -eq 0 ]]; then
    build_windows_qt "$@"
    exit 0
fi

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "setup.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
build_windows_qt "$@"
