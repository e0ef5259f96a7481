#!/usr/bin/env bash
# Sourced by the scripts that run the real program: at exit the program, if
# still running ($game_pid), is stopped and the scratch directory
# ($scratch_dir) removed, unless KO_KEEP_TEST_DIR asks to keep it. Also the
# check for the display and tools a script needs, and the search for the
# program's window.

game_pid=
scratch_dir=

stop_program_and_clean_up() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid" 2>/dev/null
    wait "$game_pid" 2>/dev/null
  fi
  [ -n "$scratch_dir" ] || return 0
  if [ -n "${KO_KEEP_TEST_DIR:-}" ]; then
    echo "test directory kept: $scratch_dir"
  else
    rm -rf "$scratch_dir"
  fi
}
trap stop_program_and_clean_up EXIT

# need_display_and_tools TOOL...: returns when an X display is set and every
# TOOL is installed; otherwise ends the script, saying what is missing. A
# developer's plain ctest run counts that as skipped (status 77); the test
# command sets KO_REQUIRE_TOOLS, for which it is a failure (status 1): a
# suite that skipped a test has not passed.
need_display_and_tools() {
  local missing=() tool
  [ -n "${DISPLAY:-}" ] || missing+=("an X display (DISPLAY is not set)")
  for tool in "$@"; do
    command -v "$tool" >/dev/null || missing+=("$tool (not installed)")
  done
  ((${#missing[@]} == 0)) && return 0
  local what
  what=$(printf '%s, ' "${missing[@]}")
  what=${what%, }
  if [ -n "${KO_REQUIRE_TOOLS:-}" ]; then
    echo "FAIL: this test needs $what"
    exit 1
  fi
  echo "skipped: this test needs $what"
  exit 77
}

# find_window PID OUTPUT: waits for the window named Korvane of program PID,
# gives it the keyboard focus (there is no window manager to do it) and
# sets $window. Any window of that name will do when PID's own has none
# yet: a launcher runs the game as its child, and the display runs one
# program at a time. The window is looked up again on every try: one just
# found may be on its way out (a switch of the screen mode makes it anew)
# or not shown yet. Calls the script's fail, with the program's OUTPUT
# file, when PID ends first, and when there is no window to focus.
find_window() {
  local pid=$1 output=$2
  window=
  for _ in $(seq 300); do
    kill -0 "$pid" 2>/dev/null || fail "the program ended at start: $(cat "$output")"
    window=$(xdotool search --pid "$pid" --name '^Korvane$' 2>/dev/null | head -n 1)
    [ -n "$window" ] || window=$(xdotool search --name '^Korvane$' 2>/dev/null | head -n 1)
    if [ -n "$window" ]; then
      xdotool windowfocus "$window" 2>/dev/null
      [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] && return 0
    fi
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window named Korvane"
  fail "cannot focus the window $window: $(xwininfo -id "$window" 2>&1 | grep -E 'Map State|geometry')"
}

# ends_within_10s PID: waits up to 10 s for the process to end; false if it
# is still running then.
ends_within_10s() {
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
