#!/usr/bin/env bash
# Sourced by the scripts that run the real program: at exit the program, if
# still running ($game_pid), is stopped and the scratch directory
# ($scratch_dir) removed, unless KO_KEEP_TEST_DIR asks to keep it.

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
