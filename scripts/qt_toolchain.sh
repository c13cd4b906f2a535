# Shared by the scripts that build a static Qt for another platform from
# Debian's own qt6-base source package (sourced, not run). Each build goes
# into the cache folder outside the repository, in a folder named by the Qt
# version and a hash of its configuration, and only counts as finished once
# its marker file is there; anything else under that name (an interrupted
# build) is removed and built again.
#
#   source qt_toolchain.sh
#   toolchain_begin NAME-PREFIX LINK HASH-INPUT...   sets prefix, work; exits 0 if ready
#   fetch_qt_source                                  sets source_dir
#   build_qt TOOLCHAIN-FILE OPTION...                configures, builds, installs
#   toolchain_finish FILE...                         checks FILEs, writes the marker

script=$(basename "$0")
cache="${XDG_CACHE_HOME:-$HOME/.cache}/griffwandler"
die() { echo "$script: $*" >&2; exit 1; }

# The host's Qt, whose tools (moc, rcc, uic) the other platform's Qt uses.
host_cmake_dir="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" ||
    die "dpkg-architecture is missing (package dpkg-dev)"
qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null) ||
    die "qt6-base-dev is not installed (bash scripts/setup.sh installs it)"

# toolchain_begin NAME-PREFIX LINK HASH-INPUT...: the prefix for this
# configuration is $cache/NAME-PREFIX-<hash>, reached through $cache/LINK once
# finished. Returns only when it still has to be built, holding the cache's
# lock so that two runs never build into the same folder.
toolchain_begin() {
    local kind=$1 link=$2
    shift 2
    toolchain_hash=$(printf '%s\n' "$qt_version" "$@" | sha256sum | cut -c1-12)
    toolchain_name="qt-${qt_version}-$kind-$toolchain_hash"
    prefix="$cache/$toolchain_name"
    toolchain_link="$cache/$link"
    marker="$prefix/.griffwandler-complete"
    if [[ -f "$marker" ]]; then
        ln -sfn "$toolchain_name" "$toolchain_link"
        echo "$script: ready in $prefix"
        exit 0
    fi
    mkdir -p "$cache"
    exec {toolchain_lock}>"$cache/.lock"
    flock -n "$toolchain_lock" ||
        { echo "$script: waiting for another toolchain build"; flock "$toolchain_lock"; }
    if [[ -f "$marker" ]]; then
        ln -sfn "$toolchain_name" "$toolchain_link"
        exit 0
    fi
    work="$cache/work-$toolchain_hash"
    rm -rf "$prefix" "$work"
    mkdir -p "$work"
    toolchain_started=$(date +%s)
}

# Fetches the source of the host's qt6-base version with apt, once per version
# (kept in $cache/qt6-base-source-<version>), and unpacks it with Debian's
# patches into the work folder. The same archive as the machine's own package
# sources is read, as source entries, in a private configuration: the
# machine's apt set-up is left untouched. The archive keyring named there
# verifies the index that the download is checked against.
fetch_qt_source() {
    local sources="$cache/qt6-base-source-$qt_version"
    if [[ ! -f "$sources/.complete" ]]; then
        command -v apt-get >/dev/null || die "apt-get is missing"
        local apt="$work/apt"
        rm -rf "$sources"
        mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources.list.d" "$sources"
        shopt -s nullglob
        for file in /etc/apt/sources.list.d/*.sources; do
            sed -E 's/^Types:.*/Types: deb-src/' "$file" >"$apt/sources.list.d/$(basename "$file")"
        done
        shopt -u nullglob
        : >"$apt/sources.list"
        for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
            [[ -f "$file" ]] && sed -nE 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" >>"$apt/sources.list"
        done
        local apt_options=(
            -o "Dir::Etc::sourcelist=$apt/sources.list"
            -o "Dir::Etc::sourceparts=$apt/sources.list.d"
            -o "Dir::State::Lists=$apt/lists"
            -o "Dir::Cache=$apt/cache"
            -o "APT::Sandbox::User=root"
        )
        echo "$script: fetching the source of qt6-base $qt_version"
        apt-get "${apt_options[@]}" -qq update >"$work/apt-update.log" 2>&1 ||
            die "could not read or verify the archive's source index (log: $work/apt-update.log)"
        (cd "$sources" && apt-get "${apt_options[@]}" -qq --download-only source "qt6-base=$qt_version") \
            >"$work/apt-source.log" 2>&1 ||
            die "could not fetch or verify the source of qt6-base $qt_version (log: $work/apt-source.log)"
        touch "$sources/.complete"
    fi
    command -v dpkg-source >/dev/null || die "dpkg-source is missing (package dpkg-dev)"
    local dsc
    dsc=$(find "$sources" -maxdepth 1 -name 'qt6-base_*.dsc' | head -1)
    [[ -n "$dsc" ]] || die "no source package in $sources"
    rm -rf "$work/src"
    # apt checked the files against the signed index; dpkg-source checks them
    # against the .dsc again while it unpacks them.
    (cd "$work" && dpkg-source -x "$dsc" src) >"$work/unpack.log" 2>&1 ||
        die "could not unpack the source of qt6-base (log: $work/unpack.log)"
    source_dir="$work/src"
    [[ -x "$source_dir/configure" ]] || die "the unpacked qt6-base source has no configure script"
}

# build_qt TOOLCHAIN-FILE OPTION...: configures the unpacked source for
# $prefix with the given configure options and CMake toolchain file, builds
# it with every core and installs it; each step's log stays in the work folder.
build_qt() {
    local toolchain_file=$1
    shift
    mkdir -p "$work/build"
    (cd "$work/build" && "$source_dir/configure" -prefix "$prefix" "$@" -- -G Ninja \
        "-DCMAKE_TOOLCHAIN_FILE=$toolchain_file" "-DQT_HOST_PATH_CMAKE_DIR=$host_cmake_dir") \
        >"$work/configure.log" 2>&1 || die "configuring Qt failed (log: $work/configure.log)"
    cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
        die "building Qt failed (log: $work/build.log)"
    cmake --install "$work/build" >"$work/install.log" 2>&1 ||
        die "installing Qt failed (log: $work/install.log)"
}

# toolchain_finish FILE...: the installed prefix must hold every FILE and no
# reference to the work folder; then the marker is written and the work
# folder removed.
toolchain_finish() {
    local file
    for file in "$@"; do
        [[ -e "$prefix/$file" ]] || die "the installed Qt lacks $file"
    done
    if grep -rqs --include='*.cmake' "$work" "$prefix/lib/cmake"; then
        die "the installed Qt still refers to its work folder"
    fi
    echo "$qt_version $toolchain_hash built in $(($(date +%s) - toolchain_started)) s" >"$marker"
    ln -sfn "$toolchain_name" "$toolchain_link"
    rm -rf "$work"
    echo "$script: built in $(($(date +%s) - toolchain_started)) s, $(du -sh "$prefix" | cut -f1) in $prefix"
}
