#!/usr/bin/env bash
# Photographs the window after a run on examples/closed.txt (import, closed type, known
# points, adjust) into docs/window.png, on a virtual display. Needs xvfb, a Chinese font
# (fonts-noto-cjk) and ImageMagick's "import" (else Qt's own picture of the window).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target window_screenshot
mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24" "$build/tests/ui/window_screenshot" docs/window.png \
    examples/closed.txt 2 3381252.418,501734.206 3381685.431,501484.203
echo "wrote docs/window.png"
