#!/usr/bin/env bash
# The program heard through a real screen reader: Orca in a private X server with
# a window manager, a private session bus and accessibility bus, and a speech
# server whose one voice writes every utterance to a file. Keys are pressed as a
# blind learner would press them, and each step checks Orca's own record of what
# it said (the SPEECH OUTPUT lines of its debug log). The whole session is printed
# as a transcript: the keys, then what Orca said.
#
#   run_orca.sh PROGRAM
set -uo pipefail

program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

source "$here/../lib/harness.sh" --session-bus "$@"
wm="" launcher="" speech="" orca=""
stop_at_exit+=(orca speech launcher wm)
export HOME="$work" # openbox and Orca keep their files there

for tool in orca speech-dispatcher openbox xdotool; do
    command -v "$tool" >/dev/null || { fail "$tool is installed (bash scripts/setup.sh test)"; finish; }
done

log="$work/orca.log"
spoken="$work/spoken.txt"
touch "$log" "$spoken"

# Orca's versions word the same things differently: Orca 43 says "Ende push
# button." and "Alt+E", Orca 48 "Ende button." and "E."; 43 says "Bund I." and
# "not selected radio button" apart, 48 in one breath; 43 prefixes what the
# program announces with "notification". What matters is the words in their
# order: both sides are compared as words, without case, punctuation, the
# "push" of a push button and the "notification" in front. A "not" is one word
# with the word it negates, so that "selected" is never found in "not selected".
words() { # words: stdin's text as words, one a line
    tr '+' ' ' | tr '[:upper:]' '[:lower:]' | tr -d ".,:;!?()'\"" | tr -s ' \t' '\n\n' |
        grep -vx -e '' -e push -e notification |
        awk '$0 == "not" { negated = 1; next } { print (negated ? "not_" : "") $0; negated = 0 }'
}

# spoken_since FROM: Orca's utterances after log line FROM, one a line.
spoken_since() {
    tail -n +"$(($1 + 1))" "$log" | grep -F " - SPEECH OUTPUT: '" |
        sed -E "s/^.* - SPEECH OUTPUT: '//; s/' ?(\{.*\}|None)$//"
}

# expected TEXT...: the TEXTs as words, a text's words apart by spaces, the
# texts by "|", for heard.
expected() {
    local text
    for text in "$@"; do
        words <<<"$text" | paste -sd ' '
    done | paste -sd '|'
}

# heard FROM EXPECTED: each text of EXPECTED was said after log line FROM, its
# words one after another, the texts in their order.
heard() {
    awk -v expected="$2" '
        { said[++n] = $0 }
        END {
            count = split(expected, texts, "|")
            at = 1
            for (t = 1; t <= count; t++) {
                k = split(texts[t], want, " ")
                found = 0
                for (i = at; i + k - 1 <= n && !found; i++) {
                    for (j = 1; j <= k && said[i + j - 1] == want[j]; j++);
                    if (j > k) { found = 1; at = i + k }
                }
                if (!found) exit 1
            }
        }' < <(spoken_since "$1" | words)
}

# Each step waits for its words at most step_limit seconds (the starts of Orca
# and of the program and the review of the whole window, called with
# wait_limit=$start_limit, longer), and all
# steps end by budget_end, 95 s after the start: a session in which Orca says
# nothing still ends with every result inside the test's limit of 120 s.
step_limit=8
start_limit=20
budget_end=$((harness_started + 95))

# What Orca said in lines FROM+1 to TO of the log, as the transcript shows it.
speech_between() { # speech_between FROM TO
    sed -n "$(($1 + 1)),$2p" "$log" | grep -F " - SPEECH OUTPUT: '" |
        sed -E "s/^.* - SPEECH OUTPUT: '//; s/' ?(\{.*\}|None)$//; s/^/#     /"
}

mark=0    # the log's length when the last step began
printed=0 # the log's length when the transcript was last printed
transcript() { # prints what Orca said since the transcript was last printed
    local now
    now=$(wc -l <"$log")
    [[ $now -gt $printed ]] && speech_between "$printed" "$now"
    printed=$now
}

begin() { # begin WHAT : a new step of the session, shown in the transcript
    transcript
    mark=$(wc -l <"$log")
    printed=$mark
    echo "# > $*"
}

press() { # press XDOTOOL_ARGUMENTS... : keys or a click as the next step
    begin "$*"
    xdotool "$@"
}

step() { # step NAME TEXT... : each TEXT is said, in this order, after the last press
    local name=$1 limit=${wait_limit:-$step_limit}
    shift
    local deadline=$((SECONDS + limit)) wanted
    wanted=$(expected "$@")
    ((deadline > SECONDS + budget_end - $(date +%s))) && deadline=$((SECONDS + budget_end - $(date +%s)))
    until heard "$mark" "$wanted"; do
        if ((SECONDS >= deadline)); then
            transcript
            printf '#     (waited for: %s)\n' "$(printf "'%s' " "$@")"
            fail "$name"
            return
        fi
        sleep 0.1
    done
    transcript
    pass "$name"
}

start_x_server
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done

# The accessibility bus; Orca is told its address, the program finds it on the
# session bus (Qt does not register when the address is given to it).
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/launcher.log" 2>&1 &
launcher=$!
a11y=""
for _ in $(seq 100); do
    a11y=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ') && [[ -n "$a11y" ]] && break
    sleep 0.05
done
[[ -n "$a11y" ]] || { fail "the accessibility bus starts"; finish; }

