#!/usr/bin/env bash
# Installs Korvane into a scratch prefix, builds the example game with its
# tests against the installed package, and runs them with no display at
# all, as a game developer's CI would.
#
# Usage: check-example-tests.sh BUILD_DIR SOURCE_DIR
# KO_KEEP_TEST_DIR=1 keeps the scratch directory.
set -u

build_dir=${1:?build directory}
source_dir=${2:?source directory}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvane example tests.XXXXXX")
if [ -z "${KO_KEEP_TEST_DIR:-}" ]; then
  trap 'rm -rf "$scratch"' EXIT
else
  echo "test directory kept: $scratch"
fi
prefix="$scratch/pre fix"
coins_build="$scratch/coins build"

fail() {
  echo "FAIL: $*"
  exit 1
}

# One component at a time, as the install check does, so that the build
# directory's install manifest stays as a real install left it.
for component in Runtime Development; do
  cmake --install "$build_dir" --prefix "$prefix" --component "$component" \
    >"$scratch/install-$component.txt" 2>&1 ||
    fail "cmake --install --component $component: $(cat "$scratch/install-$component.txt")"
done
[ -n "$(find "$prefix" -name libkorvane_testkit.a)" ] || fail "no test kit library installed"
[ -f "$prefix/include/korvane/TestKit.h" ] || fail "no test kit header installed"

cmake -S "$source_dir/examples/coins" -B "$coins_build" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Werror >"$scratch/configure.txt" 2>&1 ||
  fail "the example does not configure: $(cat "$scratch/configure.txt")"
cmake --build "$coins_build" --parallel 2 >"$scratch/build.txt" 2>&1 ||
  fail "the example and its tests do not build: $(cat "$scratch/build.txt")"

env -u DISPLAY -u WAYLAND_DISPLAY ctest --test-dir "$coins_build" --output-on-failure \
  --no-tests=error >"$scratch/ctest.txt" 2>&1
status=$?
cat "$scratch/ctest.txt"
[ "$status" -eq 0 ] || fail "the example's tests failed without a display"
grep -qE '^100% tests passed, 0 tests failed out of [3-9]' "$scratch/ctest.txt" ||
  fail "the example's tests did not all run"
echo "passed"
