#!/usr/bin/env bash
# Runs the README's Run and Test commands on Debian 13 (trixie) from a Debian
# 12 machine: a Debian 13 root made with mmdebstrap from the machine's own apt
# archive, a clean clone of a commit copied into it, and both commands run
# there in a chroot, as root, as on a fresh machine.
#
#   bash scripts/debian13_root.sh [COMMIT]    (HEAD by default; run as root)
#   bash scripts/debian13_root.sh --prepare [COMMIT]
#                                   only makes the root (when it is not cached yet)
#
# The root, with the packages that `scripts/setup.sh test` installs, is made
# once (about 2.5 GB; 16 minutes on a busy 2-core machine) and cached beside
# the Qt toolchains, in a folder named by a hash of what defines it: the
# release, the archive, the package list and this script's way of making it.
# It counts as finished only once its marker file is there; a half-made root
# is made again. Each run copies the clone into the root, runs the commands
# and removes the copy.
set -euo pipefail

script=$(basename "$0")
die() { echo "$script: $*" >&2; exit 1; }
[[ $(id -u) -eq 0 ]] || die "needs root (chroot, mounts)"
for tool in mmdebstrap git flock chroot findmnt; do
    command -v "$tool" >/dev/null || die "$tool is missing (bash scripts/setup.sh test installs it)"
done

repo=$(cd "$(dirname "$0")/.." && pwd)
prepare_only=false
if [[ "${1:-}" == --prepare ]]; then
    prepare_only=true
    shift
fi
commit=$(git -C "$repo" rev-parse --verify "${1:-HEAD}^{commit}")
cache="${XDG_CACHE_HOME:-$HOME/.cache}/griffwandler"
suite=trixie

# The archive the machine itself installs from: the entry for its own release
# and the one for its security updates, from one-line and deb822 sources.
host_release=$(. /etc/os-release && echo "$VERSION_CODENAME")
archive_entries() { # prints "URI SUITE" for each Debian package entry
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [[ -f "$file" ]] && sed -nE 's/^[[:space:]]*deb[[:space:]]+(\[[^]]*\][[:space:]]+)?([^[:space:]]+)[[:space:]]+([^[:space:]]+).*/\2 \3/p' "$file"
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [[ -f "$file" ]] || continue
        awk 'tolower($1) == "uris:" { uri = $2 } tolower($1) == "suites:" { for (i = 2; i <= NF; i++) suites[i] = $i; n = NF }
             /^[[:space:]]*$/ { for (i = 2; i <= n; i++) print uri, suites[i]; n = 0 }
             END { for (i = 2; i <= n; i++) print uri, suites[i] }' "$file"
    done
}
mirror="" security=""
while read -r uri entry_suite; do
    [[ "$entry_suite" == "$host_release" && -z "$mirror" ]] && mirror=${uri%/}
    [[ "$entry_suite" == "$host_release-security" && -z "$security" ]] && security=${uri%/}
done < <(archive_entries)
[[ -n "$mirror" ]] || die "no apt entry for $host_release found to take the archive from"
sources=("deb $mirror $suite main" "deb $mirror $suite-updates main")
[[ -n "$security" ]] && sources+=("deb $security $suite-security main")

# Everything that decides what the root holds names it: the release, the
# archive, the commit's package list for the Test command, and how it is made.
packages=$(git -C "$repo" show "$commit:scripts/setup.sh" | bash -s -- --packages test) ||
    die "could not read the package list of $commit"
hash=$({ printf '%s\n' "$suite" "${sources[@]}" $packages; sed -n '/^make_root()/,/^}/p' "$0"; } |
    sha256sum | cut -c1-12)
root="$cache/debian13-root-$hash"
marker="$root.complete"

mkdir -p "$cache"
exec {lock}>"$cache/.debian13-root.lock"
flock -n "$lock" || { echo "$script: waiting for another run in the Debian 13 root"; flock "$lock"; }