# One voice that appends each utterance to a file. Without a sound device the
# server needs an output method that loads; the null device of ALSA does.
mkdir -p "$work/speech/modules" "$work/speech/log"
cat >"$work/speech/speechd.conf" <<EOF
AudioOutputMethod "alsa"
AudioALSADevice "null"
LogDir "$work/speech/log"
AddModule "file" "sd_generic" "file.conf"
DefaultModule "file"
EOF
cat >"$work/speech/modules/file.conf" <<EOF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >> $spoken"
AddVoice "en" "MALE1" "en"
GenericLanguage "en" "en" "utf-8"
EOF
socket="$work/speech/speechd.sock"
# In a session of its own: it leaves a process behind that only the whole
# group's end takes with it.
setsid speech-dispatcher -s -t 0 -C "$work/speech" -c unix_socket -S "$socket" >"$work/speech.log" 2>&1 &
speech=-$!
for _ in $(seq 100); do
    [[ -S "$socket" ]] && break
    sleep 0.05
done
[[ -S "$socket" ]] || { fail "speech-dispatcher starts"; sed 's/^/# /' "$work/speech.log"; finish; }

mkdir -p "$work/orca"
cp "$here/orca_customizations.py" "$work/orca/orca-customizations.py"
# Orca speaks its own words (roles, states) in English whatever the user's locale.
env -u LOCPATH LC_ALL=C.UTF-8 LANGUAGE= AT_SPI_BUS_ADDRESS="$a11y" SPEECHD_ADDRESS="unix_socket:$socket" \
    orca -u "$work/orca" --debug-file "$log" --disable braille >"$work/orca.out" 2>&1 &
orca=$!
begin "(Orca starts)"
wait_limit=$start_limit step "Orca runs and speaks through the speech server" "Screen reader on."

begin "(the program starts)"
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
app=$!
wait_limit=$start_limit step "the window appears as a frame named Griffwandler, focus on Ende" \
    "Griffwandler frame." "Ende push button." "Fenster verlassen."
window=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n 1)

press key Insert+KP_Enter
step "5: the title command says the window's name" "Griffwandler"

press key KP_Enter
step "6: Where Am I on Ende reports its key E" "Ende push button." "E"

press key 3
step "1: key 3 is announced with the focus on Ende" "notification Kapo im dritten Bund. Bund III."

press key --delay 150 Tab Tab Tab
step "4: the chosen fret is the selected one, the others not" \
    "Bund I." "not selected radio button" "Bund II." "not selected radio button" \
    "Bund III." "selected radio button"

press key KP_Enter
# Orca 43: "Bund III radio button." "selected." "3"; Orca 48: "Bund III selected
# radio button." "3." "3 of 5".
step "6: Where Am I on a fret reports its state and key" "Bund III" "selected" "3"

# Bund IV, Bund V, the shown capo strip, then the old row up to F and Fis.
press key --delay 150 Tab Tab Tab Tab Tab Tab Tab Tab Tab
step "2: the old F names the chord to play instead" \
    "F push button." "mit dem Kapo im dritten Bund: D."
press key Tab
step "2: the old Fis keeps its flat name and names its partner" \
    "Fis push button." "Fis, auch Ges, mit dem Kapo im dritten Bund: Dis."

# The rest of the old row, then the new row up to the card under F.
press key --delay 150 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
step "2: the new card under F names the F it replaces" "D push button." "spiele D statt F."

press key 2
step "3: key 2 on the card under F says the capo and the card's new chord" \
    "notification Kapo im zweiten Bund. Bund II. Dis, auch Es, spiele Dis statt F."
press key 5
step "3: key 5 the same" "notification Kapo im fünften Bund. Bund V. Spiele C statt F."
press key 1
step "3: key 1 the same" "notification Kapo im ersten Bund. Bund I. Spiele E statt F."
press key 3
step "3: key 3 the same" "notification Kapo im dritten Bund. Bund III. Spiele D statt F."
press key 3
step "1: the same fret again says the capo alone" "notification Kapo im dritten Bund. Bund III."

press key --delay 100 KP_Add KP_Add
wait_limit=$start_limit step "7: flat review reads the instructions and the capo text in screen order" \
    "Der alte Akkord" \
    "Was musst du tun?  Klicke links auf einen Bund (I-V oder 1-5) und dann schau welchen Akkord du anders haben möchtest, wie z.B. F. Klicke auf das F oben und unten siehst du wie der Akkord jetzt gespielt werden darf." \
    "selected Bund III Ein Programm der Griffwandler-Entwickler" \
    "Kapo im dritten Bund. Bund III." "Webseite Ende"

# A mouse click on fret II, 41 x 41 px at 32, 248 in the window; the window's own
# corner on the screen, without the frame openbox puts around it.
read -r x y < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $NF }
    /Absolute upper-left Y/ { y = $NF } END { print x, y }')
press mousemove --sync $((x + 52)) $((y + 268)) click 1
step "1: a click on fret II is announced" "notification Kapo im zweiten Bund. Bund II."
transcript

# The words reached the speech server too, not only Orca's log.
check "the speech server received the announcements" \
    grep -qF "Kapo im zweiten Bund." "$spoken"
if grep -q "Traceback" "$log"; then
    echo "# --- Orca reported errors:"
    grep -A4 "Traceback" "$log" | head -40 | sed 's/^/# /'
fi
[[ $failed -eq 0 ]] || { echo "# --- program output"; sed 's/^/# /' "$work/program.log"; }
finish
