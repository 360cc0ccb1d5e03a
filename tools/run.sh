#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOJINZEI_TESTS=OFF
cmake --build build-release --target hojinzei
exec ./build-release/hojinzei "$@"
