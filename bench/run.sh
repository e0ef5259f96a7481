#!/usr/bin/env bash
# The benchmark command: installs missing Debian packages (as root), builds
# an optimised build in build-bench/, and prints one table of measurements
# taken side by side in one run, under a private headless X server and in a
# scratch copy of the game's layout.
set -uo pipefail

ROOT=$(cd "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/.." && pwd)
bash "$ROOT/scripts/install-deps.sh" || exit 1
# The drawing bench's comparison library, for the bench only.
if [ "$(dpkg-query -W -f='${Status}' libtcod-dev 2>/dev/null)" != "install ok installed" ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y libtcod-dev >/dev/null || exit 1
fi

# shellcheck source=scripts/xvfb.sh
source "$ROOT/scripts/xvfb.sh"
make_scratch korvane-bench || exit 1

cmake -S "$ROOT" -B "$ROOT/build-bench" -DCMAKE_BUILD_TYPE=Release -DKO_BUILD_TESTS=OFF >/dev/null &&
  cmake --build "$ROOT/build-bench" --parallel "$(nproc)" --target korvane_bench tcod_bench >/dev/null || exit 1
export KO_TCOD_BENCH="$ROOT/build-bench/bench/tcod_bench"

# The fullscreen rows draw on a screen of this size.
start_xvfb 1920x1080 || exit 1
export ALSOFT_DRIVERS=null
export LIBGL_ALWAYS_SOFTWARE=1

# The game's layout: a working directory with the font beside the data.
mkdir -p "$SCRATCH/work"
cp "$ROOT/run/ko-font.ttf" "$SCRATCH/work/"
cp -r "$ROOT/sprites" "$ROOT/sounds" "$SCRATCH/"
mkdir -p "$SCRATCH/data" && cp "$ROOT/data/data.txt" "$SCRATCH/data/"
cd "$SCRATCH/work" || exit 1
"$ROOT/build-bench/bench/korvane_bench" "$@" 2> >(grep -v 'vertical sync' >&2) || exit 1

# KO_BENCH_BEFORE names an older build's korvane_bench: it runs next on the
# same display, and its processor use is printed after this build's.
if [ -n "${KO_BENCH_BEFORE:-}" ]; then
  printf '\nBefore: %s\n' "$KO_BENCH_BEFORE"
  "$KO_BENCH_BEFORE" "$@" 2> >(grep -v 'vertical sync' >&2) | sed -n '/^Processor use/,$p'
fi
