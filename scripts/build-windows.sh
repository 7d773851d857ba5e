#!/usr/bin/env bash
# Builds the Windows programs with the mingw-w64 cross compiler into build/windows/ and
# packs dist/traverse-adjust-windows.zip: the module traverse-adjust.dll, the host
# program, the batch tool, the five diagram bitmaps, the examples (the network's in
# examples/network) and a Chinese read-me.
# The diagrams are drawn by the Linux build's tool (build/release, built as needed).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}
release=${BUILD_DIR:-build/release}

cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTA_WERROR=ON
cmake --build build/windows -j "$jobs"

cmake -S . -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
QT_QPA_PLATFORM=offscreen cmake --build "$release" -j "$jobs" --target traverse-diagram-files
cp "$release"/app/gui/*.bmp build/windows/bin/

# The package: programs without their debugging information, the read-me with a byte-order
# mark and CRLF line ends so that Notepad reads it as UTF-8.
stage=build/windows/package/traverse-adjust
rm -rf build/windows/package && mkdir -p "$stage/examples/network" dist
for program in traverse-adjust.dll traverse-adjust-host.exe traverse-adjust.exe; do
  i686-w64-mingw32-strip -o "$stage/$program" "build/windows/bin/$program"
done
cp build/windows/bin/*.bmp "$stage/"
cp examples/*.txt examples/*.con examples/README.md "$stage/examples/"
cp examples/network/* "$stage/examples/network/"
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' packaging/windows/README.txt; } > "$stage/README.txt"
rm -f dist/traverse-adjust-windows.zip
(cd build/windows/package && cmake -E tar cf ../../../dist/traverse-adjust-windows.zip \
  --format=zip traverse-adjust)
ls -l build/windows/bin/traverse-adjust.dll "$stage/traverse-adjust.dll" dist/traverse-adjust-windows.zip
