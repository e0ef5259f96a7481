#!/usr/bin/env bash
# Plays the real game binary through its window, as a player would: the
# title screen, a game in which typing scores, a pause, the game ending when
# a block reaches the ship, the high score, back to the title, and quitting.
# Along the way: the live speed display, the typing lines under the
# game-over picture, and the typing record kept beside the score.
#
# Usage: play-game.sh KORVANE_BINARY SOURCE_DIR [LAUNCHER]
# LAUNCHER is a command prefix with its words separated by semicolons, as
# CMake's CROSSCOMPILING_EMULATOR holds it: the sanitized build runs its
# programs through one.
# Needs an X display in DISPLAY, xdotool and ImageMagick (import, convert,
# compare). Exits 77 (skipped) when one is missing, or 1 (failed) with
# KO_REQUIRE_TOOLS set, as the test command sets it. With KO_SCREENSHOT_DIR
# set, saves title.png, game.png and gameover.png there.
set -u

binary=${1:?korvane binary}
source_dir=${2:?source directory}
IFS=';' read -r -a launcher <<<"${3:-}"

# shellcheck source=tests/support/program-run.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/program-run.sh"
need_display_and_tools xdotool import convert compare

started=$SECONDS
root=$(mktemp -d /tmp/korvane-e2e-XXXXXX)
scratch_dir=$root

fail() {
  echo "FAIL after $((SECONDS - started)) s: $*"
  if [ -f "$root/work/korvane.log" ]; then
    echo "--- korvane.log"
    cat "$root/work/korvane.log"
  fi
  if [ -f "$root/work/game-output.txt" ]; then
    echo "--- the program's output"
    tail -n 40 "$root/work/game-output.txt"
  fi
  exit 1
}

log() { echo "[$((SECONDS - started)) s] $*"; }

# The game's layout: a working directory with the font, beside the data.
mkdir -p "$root/work" "$root/data" || fail "cannot make $root"
cp "$source_dir/run/ko-font.ttf" "$root/work/" &&
  cp -r "$source_dir/sprites" "$source_dir/sounds" "$root/" &&
  cp "$source_dir/data/data.txt" "$root/data/" || fail "cannot copy the game's files"
score_file=$root/data/score.txt
shots=$root/shots
mkdir -p "$shots"

cd "$root/work" || fail "cannot enter $root/work"
ALSOFT_DRIVERS=null "${launcher[@]}" "$binary" >game-output.txt 2>&1 &
game_pid=$!

running() { kill -0 "$game_pid" 2>/dev/null; }

find_window "$game_pid" game-output.txt

key() { xdotool key --delay 15 "$@"; }
shot() { import -window "$window" "$1" 2>/dev/null || fail "cannot grab the window into $1"; }
colours() { convert "$1" -format %k info:; }
# Pixels of exactly this colour (hex without #, upper case).
pixels_of() {
  convert "$1" -format %c histogram:info:- |
    awk -v hex="#$2" 'toupper($0) ~ hex { sub(":", "", $1); n += $1 } END { print n + 0 }'
}
block_pixels() {
  echo $(($(pixels_of "$1" FFFF00) + $(pixels_of "$1" FF00FF) + $(pixels_of "$1" FF0000)))
}
# Number of pixels that differ between two pictures.
difference() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
# The score display's corner of the screen.
points_area() { convert "$1" -crop 300x140+0+0 +repage "$2"; }
# The speed display's corner, and the band of rows 20 to 22 under the
# game-over picture.
speed_area() { convert "$1" -crop 300x140+724+0 +repage "$2"; }
results_band() { convert "$1" -crop 1024x96+0+640 +repage "$2"; }
keep() {
  if [ -n "${KO_SCREENSHOT_DIR:-}" ]; then
    mkdir -p "$KO_SCREENSHOT_DIR" && cp "$1" "$KO_SCREENSHOT_DIR/$2"
  fi
}

# Title screen.
sleep 1.5
shot "$shots/title.png"
[ "$(colours "$shots/title.png")" -gt 2 ] || fail "the title screen is blank"
keep "$shots/title.png" title.png
log "title screen shown"

# A game; type every character a key can produce until the score moves.
key p
sleep 1
running || fail "the game exited after P"
shot "$shots/start.png"
points_area "$shots/start.png" "$shots/points-0.png"
speed_area "$shots/start.png" "$shots/speed-0.png"
[ "$(pixels_of "$shots/speed-0.png" FFFFFF)" -gt 100 ] || fail "no speed display at the top right"
cycle=$(echo {a..z} space apostrophe)
scored=
typing_started=$SECONDS
while [ $((SECONDS - typing_started)) -lt 100 ]; do
  for _ in 1 2 3 4 5; do key $cycle; done
  running || fail "the game exited while typing"
  shot "$shots/typing.png"
  points_area "$shots/typing.png" "$shots/points.png"
  if [ -z "$scored" ] && [ "$(difference "$shots/points-0.png" "$shots/points.png")" -gt 0 ]; then
    scored=$SECONDS
    log "the score moved"
  fi
  # Type on a little longer to clear a few more blocks.
  [ -n "$scored" ] && [ $((SECONDS - scored)) -ge 8 ] && break
