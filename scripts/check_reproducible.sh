#!/usr/bin/env bash
# shellcheck disable=SC2163  # `export "$@"` exports the NAME=VALUE pairs it is given
# Checks that the checked-out commit gives the same bytes however it is built:
#
#   scripts/check_reproducible.sh [linux] [windows] [web]    (all three when none is named)
#
# The first build is this tree's own (its build/default, build/windows and
# build/web presets, built or brought up to date here); the second is a fresh
# clone of the same commit, five folders deeper, built later, with the other
# umask (022 / 002), locale (C.UTF-8 / de_DE.UTF-8) and time zone (UTC /
# UTC+14). Both use the static Qt toolchains that scripts/setup.sh windows and
# web left in the cache folder. Compared, file by file:
#
#   linux    the Debian package (cpack -G DEB), every file that
#            `cmake --install --strip` puts in place, and their permissions
#   windows  griffwandler.exe, the installer and the zip
#   web      every file of the site, the precompressed twins included, and
#            their permissions
#
# A difference is shown with diffoscope (its whole report stays in
# build/repro/diffoscope/). Prints the sha256 checksums of the outputs and ends
# with "N passed, N failed"; exits non-zero when anything differs. The second
# clone and both sets of outputs stay in build/repro/ for a closer look.
set -uo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
platforms=("$@")
[[ ${#platforms[@]} -gt 0 ]] || platforms=(linux windows web)
for platform in "${platforms[@]}"; do
    case "$platform" in
    linux | windows | web) ;;
    *) echo "check_reproducible.sh: unknown platform '$platform' (linux, windows, web)" >&2; exit 2 ;;
    esac
done

# What is compared must be a commit, or the clone would build something else.
if [[ -n "$(git -C "$source_dir" status --porcelain --untracked-files=no)" ]]; then
    echo "check_reproducible.sh: the tree has uncommitted changes; commit them first:" >&2
    git -C "$source_dir" status --short --untracked-files=no >&2
    exit 2
fi
commit=$(git -C "$source_dir" rev-parse HEAD)

source "$source_dir/tests/lib/harness.sh"
repro=$source_dir/build/repro
rm -rf "$repro"
mkdir -p "$repro/logs"
# The build finds its time in the commit, not in the environment.
unset SOURCE_DATE_EPOCH

# The second build's locale; generated into the work folder where the
# machine lacks it (as it does after a bare `locale-gen` of C.UTF-8 only).
second_locale=(LC_ALL=de_DE.UTF-8)
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    mkdir -p "$repro/locale"
    localedef -i de_DE -f UTF-8 "$repro/locale/de_DE.UTF-8" 2>"$repro/logs/localedef.log" || {
        cat "$repro/logs/localedef.log" >&2
        echo "check_reproducible.sh: cannot make the locale de_DE.UTF-8 (bash scripts/setup.sh test)" >&2
        exit 2
    }
    second_locale+=(LOCPATH="$repro/locale")
fi
first_env=(LC_ALL=C.UTF-8 TZ=UTC0)
second_env=("${second_locale[@]}" "TZ=<+14>-14")
first_umask=022
second_umask=002

preset_of() {
    case "$1" in
    linux) echo default ;;
    *) echo "$1" ;;
    esac
}

# build TREE UMASK ENV... : configures and builds each platform's preset in
# TREE; a preset folder that exists already is only brought up to date (CI's
# earlier steps built them).
build() {
    local tree=$1 file_mask=$2 platform preset log
    shift 2
    for platform in "${platforms[@]}"; do
        preset=$(preset_of "$platform")
        log=$repro/logs/$(basename "$tree")-$preset.log
        local started=$SECONDS
        if (
            cd "$tree" && umask "$file_mask" && export "$@" &&
                if [[ -f build/$preset/CMakeCache.txt ]]; then
                    cmake --build "build/$preset" --parallel 2
                else
                    cmake --preset "$preset" && cmake --build --preset "$preset"
                fi
        ) >"$log" 2>&1; then
            echo "built $preset in $tree ($((SECONDS - started)) s)"
        else
            tail -n 40 "$log"
            echo "check_reproducible.sh: building $preset in $tree failed (log: $log)" >&2
            exit 1
        fi
    done
}

