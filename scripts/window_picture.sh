#!/usr/bin/env bash
# Draws the main window on the virtual keypad into build/docs/window.png (the README's picture).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target window_picture
echo "build/docs/window.png"
