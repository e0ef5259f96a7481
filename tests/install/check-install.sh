#!/usr/bin/env bash
# Installs Korvane into a scratch prefix and uses the installation as a
# player and as a game developer would:
#   - everything is where a desktop expects it, and nothing of the sources
#     or the build leaks in;
#   - a broken installation makes the launcher fail with a clear message;
#   - the example game builds against the installed engine package and
#     moves its player with the arrow keys;
#   - a player starts the installed launcher from an unrelated directory
#     and plays a game to its end; score and log land in the player's own
#     directory, and the prefix is never written;
#   - a second user, without XDG_DATA_HOME, gets a home of their own;
#   - a reinstall refreshes the player's block texts and keeps the score.
# Paths have spaces in them on purpose.
#
# Usage: check-install.sh BUILD_DIR SOURCE_DIR
# Needs an X display in DISPLAY, xdotool and ImageMagick; exits 77 (skipped)
# without them, or 1 (failed) with KO_REQUIRE_TOOLS set, as the test command
# sets it. KO_KEEP_TEST_DIR=1 keeps the scratch directory.
set -u

build_dir=${1:?build directory}
source_dir=${2:?source directory}

# shellcheck source=tests/support/program-run.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/program-run.sh"
# shellcheck source=tests/support/installed-game.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/installed-game.sh"
need_display_and_tools xdotool import convert compare identify cmp sha256sum

started=$SECONDS
scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvane install.XXXXXX")
prefix="$scratch/pre fix"
elsewhere="$scratch/some where"
shots="$scratch/shots"
mkdir -p "$elsewhere" "$shots"
scratch_dir=$scratch

log() { echo "[$((SECONDS - started)) s] $*"; }
fail() {
  echo "FAIL after $((SECONDS - started)) s: $*"
  exit 1
}

# --- Installing ----------------------------------------------------------------

# One component at a time: an install of everything at once writes
# install_manifest.txt into the build directory, the list that a real install
# from this build keeps for uninstalling, and that must stay as it is.
install_korvane() {
  local component
  for component in Runtime Development; do
    cmake --install "$build_dir" --prefix "$prefix" --component "$component" \
      >"$scratch/install-$component.txt" 2>&1 ||
      fail "cmake --install --component $component: $(cat "$scratch/install-$component.txt")"
  done
}

install_korvane
snapshot "$prefix" "$scratch/prefix-before.txt"
log "installed into $prefix"

launcher=$prefix/bin/korvane
share=$prefix/share/korvane
[ -x "$launcher" ] || fail "no launcher bin/korvane"
[ -x "$prefix/libexec/korvane/korvane" ] || fail "no game binary in libexec/korvane"
# Installed name, then the source it comes from.
for pair in ko-font.ttf:run/ko-font.ttf ko-font-LICENSE.txt:run/ko-font-LICENSE.txt \
  data/data.txt:data/data.txt; do
  cmp -s "$share/${pair%%:*}" "$source_dir/${pair#*:}" ||
    fail "share/korvane/${pair%%:*} is missing or differs from ${pair#*:}"
done
for file in "$source_dir"/sprites/*.txt "$source_dir"/sounds/*.wav "$source_dir"/sounds/*.ogg; do
  relative=${file#"$source_dir"/}
  cmp -s "$file" "$share/$relative" || fail "share/korvane/$relative is missing or differs"
done
for file in "$source_dir"/include/korvane/*.h; do
  [ -f "$prefix/include/korvane/$(basename "$file")" ] || fail "header $(basename "$file") not installed"
done
[ -n "$(find "$prefix" -name libkorvane_engine.a)" ] || fail "no engine library"
[ -n "$(find "$prefix" -path '*/cmake/Korvane/KorvaneConfigVersion.cmake')" ] ||
  fail "no CMake package"
# Only the game's data: no player's score, no tools of the source tree.
stray=$(find "$prefix" -name 'score.txt*' -o -name 'stats.txt*' -o -name '*.py' -o -name '*.sh' -o -name korvane.log)
[ -z "$stray" ] || fail "installed by mistake: $stray"
# The text files must find everything from the prefix, not from here.
if grep -rlF -e "$build_dir" -e "$source_dir" "$launcher" "$prefix/share/applications" \
  "$(dirname "$(find "$prefix" -name KorvaneConfig.cmake)")"; then
  fail "the files above point into the source or build tree"
fi
desktop=$prefix/share/applications/korvane.desktop
[ -f "$desktop" ] || fail "no desktop entry"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
else
  echo "note: desktop-file-validate not installed; the desktop entry was not validated"