# collect TREE OUT UMASK ENV... : the outputs of TREE's builds into OUT, one
# folder per platform.
collect() {
    local tree=$1 out=$2 file_mask=$3 record saved=""
    shift 3
    for platform in "${platforms[@]}"; do
        mkdir -p "$out/$platform"
        case "$platform" in
        linux)
            # The install below rewrites the build folder's record of its last
            # install; a developer's own install must stay undoable.
            record=$tree/build/default/install_record.txt
            if [[ -f "$record" ]]; then
                saved=$repro/logs/install_record.saved
                cp "$record" "$saved"
            fi
            (
                cd "$tree/build/default" && umask "$file_mask" && export "$@" &&
                    cpack -G DEB -B "$out/cpack" &&
                    DESTDIR="$out/linux/install" cmake --install . --prefix /usr --strip
            ) >"$repro/logs/$(basename "$tree")-package.log" 2>&1 || {
                tail -n 40 "$repro/logs/$(basename "$tree")-package.log"
                echo "check_reproducible.sh: packing in $tree failed" >&2
                exit 1
            }
            if [[ -n "$saved" ]]; then cp "$saved" "$record"; else rm -f "$record"; fi
            mv "$out"/cpack/*.deb "$out/linux/"
            rm -rf "$out/cpack"
            (cd "$out/linux/install" && find . -printf '%M %p\n' | LC_ALL=C sort) >"$out/linux/install-permissions.txt"
            ;;
        windows)
            cp "$tree"/build/windows/bin/griffwandler.exe "$tree"/build/windows/Griffwandler-*-setup.exe \
                "$tree"/build/windows/Griffwandler-*-win64.zip "$out/windows/"
            ;;
        web)
            cp -R "$tree/build/web/site" "$out/web/"
            (cd "$tree/build/web/site" && find . -printf '%M %p\n' | LC_ALL=C sort) >"$out/web/site-permissions.txt"
            ;;
        esac
    done
}

started=$SECONDS
echo "commit $commit"
echo "first build:  $source_dir (built or brought up to date with umask $first_umask, ${first_env[*]}), $(date -u '+%H:%M:%S UTC')"
build "$source_dir" "$first_umask" "${first_env[@]}"
collect "$source_dir" "$repro/first" "$first_umask" "${first_env[@]}"
first_took=$((SECONDS - started))

# The clone is made under the second umask, so its files have other
# permissions too, and later, so their times are later.
clone=$repro/zweiter/bau/in/einem/tieferen/griffwandler
started=$SECONDS
(
    umask "$second_umask"
    mkdir -p "$(dirname "$clone")" &&
        git clone -q --shared --no-checkout "$source_dir" "$clone" &&
        git -C "$clone" checkout -q --detach "$commit" &&
        # The web build takes its start picture in chromium through the npm
        # packages that scripts/setup.sh web pinned and installed beside the
        # browser tests; they are no part of the commit.
        if [[ -d "$source_dir/tests/web/node_modules" ]]; then
            cp -a "$source_dir/tests/web/node_modules" "$clone/tests/web/"
        fi
) || { echo "check_reproducible.sh: cannot clone $commit" >&2; exit 1; }
echo "second build: $clone, umask $second_umask, ${second_env[*]}, $(date -u '+%H:%M:%S UTC')"
build "$clone" "$second_umask" "${second_env[@]}"
collect "$clone" "$repro/second" "$second_umask" "${second_env[@]}"
second_took=$((SECONDS - started))
echo "first build and packing took ${first_took} s, the second ${second_took} s"

# Every output of either build, compared byte for byte.
echo
list() { (cd "$1" && find . -type f -printf '%P\n'); }
mapfile -t outputs < <({ list "$repro/first"; list "$repro/second"; } | LC_ALL=C sort -u)
mkdir -p "$repro/diffoscope"
for name in "${outputs[@]}"; do
    a=$repro/first/$name
    b=$repro/second/$name
    if [[ ! -f "$a" || ! -f "$b" ]]; then
        fail "$name (only in the $([[ -f "$a" ]] && echo first || echo second) build)"
    elif cmp -s "$a" "$b"; then
        pass "$name"
    else
        fail "$name differs"
        if command -v diffoscope >/dev/null; then
            report=$repro/diffoscope/${name//\//_}.txt
            # Large binaries can take diffoscope long; what it found by then is shown.
            timeout 600 diffoscope --no-progress --text "$report" "$a" "$b" >/dev/null 2>&1
            head -n 100 "$report" | sed 's/^/    /'
            echo "    (the whole report: $report)"
        else
            echo "    diffoscope is missing (bash scripts/setup.sh test); cmp says:"
            cmp "$a" "$b" | sed 's/^/    /'
        fi
    fi
done

echo
echo "sha256 of the outputs of commit $commit:"
(cd "$repro/first" && find . -type f -printf '%P\n' | LC_ALL=C sort | xargs -d '\n' sha256sum)
finish
