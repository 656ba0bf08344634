#!/usr/bin/env bash
# Fuzzes the session reader and the replay of what it reads, then the DXF reader: builds the
# libFuzzer targets with clang in build-fuzz/ and runs them for a bounded time (default 45
# seconds, two thirds of it for sessions) from the seed corpora in fuzz/corpus/ and
# fuzz/corpus-dxf/. New inputs go to build-fuzz/corpus*/, a crashing input to
# build-fuzz/findings/; a finding ends the script with an error. Turn each finding into a
# regression test in tests/reliability/fuzz_regressions_test.cpp.
#   tools/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-45}
export CCACHE_NOHASHDIR=1

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ \
  -DNIMBO_FUZZ=ON -DNIMBO_TESTS=OFF -DNIMBO_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target session_fuzzer dxf_fuzzer

mkdir -p build-fuzz/corpus build-fuzz/corpus-dxf build-fuzz/findings
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build-fuzz/session_fuzzer -max_total_time="$((seconds * 2 / 3))" -max_len=8192 -timeout=10 \
  -rss_limit_mb=2048 -dict=fuzz/session.dict -artifact_prefix=build-fuzz/findings/ \
  -print_final_stats=1 build-fuzz/corpus fuzz/corpus
build-fuzz/dxf_fuzzer -max_total_time="$((seconds - seconds * 2 / 3))" -max_len=20000 \
  -timeout=10 -rss_limit_mb=2048 -artifact_prefix=build-fuzz/findings/ \
  -print_final_stats=1 build-fuzz/corpus-dxf fuzz/corpus-dxf