done
[ -n "$scored" ] || fail "typing never scored"
[ -f "$score_file" ] && fail "the game ended while every block was being typed away"
speed_area "$shots/typing.png" "$shots/speed.png"
[ "$(difference "$shots/speed-0.png" "$shots/speed.png")" -gt 0 ] ||
  fail "the speed display still shows its first value after scoring"
log "the speed display moved"

# F10 freezes the picture; F10 again lets it move on.
key F10
sleep 0.5
shot "$shots/paused-1.png"
sleep 1
shot "$shots/paused-2.png"
[ "$(difference "$shots/paused-1.png" "$shots/paused-2.png")" -eq 0 ] ||
  fail "the picture changed while paused"
key F10
sleep 0.5
shot "$shots/running-1.png"
sleep 0.5
shot "$shots/running-2.png"
[ "$(difference "$shots/running-1.png" "$shots/running-2.png")" -gt 0 ] ||
  fail "the picture stands still after the pause"
log "paused and resumed"

# Hands off: blocks fall until one reaches the ship. On the way, keep the
# picture with the most of the blocks on screen, for a few seconds from the
# first one seen.
best_pixels=0
first_block_seen=
waiting_started=$SECONDS
while [ ! -f "$score_file" ]; do
  running || fail "the game exited while waiting for the end"
  [ $((SECONDS - waiting_started)) -lt 150 ] || fail "no block reached the ship in 150 s"
  if [ -z "$first_block_seen" ] || [ $((SECONDS - first_block_seen)) -lt 8 ]; then
    shot "$shots/now.png"
    pixels=$(block_pixels "$shots/now.png")
    if [ ! -f "$score_file" ] && [ "$pixels" -gt "$best_pixels" ]; then
      best_pixels=$pixels
      cp "$shots/now.png" "$shots/game.png"
      [ -n "$first_block_seen" ] || first_block_seen=$SECONDS
    fi
    sleep 0.5
  else
    # Watch closely for the end: the next step must start within the
    # game-over screen's first second.
    sleep 0.05
  fi
done
# A player who dies mid-word types on for a moment, R and Q among the keys:
# the game-over screen must still be there, and the program running.
xdotool type --delay 60 "rqrqrqrq"
running || fail "typing on at the moment of death ended the program"
shot "$shots/typed-on.png"
[ "$(pixels_of "$shots/typed-on.png" FF0000)" -gt 1000 ] ||
  fail "typing on at the moment of death left the game-over screen"
log "game over"
[ "$best_pixels" -gt 200 ] || fail "no block was ever seen on screen"
keep "$shots/game.png" game.png
score=$(cat "$score_file")
[[ "$score" =~ ^[0-9]+$ ]] || fail "the score file holds '$score'"
[ "$score" -ge 1 ] || fail "the score file holds $score"
sleep 1.5
shot "$shots/gameover.png"
[ "$(pixels_of "$shots/gameover.png" FF0000)" -gt 1000 ] || fail "no game-over art"
# The points, typing and bests lines: white text under the picture, none
# of it red.
results_band "$shots/gameover.png" "$shots/results.png"
[ "$(pixels_of "$shots/results.png" FFFFFF)" -gt 1000 ] || fail "no result lines under the picture"
[ "$(pixels_of "$shots/results.png" FF0000)" -eq 0 ] || fail "the result lines overlap the picture"
keep "$shots/gameover.png" gameover.png
stats_file=$root/data/stats.txt
grep -qx 'games_played 1' "$stats_file" || fail "no typing record after the game: $(cat "$stats_file" 2>&1)"
grep -qE '^best_wpm [1-9][0-9]*$' "$stats_file" || fail "the typing record has no speed: $(cat "$stats_file")"
log "the typing record holds $(grep best_wpm "$stats_file")"

# R: back to the title (no red art, and a picture again)
key r
sleep 1.5
shot "$shots/title-again.png"
[ "$(pixels_of "$shots/title-again.png" FF0000)" -eq 0 ] || fail "R did not leave the game-over screen"
[ "$(colours "$shots/title-again.png")" -gt 2 ] || fail "the title screen is blank after R"
log "back at the title"

# Q ends the program normally.
key q
for _ in $(seq 100); do
  running || break
  sleep 0.1
done
running && fail "Q did not end the program"
wait "$game_pid"
status=$?
game_pid=
[ "$status" -eq 0 ] || fail "exit status $status"

if grep -E 'Warning|sad|failed|unable' korvane.log; then
  fail "complaints in korvane.log"
fi
log "passed with a high score of $score"
