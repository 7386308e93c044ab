#!/usr/bin/env bash
# Sets up the machine, builds Menuvia and starts the designer on the demo project.
# `run.sh player` builds the demo into a finished menu instead and starts that, as a user would.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
export CCACHE_BASEDIR="$PWD"
# Let a clone in another folder reuse the cache (debug info keeps the first folder's paths).
export CCACHE_NOHASHDIR=1
# The test command's build, when there is one, already holds most of what is needed.
if [ -f build/CMakeCache.txt ]; then
  bin=build
else
  bin=build-app
  cmake -S . -B build-app -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMENUVIA_TESTS=OFF -DMENUVIA_BENCH=OFF >/dev/null
fi
cmake --build "$bin" -j "$(nproc)" --target Menuvia menuvia-cli

# The demo project is kept as JSON; its project file is made from it when missing or older, so
# that edits saved in the designer survive the next run.
demo="$PWD/examples/demo"
if [ ! -f "$demo/autorun.mvdsk" ] || [ "$demo/demo.json" -nt "$demo/autorun.mvdsk" ]; then
  "$bin"/src/app/menuvia-cli load-json "$demo/demo.json" -o "$demo/autorun.mvdsk"
fi

if [ "${1:-}" = "player" ]; then
  out="$PWD/$bin/demo-menu"
  "$bin"/src/app/menuvia-cli build "$demo/autorun.mvdsk" -o "$out"
  # The finished menu sits beside the demo's files, as on a disc.
  cp -r "$demo/docs" "$demo/slides" "$demo/web" "$out/"
  [ -d "$demo/media" ] && cp -r "$demo/media" "$out/"
  target=("$out/autorun")
else
  target=("$bin"/src/app/Menuvia "$demo/autorun.mvdsk")
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display found; starting on a virtual one (xvfb-run)"
  exec xvfb-run -a -s "-screen 0 1280x800x24" "${target[@]}"
fi
exec "${target[@]}"
