#!/usr/bin/env bash
# Builds the Debian package from the release build and checks it as installed: lintian,
# apt-get install, the batch tool on the installed examples, the manual pages, the desktop
# entry and metadata, and the window's title on a virtual display. Needs root (it installs
# the package, and removes it again at the end).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/release}
package=traverse-adjust
doc=/usr/share/doc/$package
work=$(mktemp -d)

step() { printf '\n== %s\n' "$*"; }
fail() {
    echo "check-package: $*" >&2
    exit 1
}
cleanup() {
    if dpkg -s "$package" >/dev/null 2>&1; then
        apt-get remove -y --purge "$package" >/dev/null || true
    fi
    rm -rf "$work"
}

build_package() {
    step "package"
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$(nproc)"
    rm -f "$build"/"$package"_*.deb
    (cd "$build" && cpack -G DEB)
    deb=$(realpath "$build"/"$package"_*_"$(dpkg --print-architecture)".deb)
    echo "$(basename "$deb"): $(stat -c %s "$deb") bytes," \
        "Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB"
    dpkg-deb -f "$deb" Depends Recommends
}

check_lintian() {
    step "lintian"
    # Errors fail the check. Warnings that stay: the ldconfig calls CPack adds for any
    # library under /usr/lib (ours is private), and the .con MIME type in the menu entry
    # of a program that takes no file argument.
    lintian --fail-on error --display-info "$deb"
}

install_package() {
    step "apt-get install ./$(basename "$deb")"
    if dpkg -s "$package" >/dev/null 2>&1; then apt-get remove -y --purge "$package" >/dev/null; fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" >"$work/apt.log" 2>&1 ||
        fail "apt-get install failed: $(tail -n 20 "$work/apt.log")"
    grep -E "^(Setting up|The following NEW)" "$work/apt.log" || true
    local path
    for path in /usr/bin/traverse-adjust /usr/bin/traverse-adjust-gui \
        /usr/lib/traverse-adjust/libtraverse-adjust.so /usr/lib/traverse-adjust/闭合.bmp \
        /usr/share/applications/traverse-adjust.desktop \
        /usr/share/icons/hicolor/scalable/apps/traverse-adjust.svg \
        /usr/share/metainfo/org.traverseadjust.TraverseAdjust.metainfo.xml \
        /usr/share/man/man1/traverse-adjust.1.gz "$doc/copyright" "$doc/README.md" \
        "$doc/examples/README.md"; do
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

trap cleanup EXIT
[ "$(id -u)" -eq 0 ] || fail "run as root: it installs the package with apt-get"
build_package
check_lintian
install_package
check_examples
check_manual
check_desktop
check_window
echo
echo "package checks passed: $(basename "$deb")"
