#!/usr/bin/env bash
# The game's command line: --help and --version print and start nothing, an
# unknown option prints the usage to standard error and ends with status 2
# before any window opens, and --fullscreen opens the window over the whole
# screen, which F11 turns back into the designed window and again into
# fullscreen. The arguments also pass through run_game, the launcher's
# runner. Needs a 1920 x 1080 display.
#
# Usage: command-line.sh KORVANE_BINARY SOURCE_DIR [LAUNCHER]
# LAUNCHER as for play-game.sh. With KO_SCREENSHOT_DIR set, saves
# fullscreen.png there.
set -u

binary=${1:?korvane binary}
source_dir=${2:?source directory}
IFS=';' read -r -a launcher <<<"${3:-}"

# shellcheck source=tests/support/program-run.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/program-run.sh"
need_display_and_tools xdotool import

root=$(mktemp -d /tmp/korvane-command-line-XXXXXX)
scratch_dir=$root

fail() {
  echo "FAIL: $*"
  [ -f "$root/work/korvane.log" ] && { echo "--- korvane.log"; cat "$root/work/korvane.log"; }
  exit 1
}

mkdir -p "$root/work" "$root/data" || fail "cannot make $root"
cp "$source_dir/run/ko-font.ttf" "$root/work/" &&
  cp -r "$source_dir/sprites" "$source_dir/sounds" "$root/" &&
  cp "$source_dir/data/data.txt" "$root/data/" || fail "cannot copy the game's files"
cd "$root/work" || fail "cannot enter $root/work"

# run ARGS...: runs the program to its end; sets $status, $out and $err.
run() {
  ALSOFT_DRIVERS=null timeout 20 "${launcher[@]}" "$binary" "$@" >out.txt 2>err.txt
  status=$?
  out=$(cat out.txt)
  err=$(cat err.txt)
}

version=$(sed -n 's/^project(Korvane VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[ -n "$version" ] || fail "no version in CMakeLists.txt"

run --version
[ "$status" = 0 ] && [ "$out" = "korvane $version" ] && [ -z "$err" ] ||
  fail "--version: status $status, output '$out', errors '$err'"

run --help
[ "$status" = 0 ] && [ -z "$err" ] || fail "--help: status $status, errors '$err'"
for option in --fullscreen --help --version F11; do
  grep -q -- "$option" out.txt || fail "--help does not mention $option: $out"
done
usage=$out

for bad in --bogus -x fullscreen "--fullscreen --nope"; do
  # shellcheck disable=SC2086
  run $bad
  [ "$status" = 2 ] || fail "$bad: status $status, not 2"
  [ -z "$out" ] || fail "$bad: printed '$out' to standard output"
  case $err in *"$usage"*) ;; *) fail "$bad: no usage on standard error: '$err'" ;; esac
done
[ ! -e korvane.log ] || fail "a run that only printed started the game: $(cat korvane.log)"

# The launcher's runner passes its arguments on, and a run that only
# printed is no failed start.
# shellcheck source=packaging/run-game.sh
source "$source_dir/packaging/run-game.sh"
printed=$(run_game "${launcher[@]}" "$binary" --version) ||
  fail "run_game takes a --version run for a failed start"
[ "$printed" = "korvane $version" ] || fail "run_game does not pass --version on: '$printed'"
run_game "${launcher[@]}" "$binary" --bogus 2>/dev/null
[ $? = 2 ] || fail "run_game does not pass the status of an unknown option on"

[ "$(xdotool getdisplaygeometry)" = "1920 1080" ] ||
  fail "needs a 1920 x 1080 display, not $(xdotool getdisplaygeometry)"

ALSOFT_DRIVERS=null "${launcher[@]}" "$binary" --fullscreen >game-output.txt 2>&1 &
game_pid=$!

# expect_size W H: waits for the window of that size and focuses it.
expect_size() {
  local size=
  for _ in $(seq 100); do
    find_window "$game_pid" game-output.txt
    size=$(xdotool getwindowgeometry "$window" 2>/dev/null | sed -n 's/.*Geometry: //p')
    [ "$size" = "$1x$2" ] && return 0
    sleep 0.1
  done
  fail "the window is $size, not $1x$2"
}

expect_size 1920 1080
sleep 1
if [ -n "${KO_SCREENSHOT_DIR:-}" ]; then
  mkdir -p "$KO_SCREENSHOT_DIR" && import -window "$window" "$KO_SCREENSHOT_DIR/fullscreen.png"
fi
xdotool key F11
expect_size 1024 768
xdotool key F11
expect_size 1920 1080
# Still the title screen, which Q leaves.
sleep 0.5
xdotool key --delay 30 q
ends_within_10s "$game_pid" || fail "Q did not end the game after the switches"
wait "$game_pid"
[ $? = 0 ] || fail "the game ended with status $?"
grep -q "setFullscreen(): windowed" korvane.log || fail "no switch in the log"
echo "passed"
