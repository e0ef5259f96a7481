#!/usr/bin/env bash
# Builds Korvane's two Debian packages from the tree: korvane, the game, and
# libkorvane-dev, the engine for game makers, both of the project's version,
# into dist/. Installs missing Debian packages first (as root). Works from
# any current directory.
#
# Usage: package.sh [--build-dir DIR] [--out DIR]
#   --build-dir  where to build (default build-package/); kept, so that a
#                second run builds only what changed
#   --out        where the packages go (default dist/)
set -euo pipefail

ROOT=$(cd "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/.." && pwd)
build_dir=$ROOT/build-package
out_dir=$ROOT/dist
while (($#)); do
  case $1 in
    --build-dir) build_dir=${2:?--build-dir needs a directory}; shift 2 ;;
    --out) out_dir=${2:?--out needs a directory}; shift 2 ;;
    *)
      echo "usage: $0 [--build-dir DIR] [--out DIR]" >&2
      exit 2
      ;;
  esac
done

bash "$ROOT/scripts/install-deps.sh"

# Built with the distribution's optimisation flags and all its hardening, as
# its own packages are; the prefix /usr gives the multiarch library directory.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S "$ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DKO_DEBIAN_PACKAGE=ON -DKO_BUILD_TESTS=OFF -DKO_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)"
cmake --build "$build_dir" --parallel "$(nproc)"

# The packaged files get the usual modes, whatever the caller's umask.
umask 022
rm -f "$build_dir"/*.deb
(cd "$build_dir" && cpack -G DEB)
mkdir -p "$out_dir"
for deb in "$build_dir"/*.deb; do
  cp "$deb" "$out_dir/"
  echo "wrote $out_dir/$(basename "$deb")"
done
