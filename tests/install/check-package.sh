#!/usr/bin/env bash
# Builds Korvane's Debian packages with scripts/package.sh and uses them
# without installing them system-wide:
#   - both are named by the project's version, and the game's dependencies
#     were computed from its binary;
#   - lintian finds neither an error nor a warning in either, and the
#     desktop metadata validates;
#   - the game package unpacked into a scratch directory is laid out as
#     Debian lays out its games; a player starts its launcher from there,
#     plays a game to its end, and the score lands in the player's own
#     directory while the unpacked tree is never written;
#   - the example game that the engine package carries builds against the
#     engine unpacked beside the game.
# Paths have spaces in them on purpose.
#
# Usage: check-package.sh BUILD_DIR SOURCE_DIR VERSION
# The packages are built in BUILD_DIR/package, kept for the next run. Needs
# an X display in DISPLAY and the tools below; exits 77 (skipped) without
# them, or 1 (failed) with KO_REQUIRE_TOOLS set, as the test command sets it.
# KO_KEEP_TEST_DIR=1 keeps the scratch directory.
set -u

build_dir=${1:?build directory}
source_dir=${2:?source directory}
version=${3:?version}

# shellcheck source=tests/support/program-run.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/program-run.sh"
# shellcheck source=tests/support/installed-game.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/installed-game.sh"
need_display_and_tools xdotool import convert compare identify sha256sum dpkg-deb dpkg-shlibdeps \
  lintian appstreamcli desktop-file-validate

started=$SECONDS
scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvane package.XXXXXX")
dist="$scratch/di st"
root="$scratch/un packed"
shots="$scratch/shots"
mkdir -p "$shots"
scratch_dir=$scratch

log() { echo "[$((SECONDS - started)) s] $*"; }
fail() {
  echo "FAIL after $((SECONDS - started)) s: $*"
  exit 1
}

# --- Building ----------------------------------------------------------------------

bash "$source_dir/scripts/package.sh" --build-dir "$build_dir/package" --out "$dist" \
  >"$scratch/package.txt" 2>&1 || fail "package.sh failed: $(tail -n 40 "$scratch/package.txt")"
arch=$(dpkg --print-architecture)
game_deb=$dist/korvane_${version}_$arch.deb
dev_deb=$dist/libkorvane-dev_${version}_$arch.deb
if [ ! -f "$game_deb" ] || [ ! -f "$dev_deb" ]; then
  fail "expected korvane_${version}_$arch.deb and libkorvane-dev_${version}_$arch.deb, got: $(ls "$dist")"
fi
log "built $(ls "$dist" | tr '\n' ' ')"

# field DEB NAME: a field of the package's control file.
field() { dpkg-deb --field "$1" "$2"; }
for deb in "$game_deb" "$dev_deb"; do
  [ "$(field "$deb" Version)" = "$version" ] || fail "$(basename "$deb") has version $(field "$deb" Version)"
done
# Computed from the libraries the binary links: a hand-kept list would
# name neither the C library's version nor the window library's soname.
depends=$(field "$game_deb" Depends)
for library in 'libc6 (>= ' libsfml-graphics2.5 libsfml-audio2.5 libx11-6; do
  [[ ", $depends" == *", $library"* ]] || fail "the game does not depend on $library: $depends"
done
depends=$(field "$dev_deb" Depends)
for package in libsfml-dev libx11-dev; do
  [[ "$depends" == *"$package"* ]] || fail "the engine package does not depend on $package: $depends"
done

# --- Debian's checks ----------------------------------------------------------------

# Warnings fail too: each one left is fixed or overridden in the package.
for deb in "$game_deb" "$dev_deb"; do
  lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$scratch/lintian.txt" 2>&1 ||
    fail "lintian on $(basename "$deb"): $(cat "$scratch/lintian.txt")"
done
log "lintian found no error and no warning"

mkdir -p "$root"
dpkg-deb -x "$game_deb" "$root" || fail "cannot unpack $game_deb"
metainfo=$root/usr/share/metainfo/org.korvane.korvane.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$scratch/appstream.txt" 2>&1 ||
  fail "the desktop metadata does not validate: $(cat "$scratch/appstream.txt")"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" ||
  fail "the desktop metadata has no release $version"
desktop-file-validate "$root/usr/share/applications/korvane.desktop" ||
  fail "the desktop entry is not valid"
log "the desktop metadata and entry validate"

# --- The game's layout ----------------------------------------------------------------

for path in usr/games/korvane usr/lib/games/korvane/korvane; do
  [ -x "$root/$path" ] || fail "no program /$path"
done
for path in usr/share/games/korvane/ko-font.ttf usr/share/games/korvane/data/data.txt \
  usr/share/games/korvane/sprites/ship-spr.txt usr/share/man/man6/korvane.6.gz \
  usr/share/doc/korvane/copyright usr/share/doc/korvane/changelog.gz; do
  [ -s "$root/$path" ] || fail "no file /$path"
done
for size in 48 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x$size/apps/korvane.png
  [ "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG ${size}x$size" ] ||
    fail "the icon of size $size is not a ${size}x$size PNG"
done
# The manual page tells every key and option.
man_page=$(zcat "$root/usr/share/man/man6/korvane.6.gz")
for word in F10 F11 '\-\-fullscreen' '\-\-help' '\-\-version' score.txt korvane.log XDG_DATA_HOME \
  /usr/share/games/korvane; do
  [[ "$man_page" == *"$word"* ]] || fail "the manual page does not mention $word"
done
log "the game's layout checked"

# --- A player plays a game through the unpacked launcher -----------------------------------

snapshot "$root" "$scratch/root-before.txt"
home="$scratch/ho me"
elsewhere="$scratch/some where"
mkdir -p "$home" "$elsewhere"
(cd "$elsewhere" && env -u XDG_DATA_HOME HOME="$home" ALSOFT_DRIVERS=null "$root/usr/games/korvane") \
  >"$scratch/game-output.txt" 2>&1 &
game_pid=$!
find_window "$game_pid" "$scratch/game-output.txt"
player=$home/.local/share/korvane
play_to_game_over "$player/data/score.txt"
# The game-over screen ignores keys for its first second.
sleep 1.5
key r
sleep 1.5
quit_with q
no_complaints "$player/run/korvane.log"
[ "$(readlink "$player/sprites")" = "$root/usr/share/games/korvane/sprites" ] ||
  fail "the player's sprites are not the unpacked ones: $(readlink "$player/sprites")"
[ -z "$(ls -A "$elsewhere")" ] || fail "written into the directory it was started from: $(ls -A "$elsewhere")"
snapshot "$root" "$scratch/root-after.txt"
diff "$scratch/root-before.txt" "$scratch/root-after.txt" >"$scratch/root-diff.txt" ||
  fail "the unpacked tree was written: $(cat "$scratch/root-diff.txt")"
log "played a game with $score through the unpacked launcher; nothing written under the tree"

# --- The engine package ------------------------------------------------------------------

# Beside the game, as installing both puts them: the example copies the
# game's font.
dpkg-deb -x "$dev_deb" "$root" || fail "cannot unpack $dev_deb"
config_version=$(find "$root/usr/lib" -path '*/cmake/Korvane/KorvaneConfigVersion.cmake')
grep -q "set(PACKAGE_VERSION \"$version\")" "$config_version" ||
  fail "the CMake package's version is not $version"
check_coins "$root/usr/share/doc/libkorvane-dev/examples/coins" "$root/usr"

log "passed"
