#!/usr/bin/env bash
# Builds the Debian packages from the release build and checks them as installed: lintian,
# apt-get install, the batch tool on the installed examples, the manual pages, the desktop
# entry and metadata, the window's title on a virtual display, and the library example
# built on the development package. Needs root (it installs the packages, and removes
# them again at the end).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/release}
package=traverse-adjust
devpackage=libtraverse-adjust-dev
doc=/usr/share/doc/$package
work=$(mktemp -d)

step() { printf '\n== %s\n' "$*"; }
fail() {
    echo "check-package: $*" >&2
    exit 1
}
cleanup() {
    local p
    for p in "$devpackage" "$package"; do
        if dpkg -s "$p" >/dev/null 2>&1; then apt-get remove -y --purge "$p" >/dev/null || true; fi
    done
    rm -rf "$work"
}

build_package() {
    step "package"
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$(nproc)"
    rm -f "$build"/"$package"_*.deb "$build"/"$devpackage"_*.deb
    (cd "$build" && cpack -G DEB)
    deb=$(realpath "$build"/"$package"_*_"$(dpkg --print-architecture)".deb)
    devdeb=$(realpath "$build"/"$devpackage"_*_"$(dpkg --print-architecture)".deb)
    local d
    for d in "$deb" "$devdeb"; do
        echo "$(basename "$d"): $(stat -c %s "$d") bytes," \
            "Installed-Size $(dpkg-deb -f "$d" Installed-Size) KiB"
        dpkg-deb -f "$d" Depends Recommends
    done
}

check_lintian() {
    step "lintian"
    # Errors fail the check. A warning that stays: the .con MIME type in the menu entry
    # of a program that takes no file argument.
    lintian --fail-on error --display-info "$deb" "$devdeb"
}

install_package() {
    step "apt-get install ./$(basename "$deb") ./$(basename "$devdeb")"
    cleanup_packages_only
    DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" "$devdeb" >"$work/apt.log" 2>&1 ||
        fail "apt-get install failed: $(tail -n 20 "$work/apt.log")"
    grep -E "^(Setting up|The following NEW)" "$work/apt.log" || true
    local path
    for path in /usr/bin/traverse-adjust /usr/bin/traverse-adjust-gui \
        /usr/lib/traverse-adjust/libtraverse-adjust.so /usr/lib/traverse-adjust/闭合.bmp \
        /usr/share/applications/traverse-adjust.desktop \
        /usr/share/icons/hicolor/scalable/apps/traverse-adjust.svg \
        /usr/share/metainfo/org.traverseadjust.TraverseAdjust.metainfo.xml \
        /usr/share/man/man1/traverse-adjust.1.gz "$doc/copyright" "$doc/README.md" \
        "$doc/examples/README.md" /usr/lib/libtraverse-adjust-core.a \
        /usr/include/traverse-adjust/assess/AdjustedTraverse.h \
        /usr/lib/cmake/TraverseAdjust/TraverseAdjustConfig.cmake; do
        [ -e "$path" ] || fail "not installed: $path"
    done
}

# Every example has its command line in the examples' README; run each on the installed
# file and expect exit status 0 and a report on standard output.
check_examples() {
    step "batch tool on the installed examples"
    local readme=$doc/examples/README.md line file ran=0 words
    for file in "$doc"/examples/*.txt "$doc"/examples/*.con; do
        line=$(grep -E "^traverse-adjust .* examples/$(basename "$file")\$" "$readme") ||
            fail "no command line for $(basename "$file") in $readme"
        read -ra words <<<"${line//examples\//$doc/examples/}"
        echo "\$ ${words[*]}"
        (cd "$work" && "${words[@]}" >"$work/report" 2>"$work/messages") ||
            fail "$(basename "$file"): exit status $? ($(cat "$work/messages"))"
        [ -s "$work/report" ] || fail "$(basename "$file"): no report printed"
        ran=$((ran + 1))
    done
    echo "$ran examples adjusted"
}

# The manual pages are found by man, and the batch tool's page names every option its
# --help prints.
check_manual() {
    step "manual pages"
    man -w traverse-adjust traverse-adjust-gui
    MANPAGER=cat MANWIDTH=80 man traverse-adjust | head -n 4
    local page option
    page=$(zcat "$(man -w traverse-adjust)" | sed 's/\\-/-/g')
    for option in $(traverse-adjust --help | grep -oE -- '--[a-z0-9][a-z0-9-]*' | sort -u); do
        grep -qF -- "$option" <<<"$page" || fail "traverse-adjust.1 does not describe $option"
    done
}

check_desktop() {
    step "desktop entry and AppStream metadata"
    desktop-file-validate /usr/share/applications/traverse-adjust.desktop
    appstreamcli validate --no-net /usr/share/metainfo/org.traverseadjust.TraverseAdjust.metainfo.xml
    local icon exec
    icon=$(sed -n 's/^Icon=//p' /usr/share/applications/traverse-adjust.desktop)
    exec=$(sed -n 's/^Exec=//p' /usr/share/applications/traverse-adjust.desktop)
    [ -f "/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon $icon"
    command -v "${exec%% *}" >/dev/null || fail "menu command $exec not installed"
}

check_window() {
    step "window"
    local status=0
    timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM traverse-adjust-gui \
        2>/dev/null || status=$?
    [ "$status" -eq 255 ] || fail "without a display: exit status $status, expected 255"
    xvfb-run -a -s "-screen 0 1280x800x24" bash scripts/check-window.sh "$work"
}

# The library example, configured with find_package(TraverseAdjust) on the installed
# package, adjusts the installed closed.txt to the coordinates the report gives.
check_library() {
    step "library example on $devpackage"
    local src=/usr/share/doc/$devpackage/examples/library out=$work/library
    cmake -S "$src" -B "$out" -G Ninja >/dev/null
    cmake --build "$out"
    "$out/adjust-closed" "$doc/examples/closed.txt" >"$work/library.out" ||
        fail "adjust-closed: exit status $?"
    cat "$work/library.out"
    traverse-adjust --type closed --start1 3381252.418,501734.206 \
        --start2 3381685.431,501484.203 --coords "$work/coordinates.csv" --quiet \
        -o "$work/library-report.txt" "$doc/examples/closed.txt"
    local name x y row points=0
    while read -r name x y; do
        [ "$name" = sigma0 ] && continue
        row=$(grep -m1 "^$name," "$work/coordinates.csv") || fail "no row for $name"
        [ "$(cut -d, -f2,3 <<<"$row")" = "$x,$y" ] ||
            fail "$name: the library gives $x,$y, the batch tool $row"
        points=$((points + 1))
    done <"$work/library.out"
    [ "$points" -ge 6 ] || fail "the library example printed $points points"
    echo "$points points as the batch tool gives them"
    # The core called wrongly on the installed headers: each misuse is refused.
    "$out/misuse-refused" "$doc/examples/closed.txt" "$doc/examples/single.txt" ||
        fail "misuse-refused: a misuse was adjusted"
}

cleanup_packages_only() {
    local p
    for p in "$devpackage" "$package"; do
        if dpkg -s "$p" >/dev/null 2>&1; then apt-get remove -y --purge "$p" >/dev/null; fi
    done
}

trap cleanup EXIT
[ "$(id -u)" -eq 0 ] || fail "run as root: it installs the package with apt-get"
build_package
check_lintian
install_package
check_examples
check_manual
check_desktop
check_window
check_library
echo
echo "package checks passed: $(basename "$deb")"
