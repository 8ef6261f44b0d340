#!/usr/bin/env bash
# Builds everything and runs every test, headless. QV_SANITIZE=ON builds with ASan/UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=${QV_BUILD_DIR:-build}
sanitize=${QV_SANITIZE:-OFF}
cmake -S . -B "$build" -G Ninja -DQV_SANITIZE="$sanitize"
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
