# Runs the game and reports a failed start. Sourced by scripts/play.sh and
# copied into the installed launcher, so it is plain POSIX sh.
#
# run_game COMMAND... runs the game in the current directory, where it writes
# its log. A game that could not start still ends with status 0, so its log
# tells: then the lines that say what went wrong go to standard error and
# the status is 1. Any other status is passed on.
run_game() {
  "$@" &
  ko_game_pid=$!
  # The game is this script's child: a signal that ends the script is meant
  # for the game, which then ends as when its window is closed.
  trap 'kill -TERM "$ko_game_pid" 2>/dev/null' HUP INT TERM
  ko_status=0
  wait "$ko_game_pid" || ko_status=$?
  # A trapped signal cuts the wait short: wait for the game itself.
  while kill -0 "$ko_game_pid" 2>/dev/null; do
    ko_status=0
    wait "$ko_game_pid" || ko_status=$?
  done
  trap - HUP INT TERM
  [ "$ko_status" -eq 0 ] || return "$ko_status"
  # Asked only to print its help or version, the game starts nothing.
  case " $* " in *" --help "* | *" --version "*) return 0 ;; esac

  # Only a regular file is read: the game refuses anything else as its log.
  if [ ! -f korvane.log ] || [ ! -w korvane.log ]; then
    printf 'korvane: the game could not start: it cannot write its log %s/korvane.log (see above)\n' \
      "$(pwd)" >&2
    return 1
  fi
  if grep -qx 'Error starting game manager!' korvane.log; then
    printf 'korvane: the game could not start; from %s/korvane.log:\n' "$(pwd)" >&2
    head -n 20 korvane.log | sed 's/^/korvane:   /' >&2
    return 1
  fi
  return 0
}
