#!/usr/bin/env bash
# Sets up the machine, builds Menuvia twice (optimised, and with AddressSanitizer +
# UndefinedBehaviorSanitizer) and runs the whole test suite on both, then the fuzzers briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox"
export CCACHE_BASEDIR="$PWD"
# Let a clone in another folder reuse the cache (debug info keeps the first folder's paths).
export CCACHE_NOHASHDIR=1
jobs=$(nproc)

echo "== optimised build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMENUVIA_WERROR=ON -DMENUVIA_TESTS=ON \
  -DMENUVIA_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 600

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMENUVIA_WERROR=ON -DMENUVIA_SANITIZE=ON -DMENUVIA_TESTS=ON \
  -DMENUVIA_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
# Chromium inside Qt WebEngine frees with a size of its own allocator's choosing, which the
# sanitizer reports as a new/delete mismatch; every other memory error stays fatal.
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:new_delete_type_mismatch=0" \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 900

if [ -x scripts/fuzz.sh ]; then
  echo "== fuzzers"
  bash scripts/fuzz.sh
fi
