#!/usr/bin/env bash
# The one test command: installs missing Debian packages (as root), starts a
# private headless X server, then builds and runs the whole suite twice: once
# as a normal build with gcc, once with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, with the file readers' fuzzers.
# Warnings are errors in both.
#
# Any arguments go to ctest, e.g.  bash scripts/test.sh -L unit
set -uo pipefail

ROOT=$(cd "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/.." && pwd)
CTEST_ARGS=("$@")
JOBS=$(nproc)

log() { printf '\n==> %s\n' "$*"; }

bash "$ROOT/scripts/install-deps.sh" || exit 1

# --- A private X server -------------------------------------------------------
# shellcheck source=scripts/xvfb.sh
source "$ROOT/scripts/xvfb.sh"
make_scratch korvane-test || exit 1

log "Starting Xvfb"
start_xvfb || exit 1
echo "DISPLAY=$DISPLAY ($(xdotool getdisplaygeometry))"

# No sound card and no GPU in CI: OpenAL plays into nothing, Mesa renders in software.
export ALSOFT_DRIVERS=null
export LIBGL_ALWAYS_SOFTWARE=1
# Here every test runs: one that would skip for want of the display or a
# tool fails instead, so that a missing tool cannot pass as success.
export KO_REQUIRE_TOOLS=1

# --- Sanitizer settings (read only by the sanitized build) ----------------------
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"

# Mesa unloads its software GL driver when the X display closes, which leaves
# the driver's own leftovers as leaks with no stack to recognise them by. The
# sanitized tests therefore run with the driver preloaded, so that it stays
# loaded to the end. The cross-compiling emulator is the hook through which
# CMake and ctest launch every test executable, test discovery included,
# without the preload reaching cmake, the compiler or ctest itself. (Clang
# links its sanitizer runtime into each program, so nothing else is needed.)
SANITIZED_LAUNCHER=()
gl_driver=$(dpkg -L libgl1-mesa-dri 2>/dev/null | grep -m1 '/swrast_dri\.so$' || true)
if [[ -n "$gl_driver" ]]; then
  SANITIZED_LAUNCHER=("-DCMAKE_CROSSCOMPILING_EMULATOR=env;LD_PRELOAD=$gl_driver")
else
  echo "test: warning: Mesa's software driver not found; leak reports may include the GL driver" >&2
fi

# --- Build and run ------------------------------------------------------------
declare -A RESULT
ORDER=()

# run_suite NAME BUILD_DIR CMAKE_ARGS...
run_suite() {
  local name=$1 dir=$2 start=$SECONDS
  shift 2
  ORDER+=("$name")
  log "$name: configure ($dir)"
  if ! cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"; then
    RESULT[$name]="FAILED at configure"
    return 1
  fi
  log "$name: build"
  if ! cmake --build "$dir" --parallel "$JOBS"; then
    RESULT[$name]="FAILED at build"
    return 1
  fi
  log "$name: test"
  if ! ctest --test-dir "$dir" --output-on-failure --no-tests=error -j2 "${CTEST_ARGS[@]}"; then
    RESULT[$name]="FAILED in tests ($((SECONDS - start)) s)"
    return 1
  fi
  RESULT[$name]="passed ($((SECONDS - start)) s)"
}

status=0
run_suite "normal build" "$ROOT/build" -DKO_WARNINGS_AS_ERRORS=ON || status=1
# The second compiler finds faults the first misses; clang also brings
# libFuzzer, so the file readers' fuzzers are built and run here.
run_suite "sanitized build" "$ROOT/build-sanitized" -DCMAKE_CXX_COMPILER=clang++ \
  -DKO_SANITIZE=ON -DKO_FUZZ=ON -DKO_WARNINGS_AS_ERRORS=ON "${SANITIZED_LAUNCHER[@]}" || status=1

log "Summary"
for name in "${ORDER[@]}"; do
  printf '  %-16s %s\n' "$name:" "${RESULT[$name]}"
done
if ((status == 0)); then
  echo "ALL PASSED"
else
  echo "SOME FAILED"
fi
exit "$status"
