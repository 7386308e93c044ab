#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short, bounded time on the seed
# corpus the test suite wrote (build/fuzz-seeds/<target>), plus whatever it finds on the way.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${MENUVIA_FUZZ_SECONDS:-20}
export CCACHE_BASEDIR="$PWD"
# Let a clone in another folder reuse the cache (debug info keeps the first folder's paths).
export CCACHE_NOHASHDIR=1

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMENUVIA_FUZZ=ON \
  -DMENUVIA_TESTS=OFF -DMENUVIA_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target $(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')

for src in fuzz/fuzz_*.cpp; do
  name=$(basename "$src" .cpp)
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="build/fuzz-seeds/${name#fuzz_}"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  echo "fuzz: $name for ${seconds}s ($(ls "$corpus" | wc -l) seeds)"
  ASAN_OPTIONS="detect_leaks=0:allocator_may_return_null=1:malloc_limit_mb=2048" \
    "build-fuzz/fuzz/$name" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=65536 \
    -print_final_stats=0 "$corpus" 2>"build-fuzz/$name.log" || {
      tail -40 "build-fuzz/$name.log"
      echo "fuzz: $name found a failure"
      exit 1
    }
done
echo "fuzz: all targets ran clean"
