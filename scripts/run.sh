#!/usr/bin/env bash
# Sets up, builds and starts ZorvelDeck (pass --demo to start it on the virtual keypad).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
if [ "${1:-}" = "--demo" ]; then shift; exec build/sim/zorveldeck-demo "$@"; fi
exec build/app/zorveldeck "$@"
