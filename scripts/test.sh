#!/usr/bin/env bash
# Sets up, builds and runs every test suite with CTest: a plain build against Qt 5, then
#   --sanitize  the same under AddressSanitizer and UndefinedBehaviorSanitizer, and a
#               build against Qt 6 (what CI runs)
#   --qt6       the build against Qt 6 only, after the plain one
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)
run_suite() { # build-dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j"$jobs"
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}
sanitize=0 qt6=0
for arg in "$@"; do
  case $arg in
    --sanitize) sanitize=1 qt6=1 ;;
    --qt6) qt6=1 ;;
    *) echo "usage: $0 [--sanitize] [--qt6]" >&2; exit 2 ;;
  esac
done
# the plain build requires Google Benchmark and builds the benchmarks (CTest does not run them)
run_suite build -DZD_BUILD_BENCH=ON
if [ $sanitize = 1 ]; then
  export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  run_suite build-sanitize -DZD_SANITIZE=ON -DZD_BUILD_BENCH=OFF
fi
if [ $qt6 = 1 ]; then
  # unoptimised: it checks the Qt 6 build and behaviour, and compiles in less time
  run_suite build-qt6 -DZD_QT6=ON -DZD_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
fi
