#!/usr/bin/env bash
# Runs a short scripted session of the real window under valgrind's memory
# checker on the offscreen platform. Fails on any memory error and on any
# definite leak; suppressions.supp holds only findings inside the toolkit and
# the system libraries, each explained.
#
#   tests/valgrind/run.sh [BUILD_FOLDER]     default build/default
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build/default}
session=$build/tests/valgrind_session
[[ -x "$session" ]] || { echo "run.sh: $session is missing; build the target valgrind_session" >&2; exit 2; }

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 0700 "$runtime"

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_SCALE_FACTOR \
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" \
    valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite \
    --show-leak-kinds=definite --num-callers=30 \
    --suppressions="$here/suppressions.supp" \
    "$session"
