#!/usr/bin/env bash
# Builds Korvane and starts the game, passing on its arguments (--help
# lists them). Installs missing Debian packages first
# (as root). Works from any current directory.
set -euo pipefail

ROOT=$(cd "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/.." && pwd)

bash "$ROOT/scripts/install-deps.sh"

cmake -S "$ROOT" -B "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only the game itself: the tests are not needed to play.
cmake --build "$ROOT/build" --target korvane --parallel "$(nproc)"

# The game finds its font and data relative to run/ and writes its log there.
# shellcheck source=packaging/run-game.sh
source "$ROOT/packaging/run-game.sh"
cd "$ROOT/run"
run_game ../build/korvane "$@"
