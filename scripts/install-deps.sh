#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the window need.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build clang libclang-rt-14-dev \
  libgtest-dev libbenchmark-dev qt6-base-dev \
  xvfb xauth fonts-noto-cjk ca-certificates
