#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests, the window and the package check
# (lintian, the desktop and AppStream validators, a window manager for the virtual display,
# Chromium, html5lib and poppler for the HTML report's print test)
# need, and the Windows build's (the mingw-w64 cross compiler, GoogleTest's source, Wine).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
# The Windows build and its tests: 32-bit Wine needs the i386 architecture.
dpkg --add-architecture i386
apt-get update
apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build clang libclang-rt-14-dev \
  libgtest-dev libbenchmark-dev qt6-base-dev libacl1-dev \
  nlohmann-json3-dev libeigen3-dev qt6-translations-l10n \
  xvfb xauth fonts-noto-cjk fonts-arphic-uming ca-certificates \
  file lintian desktop-file-utils appstream man-db openbox xdotool x11-utils strace \
  chromium python3-html5lib poppler-utils \
  g++-mingw-w64-i686 googletest wine wine32
