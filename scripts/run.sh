#!/usr/bin/env bash
# Sets up the machine, builds Menuvia and starts the designer (on the demo project when present).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
export CCACHE_BASEDIR="$PWD"
# Let a clone in another folder reuse the cache (debug info keeps the first folder's paths).
export CCACHE_NOHASHDIR=1
cmake -S . -B build-app -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMENUVIA_TESTS=OFF -DMENUVIA_BENCH=OFF >/dev/null
cmake --build build-app -j "$(nproc)" --target Menuvia menuvia-cli

args=()
if [ -f demo/autorun.mvdsk ]; then args+=("$PWD/demo/autorun.mvdsk"); fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display found; starting on a virtual one (xvfb-run)"
  exec xvfb-run -a -s "-screen 0 1280x800x24" build-app/src/app/Menuvia "${args[@]}"
fi
exec build-app/src/app/Menuvia "${args[@]}"
