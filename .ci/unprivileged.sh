#!/usr/bin/env bash
# The README's test command once more, as a contributor without root would run
# it: an ordinary user with a home of its own, a German locale, and a copy of
# the sources in that home. A test that needs root, an English locale or
# anything the machine happens to have beyond what scripts/setup.sh test
# installs fails here. Run as root after the packages are installed.
set -euo pipefail
cd "$(dirname "$0")/.."

user=griffwandler-ci
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
as_user() { runuser -u "$user" -- "$@"; }

# The sources as they stand here (the files git knows), without any build.
as_user rm -rf "$home/griffwandler"
as_user mkdir "$home/griffwandler"
git ls-files -z | tar --null -T - -cf - | as_user tar -xf - -C "$home/griffwandler"

# de_DE.UTF-8, generated into the user's home when the machine lacks it.
locale_env=(LANG=de_DE.UTF-8)
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    as_user mkdir -p "$home/locale"
    as_user localedef -i de_DE -f UTF-8 "$home/locale/de_DE.UTF-8"
    locale_env+=(LOCPATH="$home/locale")
fi

as_user env -i HOME="$home" USER="$user" PATH=/usr/local/bin:/usr/bin:/bin "${locale_env[@]}" \
    bash -c 'cd ~/griffwandler &&
             { [[ "$(locale charmap)" == UTF-8 ]] || { echo "the locale $LANG is not usable" >&2; exit 1; }; } &&
             echo "as $(id -un) (uid $(id -u)), LANG=$LANG" &&
             bash scripts/setup.sh test && cmake --workflow --preset test'
