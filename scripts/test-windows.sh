#!/usr/bin/env bash
# Tests the Windows build (scripts/build-windows.sh) under Wine, in a Wine prefix of its
# own that is started once: the module's export table, the core tests, the batch tool on
# every example against the Linux build's reports byte for byte, the window's pieces, and
# whole runs through the real window on a virtual display: a traverse, whose report must
# equal the batch tool's, and a network, whose coordinates must equal the batch tool's. The
# programs tested are those of dist/traverse-adjust-windows.zip, unpacked.
set -euo pipefail
cd "$(dirname "$0")/.."
win=build/windows
release=${BUILD_DIR:-build/release}
started=$(date +%s)
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
# Every step says its name; a step that stops the script says which and why.
step="the tools it needs"
trap 'echo "FAILED in step \"$step\": line $LINENO ended with status $?" >&2' ERR
section() {
  step=$1
  echo "== $1"
}
need() {
  command -v "$1" >/dev/null ||
    { echo "FAILED in step \"$step\": the program $1 is missing ($2)" >&2 && exit 1; }
}
need wine "wine and wine32, from scripts/install-deps.sh"
need wineserver "wine, from scripts/install-deps.sh"
need xvfb-run "xvfb, from scripts/install-deps.sh"
need i686-w64-mingw32-objdump "g++-mingw-w64-i686, from scripts/install-deps.sh"
need cmake "cmake, from scripts/install-deps.sh"
[ -f dist/traverse-adjust-windows.zip ] ||
  { echo "FAILED in step \"$step\": no dist/traverse-adjust-windows.zip; run scripts/build-windows.sh first" >&2 && exit 1; }
[ -x "$release/app/batch/traverse-adjust" ] ||
  { echo "FAILED in step \"$step\": no Linux batch tool in $release to compare with; build it first" >&2 && exit 1; }

work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$OLDPWD/dist/traverse-adjust-windows.zip")
package="$work/traverse-adjust"

section "the module exports exactly __Kavrel@0; the programs need only Windows' own libraries"
dump=$(i686-w64-mingw32-objdump -p "$package/traverse-adjust.dll")
exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | sed -n 's/^\t\[ *[0-9]*\] //p')
[ "$exports" = "__Kavrel@0" ] && echo "ok: exports $exports" || fail "exports: $exports"
for program in traverse-adjust.dll traverse-adjust-host.exe traverse-adjust.exe; do
  for dll in $(i686-w64-mingw32-objdump -p "$package/$program" | awk '/DLL Name:/ {print $3}'); do
    case "${dll,,}" in
    kernel32.dll | user32.dll | gdi32.dll | comdlg32.dll | shell32.dll | ole32.dll | msvcrt.dll) ;;
    *) fail "$program needs $dll" ;;
    esac
  done
done

section "a Wine prefix: Chinese fonts for 宋体 and the dialogs, .txt opened by Notepad"
source scripts/wine-prefix.sh
prepare_wine_prefix "$work/prefix"
echo "prefix ready after $(($(date +%s) - started)) s"

section "core tests"
wine "$win/tests/win/core_tests.exe" --gtest_brief=1 || fail "core tests"
wine "$win/tests/win/win_tests.exe" --gtest_brief=1 || fail "the window's pieces"

section "the batch tool on every example, against the Linux build"
while read -r -a words; do
  args=("${words[@]:1}")
  name=$(basename "${args[-1]}")
  "$release/app/batch/traverse-adjust" "${args[@]}" -o "$work/linux.txt" 2>/dev/null
  # A run that fails says why; it is tried once more so that a hiccup of Wine's (seen once
  # in many runs, never reproduced) is told apart from a fault of the tool's.
  status=0
  wine "$package/traverse-adjust.exe" "${args[@]}" -o "$work/windows.txt" 2>"$work/err" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "the Windows batch tool failed on $name (exit $status):" >&2
    cat "$work/err" >&2
    wine "$package/traverse-adjust.exe" "${args[@]}" -o "$work/windows.txt" 2>/dev/null &&
      echo "warning: $name passed when run again" >&2 ||
      fail "$name: the Windows batch tool"
  fi
  cmp -s "$work/linux.txt" "$work/windows.txt" || fail "$name: the reports differ"
  "$release/app/batch/traverse-adjust" "${args[@]}" >"$work/linux.out" 2>/dev/null
  wine "$package/traverse-adjust.exe" "${args[@]}" >"$work/windows.out" 2>/dev/null
  cmp -s "$work/linux.out" "$work/windows.out" || fail "$name: the reports on standard output differ"
  echo "ok: $name"
done < <(grep '^traverse-adjust --type' examples/README.md)

# Chinese file names reach the tool whole (Wine passes them on in the terminal's UTF-8).
closed=(--type closed --start1 3381252.418,501734.206 --start2 3381685.431,501484.203)
"$release/app/batch/traverse-adjust" "${closed[@]}" -o "$work/batch.txt" examples/closed.txt 2>/dev/null
cp examples/closed.txt "$work/闭合导线.txt"
export LC_ALL=C.UTF-8
wine "$package/traverse-adjust.exe" "${closed[@]}" -o "$(winepath -w "$work/成果.txt")" \
  "$(winepath -w "$work/闭合导线.txt")" 2>/dev/null || fail "Chinese file names"
cmp -s "$work/batch.txt" "$work/成果.txt" && echo "ok: Chinese file names" ||
  fail "Chinese file names: the reports differ"

section "a whole run through the window"
mkdir -p "$package/run"
w() { winepath -w "$1"; }
driver_args=("$(w "$package/traverse-adjust-host.exe")" "$(w "$package/examples/closed.txt")" 1023
  3381252.418 501734.206 3381685.431 501484.203 "$(w "$package/run/report.txt")"
  "$(w "$package/run")")
# The window's Wine starts afresh on the virtual display: a Wine started without one
# (winepath above) cannot show windows.
wineserver -w
xvfb-run -a -s "-screen 0 1280x800x24" wine "$win/tests/win/window_driver.exe" \
  "${driver_args[@]}" 2>/dev/null || fail "the window run"
# The window's first export writes all six sections, the batch tool's default the tables.
"$release/app/batch/traverse-adjust" "${closed[@]}" -o "$work/batch-six.txt" \
  --sections header,approx,adjusted,sides,precision,closures "$package/examples/closed.txt" \
  2>/dev/null
cmp -s "$work/batch-six.txt" "$package/run/report.txt" ||
  fail "the window's report differs from the batch tool's"

section "a network through the window"
network="$package/examples/network"
driver_args=("$(w "$package/traverse-adjust-host.exe")" "$(w "$network")"
  "$(w "$package/run/导线网.csv")" "$(w "$package/run")")
wineserver -w
xvfb-run -a -s "-screen 0 1280x800x24" wine "$win/tests/win/network_driver.exe" \
  "${driver_args[@]}" 2>/dev/null || fail "the network's run"
"$release/app/batch/traverse-adjust" --type network --known "$network/known.dat" \
  --coords "$work/network.csv" -o "$work/network.txt" "$network"/{south,north,east}.txt 2>/dev/null
cmp -s "$work/network.csv" "$package/run/导线网.csv" ||
  fail "the window's network coordinates differ from the batch tool's"

echo "Wine tests took $(($(date +%s) - started)) s"
if [ "$failures" -ne 0 ]; then
  echo "$failures Windows checks failed" >&2
  exit 1
fi
echo "all Windows tests passed"
