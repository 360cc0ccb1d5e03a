#!/usr/bin/env bash
# Installs what is missing, builds the Release tree and renews the README's pictures in docs/img from the real
# windows (a sample company on temporary drives; the user's own data are not touched).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOJINZEI_TESTS=OFF
cmake --build build-release --target hojinzei_screenshots
QT_QPA_PLATFORM=offscreen ./build-release/tools/screenshots/hojinzei_screenshots docs/img