# /proc, /sys and /dev (with /dev/pts and /dev/shm) of the machine inside the
# root while it is used; unmounted in reverse, and checked to be gone, when
# the script ends in any way.
mounted=()
# Processes still running inside the root (a D-Bus service a test started, on
# its way out) are ended first: they would hold /dev.
in_root_processes() {
    local proc
    for proc in /proc/[0-9]*; do
        [[ "$(readlink "$proc/root" 2>/dev/null)" == "$root" ]] && echo "${proc#/proc/}"
    done
}
unmount_all() {
    local i left
    for i in $(seq 50); do
        left=$(in_root_processes)
        [[ -z "$left" ]] && break
        ((i == 1)) && kill $left 2>/dev/null
        ((i == 40)) && kill -KILL $left 2>/dev/null
        sleep 0.1
    done
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -R "${mounted[i]}" || umount -R -l "${mounted[i]}"
    done
    mounted=()
    if findmnt -rn -o TARGET | grep -q "^$root/"; then
        echo "$script: still mounted under $root:" >&2
        findmnt -rn -o TARGET | grep "^$root/" >&2
        return 1
    fi
}
mount_all() {
    local dir
    for dir in /proc /sys /dev; do
        mount --rbind "$dir" "$root$dir"
        mount --make-rslave "$root$dir"
        mounted+=("$root$dir")
    done
}
copy=""
cleanup() {
    local status=$?
    unmount_all || status=1
    [[ -n "$copy" ]] && rm -rf "$copy"
    exit $status
}
trap cleanup EXIT

# in_root COMMAND: a login-like shell of root inside the root, with nothing of
# this machine's environment.
in_root() {
    chroot "$root" env -i HOME=/root USER=root LOGNAME=root LANG=C.UTF-8 TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -c "$1"
}

# put_clone FOLDER: a clean clone of the commit at /srv/FOLDER in the root.
put_clone() {
    copy="$root/srv/$1"
    rm -rf "$copy"
    git clone --quiet --no-checkout "$repo" "$copy"
    git -C "$copy" checkout --quiet --detach "$commit"
}

make_root() {
    rm -rf "$root" "$marker"
    local started=$SECONDS
    echo "$script: making a Debian 13 root from $mirror in $root"
    mmdebstrap --quiet --variant=apt --include=ca-certificates,git "$suite" "$root" "${sources[@]}" ||
        die "mmdebstrap failed"
    mount_all
    # Package scripts start no services in the root.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    # The machine's own extra certificate authorities (a proxy in front of the
    # network, for instance), which npm inside needs as much as outside.
    if compgen -G '/usr/local/share/ca-certificates/*.crt' >/dev/null; then
        cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
        in_root 'update-ca-certificates >/dev/null'
    fi
    # A machine id, which D-Bus needs, as on an installed system.
    [[ -s "$root/etc/machine-id" ]] || in_root 'cat /proc/sys/kernel/random/uuid | tr -d - >/etc/machine-id'
    # The test packages go into the cached root; the Test command finds them.
    put_clone setup
    in_root 'cd /srv/setup && DEBIAN_FRONTEND=noninteractive bash scripts/setup.sh test' ||
        die "installing the test packages in the root failed"
    rm -rf "$copy"
    copy=""
    echo "$script: root made in $((SECONDS - started)) s, $(du -shx "$root" | cut -f1)"
}

if [[ -f "$marker" ]]; then
    mount_all
else
    make_root
    echo "$suite ${sources[*]} made $(date -u +%F)" >"$marker"
    # Older roots (of another package list, say) are only space now.
    for old in "$cache"/debian13-root-*; do
        [[ "$old" == "$root" || "$old" == "$marker" ]] && continue
        [[ -d "$old" ]] && ! findmnt -rn -o TARGET | grep -q "^$old/" && rm -rf "$old"
        rm -f "$old.complete"
    done
fi
echo "$script: Debian $(cat "$root/etc/debian_version") root $root, commit $commit"
$prepare_only && exit 0

put_clone griffwandler
# The Test command of README.md, word for word, then the Run command, word for
# word, in a private X server, ended with the window's own key (Alt+E).
in_root 'cd /srv/griffwandler && bash scripts/setup.sh test && cmake --workflow --preset test' ||
    die "the test command failed in Debian 13"
in_root 'cd /srv/griffwandler && bash .ci/run_command.sh' ||
    die "the run command failed in Debian 13"
echo "$script: both commands passed in Debian 13"
