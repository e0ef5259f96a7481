#!/usr/bin/env bash
# Sourced, after program-run.sh, by the scripts that check an installed
# Korvane: from a cmake --install prefix and from an unpacked package, the
# game and the example are played the same way. The functions use the
# sourcing script's fail and log, its $scratch directory and the $shots
# directory for screenshots, and $game_pid and $window as program-run.sh
# sets them.
# shellcheck disable=SC2154

running() { kill -0 "$game_pid" 2>/dev/null; }
key() { xdotool key --delay 15 "$@"; }
shot() { import -window "$window" "$1" 2>/dev/null || fail "cannot grab the window into $1"; }
colours() { convert "$1" -format %k info:; }
difference() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# Sends KEY and expects the program to end within 10 s with status 0.
quit_with() {
  key "$1"
  for _ in $(seq 100); do
    running || break
    sleep 0.1
  done
  running && fail "$1 did not end the program"
  wait "$game_pid"
  local status=$?
  game_pid=
  [ "$status" -eq 0 ] || fail "exit status $status"
}

no_complaints() {
  [ -f "$1" ] || fail "no log at $1"
  if grep -E 'Warning|sad|failed|unable|Error' "$1"; then
    fail "complaints in $1"
  fi
}

# snapshot DIR FILE: every entry of DIR with its kind, mode, size, time and
# link target, then the checksum of every file, into FILE; two snapshots
# differ when anything under DIR was written.
snapshot() {
  (
    cd "$1" || exit 1
    find . -printf '%y %m %s %T@ %p -> %l\n' | LC_ALL=C sort
    find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum
  ) >"$2" || fail "cannot list $1"
}

# check_coins EXAMPLE_DIR PREFIX_PATH: builds the example game in
# EXAMPLE_DIR against the engine installed under PREFIX_PATH, with warnings
# as errors, starts it, moves its player with the arrow keys and quits it.
check_coins() {
  local example_dir=$1 prefix_path=$2
  local coins_build="$scratch/coins build"
  cmake -S "$example_dir" -B "$coins_build" -DCMAKE_PREFIX_PATH="$prefix_path" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Werror >"$scratch/coins-configure.txt" 2>&1 ||
    fail "the example does not configure: $(cat "$scratch/coins-configure.txt")"
  cmake --build "$coins_build" --parallel "$(nproc)" >"$scratch/coins-build.txt" 2>&1 ||
    fail "the example does not build: $(cat "$scratch/coins-build.txt")"
  log "the example built against the installed engine"

  (cd "$coins_build" && ALSOFT_DRIVERS=null exec ./coins) >"$scratch/coins-output.txt" 2>&1 &
  game_pid=$!
  find_window "$game_pid" "$scratch/coins-output.txt"
  sleep 1
  shot "$shots/coins-1.png"
  local before after
  before=$(green_player_x "$shots/coins-1.png")
  [[ "$before" =~ ^[0-9]+$ ]] || fail "no player on the example's screen"
  key Right Right Right Right Right
  sleep 1
  running || fail "the example exited after the arrow keys: $(cat "$scratch/coins-output.txt")"
  shot "$shots/coins-2.png"
  after=$(green_player_x "$shots/coins-2.png")
  [ "$after" -gt "$before" ] || fail "the player did not move right (x $before, then $after)"
  quit_with q
  no_complaints "$coins_build/korvane.log"
  log "the example ran, moved its player from x $before to $after and quit"
}

# Where the example's green player is: the box around the pixels of exactly
# its colour.
green_player_x() {
  convert "$1" -fill black +opaque '#00FF00' -format '%@' info: | sed 's/^[0-9]*x[0-9]*+\([0-9]*\)+.*/\1/'
}

# play_to_game_over SCORE_FILE: the game shows its title screen; plays one
# game to its end, typing every character a key can produce until the score
# moves and then letting a block reach the ship, and sets $score to the
# score saved in SCORE_FILE. Leaves the game on its game-over screen.
play_to_game_over() {
  local score_file=$1
  [ ! -e "$score_file" ] || fail "a score before any game"
  sleep 1.5
  shot "$shots/title.png"
  [ "$(colours "$shots/title.png")" -gt 2 ] || fail "the title screen is blank"

  key p
  sleep 1
  running || fail "the game exited after P"
  shot "$shots/start.png"
  convert "$shots/start.png" -crop 300x140+0+0 +repage "$shots/points-0.png"
  local cycle=({a..z} space apostrophe) scored='' typing_started=$SECONDS
  while [ $((SECONDS - typing_started)) -lt 100 ]; do
    for _ in 1 2 3 4 5; do key "${cycle[@]}"; done
    running || fail "the game exited while typing"
    shot "$shots/typing.png"
    convert "$shots/typing.png" -crop 300x140+0+0 +repage "$shots/points.png"
    if [ "$(difference "$shots/points-0.png" "$shots/points.png")" -gt 0 ]; then
      scored=$SECONDS
      break
    fi
  done
  [ -n "$scored" ] || fail "typing never scored"
  log "the score moved"

  # Hands off: blocks fall until one reaches the ship.
  local waiting_started=$SECONDS
  while [ ! -f "$score_file" ]; do
    running || fail "the game exited while waiting for the end"
    [ $((SECONDS - waiting_started)) -lt 150 ] || fail "no block reached the ship in 150 s"
    sleep 0.5
  done
  sleep 0.5
  score=$(cat "$score_file")
  if ! [[ "$score" =~ ^[0-9]+$ ]] || [ "$score" -lt 1 ]; then
    fail "the score file holds '$score'"
  fi
  # The typing record lands beside the score, in the player's own directory.
  grep -qx 'games_played 1' "$(dirname "$score_file")/stats.txt" ||
    fail "no typing record beside $score_file"
  log "game over with $score"
}
