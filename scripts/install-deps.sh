#!/usr/bin/env bash
# Installs the Debian packages needed to build, play and test Korvane.
# Only packages that are missing are installed, so running it again is cheap
# and touches nothing; it needs root only when something is missing.
set -euo pipefail

# Every package the project needs, in one place.
PACKAGES=(
  # toolchain
  g++ cmake make
  # the engine's graphics, window and audio libraries, and OpenAL behind them
  libsfml-dev libopenal1
  # test framework, and Python for the scripts that check data and the guide
  libgtest-dev python3
  # a private X server for the window tests, with tools to probe it and drive it
  xvfb xauth x11-utils xdotool x11-apps
  # software OpenGL, since the X server above has no GPU
  libgl1-mesa-dri
  # the font, and tools the tests use to make and inspect images and sounds
  fonts-dejavu-core imagemagick sox libsox-fmt-all vorbis-tools
  # clang, the sanitized build's compiler, with libFuzzer and its sanitizer
  # runtimes, and the formatter the sources follow
  clang libclang-rt-14-dev clang-format
  # the desktop entry's validator, for the install test
  desktop-file-utils
  # what scripts/package.sh builds the Debian packages with, and what the
  # package test checks them with
  dpkg-dev file lintian appstream
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$pkg")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

if ((EUID != 0)); then
  echo "install-deps: these Debian packages are missing: ${missing[*]}" >&2
  echo "install-deps: installing them needs root; run as root:" >&2
  echo "  bash $(realpath "${BASH_SOURCE[0]}")" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Wait for another apt run (an unattended upgrade, say) instead of failing at once.
APT=(apt-get -q -o DPkg::Lock::Timeout=300)
"${APT[@]}" update
"${APT[@]}" install -y --no-install-recommends "${missing[@]}"
