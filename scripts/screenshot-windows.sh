#!/usr/bin/env bash
# Photographs the Windows window under Wine after a run on examples/closed.txt (import,
# closed type, known points, adjust) into docs/window-windows.png, its 平差成果 into
# docs/results-windows.png and the export options into docs/export-dialog-windows.png;
# then after a run on examples/network (导线网: three files, known.dat, adjust) the window
# into docs/network-windows.png and its 平差成果 into docs/network-results-windows.png; on
# a virtual display with a window manager. Needs the Windows build
# (scripts/build-windows.sh), Wine, xvfb, openbox and ImageMagick's "import".
set -euo pipefail
cd "$(dirname "$0")/.."
win=build/windows
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
source scripts/wine-prefix.sh
prepare_wine_prefix "$work/prefix"

mkdir -p "$work/package/run" "$work/package/network" docs
cp "$win"/bin/*.dll "$win"/bin/*.exe "$win"/bin/*.bmp "$work/package/"
cp examples/network/* "$work/package/network/"
w() { winepath -w "$1"; }
args=("$(w "$work/package/traverse-adjust-host.exe")" "$(w examples/closed.txt)" 1023
  3381252.418 501734.206 3381685.431 501484.203 "$(w "$work/package/run/report.txt")"
  "$(w "$work/package/run")" "$(w "$work/pause")")
network_args=("$(w "$work/package/traverse-adjust-host.exe")" "$(w "$work/package/network")"
  "$(w "$work/package/run/导线网.csv")" "$(w "$work/package/run")" "$(w "$work/pause")")
wineserver -w
cat >"$work/shoot.sh" <<SHOOT
openbox & sleep 1
wine "$win/tests/win/window_driver.exe" $(printf '%q ' "${args[@]}") >/dev/null 2>&1 &
shoot() { # the window named \$1 into \$2, at the driver's pause
  for i in \$(seq 1 120); do [ -f "$work/pause" ] && break; sleep 1; done
  sleep 1
  import -window "\$(xdotool search --name "\$1" | head -1)" -frame "\$2"
  rm -f "$work/pause"
}
shoot '导线平差' docs/window-windows.png
shoot '平差成果' docs/results-windows.png
shoot '数据结果导出' docs/export-dialog-windows.png
wait \$! || true
wine "$win/tests/win/network_driver.exe" $(printf '%q ' "${network_args[@]}") >/dev/null 2>&1 &
shoot '导线平差' docs/network-windows.png
shoot '平差成果' docs/network-results-windows.png
wait \$! || true
SHOOT
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/shoot.sh"
echo "wrote docs/window-windows.png, docs/results-windows.png, docs/export-dialog-windows.png,"
echo "docs/network-windows.png and docs/network-results-windows.png"
