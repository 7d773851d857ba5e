#!/usr/bin/env bash
# Run by check-package.sh on a virtual display: starts a window manager and the installed
# traverse-adjust-gui, waits for the window "导线平差", checks that the window module and
# a diagram bitmap were opened from /usr/lib/traverse-adjust, then ends the program.
set -euo pipefail
work=${1:-$(mktemp -d)}
title=导线平差
unset QT_QPA_PLATFORM # the test run's offscreen platform would show no window

openbox >"$work/openbox.log" 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
sleep 1

strace -f -e trace=openat -o "$work/opened" traverse-adjust-gui 2>"$work/window.log" &
traced=$!
window=
for _ in $(seq 1 60); do
    window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) && break
    sleep 0.5
done
if [ -z "$window" ]; then
    cat "$work/window.log" >&2
    echo "check-window: no visible window \"$title\" after 30 s" >&2
    kill "$traced" 2>/dev/null || true
    exit 1
fi
xwininfo -root -tree | grep -F "\"$title\""

pid=$(xdotool getwindowpid "$window")
kill "$pid"
wait "$traced" || true

# strace writes the diagrams' Chinese names as octal escapes: any .bmp there will do.
module_dir=/usr/lib/traverse-adjust
opened() { grep -qE "openat\(.*\"$module_dir/$1\".* = [0-9]+\$" "$work/opened"; }
opened 'libtraverse-adjust\.so' || { echo "check-window: module not opened from $module_dir" >&2; exit 1; }
opened '[^"]*\.bmp' || { echo "check-window: no diagram opened from $module_dir" >&2; exit 1; }
echo "window \"$title\" shown, with its module and diagrams from /usr/lib/traverse-adjust"
