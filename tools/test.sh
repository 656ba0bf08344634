#!/usr/bin/env bash
# Builds and runs the whole test suite twice: once as released, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; fuzzes; then cross-builds the Windows
# targets and runs their tests under Wine (tools/windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
# Paths inside the checkout are hashed relative to it, so that a clone elsewhere finds
# the objects that another clone compiled.
export CCACHE_NOHASHDIR=1 CCACHE_BASEDIR="$PWD"
jobs=$(nproc)

echo "== build and test (build/)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== build and test under the sanitizers (build-sanitize/)"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DNIMBO_SANITIZE=ON -DNIMBO_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== fuzz the session reader and the replay for 45 seconds (build-fuzz/)"
tools/fuzz.sh 45
echo "== the Windows build, tested under Wine (build-win64/, build-win32/)"
tools/windows.sh
echo "== all tests passed"