fi
if ! grep -qx 'Icon=korvane' "$desktop" || ! grep -qx 'Exec=korvane' "$desktop"; then
  fail "the desktop entry does not start korvane with its icon"
fi
for size in 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/korvane.png
  [ "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG ${size}x$size" ] ||
    fail "the icon of size $size is not a ${size}x$size PNG"
done
[ -s "$prefix/share/man/man6/korvane.6.gz" ] || fail "no manual page man6/korvane.6.gz"
[ -s "$prefix/share/metainfo/org.korvane.korvane.metainfo.xml" ] || fail "no desktop metadata"
[ -s "$prefix/share/doc/Korvane/engine.md" ] && [ -s "$prefix/share/doc/Korvane/examples/coins/main.cpp" ] ||
  fail "no guide or example game under share/doc/Korvane"
log "layout checked"

# --- A broken installation -------------------------------------------------------

broken="$scratch/bro ken"
cp -a "$prefix" "$broken"
rm -rf "$broken/share/korvane/sounds"
message=$(cd "$elsewhere" && HOME="$scratch/home broken" XDG_DATA_HOME='' \
  timeout 20 "$broken/bin/korvane" 2>&1)
status=$?
[ "$status" -ne 0 ] || fail "the launcher started without the installed sounds"
[ "$status" -ne 124 ] || fail "the launcher ran on without the installed sounds"
[[ "$message" == *"share/korvane/sounds"* ]] ||
  fail "the launcher's message does not say what is missing: $message"
[ ! -e "$scratch/home broken" ] || fail "the launcher made a home before checking the installation"
rm -rf "$broken"
log "a broken installation is refused: $message"

# --- The example game, built against the installed package -----------------------

check_coins "$source_dir/examples/coins" "$prefix"

# --- A player plays a game ---------------------------------------------------------

home_a="$scratch/home a"
data_home_a="$scratch/xdg data a"
mkdir -p "$home_a"
player_a=$data_home_a/korvane
run_as_a() {
  (cd "$elsewhere" && HOME=$home_a XDG_DATA_HOME=$data_home_a ALSOFT_DRIVERS=null exec "$launcher") \
    >"$scratch/a-output.txt" 2>&1 &
  game_pid=$!
  find_window "$game_pid" "$scratch/a-output.txt"
}

run_as_a
score_file=$player_a/data/score.txt
play_to_game_over "$score_file"

# Both screens ignore keys for their first second.
sleep 1.5
key r
sleep 1.5
quit_with q
no_complaints "$player_a/run/korvane.log"
[ -z "$(ls -A "$elsewhere")" ] || fail "written into the directory it was started from: $(ls -A "$elsewhere")"

# --- A second user, without XDG_DATA_HOME, through a link to the launcher -----------

home_b="$scratch/home b"
mkdir -p "$home_b/bin"
ln -s "$launcher" "$home_b/bin/korvane"
(cd "$elsewhere" && env -u XDG_DATA_HOME HOME="$home_b" ALSOFT_DRIVERS=null "$home_b/bin/korvane") \
  >"$scratch/b-output.txt" 2>&1 &
game_pid=$!
find_window "$game_pid" "$scratch/b-output.txt"
sleep 1.5
shot "$shots/title-b.png"
[ "$(colours "$shots/title-b.png")" -gt 2 ] || fail "the second user's title screen is blank"
quit_with q
no_complaints "$home_b/.local/share/korvane/run/korvane.log"
[ ! -e "$home_b/.local/share/korvane/data/score.txt" ] || fail "the second user has a score of their own without playing"
[ "$(cat "$score_file")" = "$score" ] || fail "the first player's score changed"
log "a second user got a home of their own"

snapshot "$prefix" "$scratch/prefix-after.txt"
diff "$scratch/prefix-before.txt" "$scratch/prefix-after.txt" >"$scratch/prefix-diff.txt" ||
  fail "the installation was written: $(cat "$scratch/prefix-diff.txt")"
log "nothing written under the prefix"

# --- A reinstall ------------------------------------------------------------------

# A copy from an older release: the reinstalled texts must replace it.
echo "an old line" >>"$player_a/data/data.txt"
install_korvane
run_as_a
quit_with q
cmp -s "$share/data/data.txt" "$player_a/data/data.txt" || fail "the block texts were not refreshed"
[ "$(cat "$score_file")" = "$score" ] || fail "the reinstall lost the score"
log "a reinstall refreshed the block texts and kept the score"

log "passed"
