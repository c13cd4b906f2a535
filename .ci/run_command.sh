#!/usr/bin/env bash
# The README's Run command, word for word, in a private X server: it passes
# when the command builds and starts the program, its window comes up, and the
# window's own key Alt+E ends it with status 0.
set -uo pipefail
cd "$(dirname "$0")/.."
source tests/lib/harness.sh
start_x_server

setsid bash -c 'bash scripts/setup.sh && cmake --workflow --preset default && ./build/default/bin/griffwandler' \
    >"$work/run.log" 2>&1 &
app=$!
stop_at_exit+=(run_group)
run_group=-$app

# Building comes first: up to ten minutes for the window.
window=""
for _ in $(seq 1200); do
    window=$(xdotool search --onlyvisible --class griffwandler 2>/dev/null | head -n 1)
    [[ -n "$window" ]] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.5
done
if [[ -n "$window" ]]; then
    pass "the Run command shows the window"
    xdotool windowfocus --sync "$window" key --clearmodifiers alt+e
    check "Alt+E ends it with status 0" ended_with 0
else
    fail "the Run command shows the window"
fi
[[ $failed -eq 0 ]] || tail -n 30 "$work/run.log"
finish
