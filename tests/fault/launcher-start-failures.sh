#!/usr/bin/env bash
# The installed launcher when the game cannot start: no display, a display
# where no server runs, a font that is no font, a log that is a FIFO or a
# directory, a read-only working directory. Each time the launcher ends at
# once with status 1 and says on standard error what went wrong. And a
# signal for the launcher ends the game too, as it did when the launcher
# handed its process over to the game.
#
# Usage: launcher-start-failures.sh BUILD_DIR
# The signal needs an X display and xdotool: without them the test exits 77
# (skipped), or 1 (failed) with KO_REQUIRE_TOOLS set, as the test command
# sets it. KO_KEEP_TEST_DIR=1 keeps the scratch directory.
set -u

build_dir=${1:?build directory}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvane launcher.XXXXXX")
# shellcheck source=tests/support/program-run.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/program-run.sh"
scratch_dir=$scratch

fail() {
  echo "FAIL: $*"
  exit 1
}

prefix=$scratch/prefix
cmake --install "$build_dir" --prefix "$prefix" --component Runtime >"$scratch/install.txt" 2>&1 ||
  fail "cannot install: $(cat "$scratch/install.txt")"
launcher=$prefix/bin/korvane
run=$scratch/data/korvane/run

# A display name where no server listens.
n=250
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
dead_display=:$n

# start_launcher NAME ENV-ARGS...: the launcher, started elsewhere, with the
# given env(1) options and assignments; its output goes to NAME.out/.err.
start_launcher() {
  local name=$1
  shift
  (cd "$scratch" && exec env "$@" XDG_DATA_HOME="$scratch/data" ALSOFT_DRIVERS=null \
    timeout 30 "$launcher") >"$scratch/$name.out" 2>"$scratch/$name.err"
}

# expect_refusal NAME WORDS ENV-ARGS...: the launcher must end with status 1
# and name the failure on standard error.
expect_refusal() {
  local name=$1 words=$2 status err
  shift 2
  start_launcher "$name" "$@"
  status=$?
  err=$(cat "$scratch/$name.err")
  [ "$status" -ne 124 ] || fail "$name: still running after 30 s"
  [ "$status" -eq 1 ] || fail "$name: exit status $status, not 1; standard error: $err"
  [[ "$err" == *"korvane: the game could not start"* ]] ||
    fail "$name: standard error does not say the game could not start: $err"
  [[ "$err" == *"$words"* ]] || fail "$name: standard error does not say '$words': $err"
  echo "$name: refused with status 1:"
  sed 's/^/    /' "$scratch/$name.err"
}

expect_refusal no-display "DISPLAY is not set" -u DISPLAY
expect_refusal dead-display "no display answers at $dead_display" DISPLAY="$dead_display"

# A player's own file in place of the font's link is kept by the launcher.
for kind in text fifo; do
  rm -f "$run/ko-font.ttf"
  if [ "$kind" = fifo ]; then mkfifo "$run/ko-font.ttf"; else echo "not a font" >"$run/ko-font.ttf"; fi
  expect_refusal "font-$kind" "unable to load font ko-font.ttf" DISPLAY="$dead_display"
done
rm -f "$run/ko-font.ttf"

rm -f "$run/korvane.log"
mkfifo "$run/korvane.log"
expect_refusal log-fifo "korvane.log: not a regular file" DISPLAY="$dead_display"
rm -f "$run/korvane.log"
mkdir "$run/korvane.log"
expect_refusal log-directory "korvane.log: Is a directory" DISPLAY="$dead_display"
rmdir "$run/korvane.log"

if [ "$(id -u)" -eq 0 ]; then
  echo "read-only working directory: not tried, root writes into it all the same"
else
  chmod a-w "$run"
  expect_refusal read-only-run "Permission denied" DISPLAY="$dead_display"
  chmod u+w "$run"
fi

# A signal for the launcher, with the game on its title screen.
need_display_and_tools xdotool
# The subshell becomes the launcher, whose child is the game.
(cd "$scratch" && exec env XDG_DATA_HOME="$scratch/data" ALSOFT_DRIVERS=null "$launcher") \
  >"$scratch/signal.out" 2>"$scratch/signal.err" &
launcher_pid=$!
# Stopped at exit should the test fail before it is signalled; it passes the
# signal on to the game.
game_pid=$launcher_pid
find_window "$launcher_pid" "$scratch/signal.err"
game_pid=$(ps -o pid= --ppid "$launcher_pid" | tr -d ' ')
[ -n "$game_pid" ] || fail "the launcher has no child"
kill -TERM "$launcher_pid"
ends_within_10s "$game_pid" || fail "the game runs on after its launcher got SIGTERM"
wait "$launcher_pid"
echo "a signal for the launcher ended the game (launcher status $?)"
