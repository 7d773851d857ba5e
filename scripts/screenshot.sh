#!/usr/bin/env bash
# Photographs the window after a run on examples/closed.con (import, closed type, known
# points with D21's height, adjust) into docs/window.png, the first file dialog into docs/open-dialog.png,
# then the tabs of "平差成果" into
# docs/results-*.png, and the network of examples/network/ into docs/window-network.png, on a 1024 x 768 virtual display with openbox as the window
# manager. Needs xvfb, openbox, a Chinese font (fonts-noto-cjk) and ImageMagick's
# "import" (else Qt's own picture of each window, without the manager's frame).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target window_screenshot
mkdir -p docs
unset QT_QPA_PLATFORM # an offscreen platform would photograph nothing
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    "$1/tests/ui/window_screenshot" docs examples/closed.con 2 \
        3381252.418,501734.206,48.562 3381685.431,501484.203
    "$1/tests/ui/window_screenshot" docs --network examples/network/known.dat \
        examples/network/south.txt examples/network/north.txt examples/network/east.txt
    kill "$wm"' screenshot "$build"
