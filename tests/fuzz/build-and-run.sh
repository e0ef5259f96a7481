#!/usr/bin/env bash
# Builds the file-reader fuzz targets with clang and libFuzzer (under
# AddressSanitizer, UndefinedBehaviorSanitizer and leak detection) and runs
# them over their seed corpora for a bounded time.
#
#   build-and-run.sh build OUT_DIR          compile all targets into OUT_DIR
#   build-and-run.sh run TARGET OUT_DIR     run one built target
#   build-and-run.sh [OUT_DIR]              both, for every target
#
# TARGET is sprite, contents or score. KO_FUZZ_SECONDS sets the run time of
# each target (default 60). A run grows its corpus in a temporary copy, so
# the committed seeds never change; inputs that fail are kept in
# OUT_DIR/artifacts/TARGET/ and the run fails.
set -euo pipefail

HERE=$(cd "$(dirname "$(realpath "${BASH_SOURCE[0]}")")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
TARGETS=(sprite contents score)
SECONDS_EACH=${KO_FUZZ_SECONDS:-60}
CXX=${KO_FUZZ_CXX:-clang++}

# The reader code each target needs beyond the engine.
game_sources() {
  case $1 in
    sprite) ;;
    contents) echo "$ROOT/game/ContentsFile.cpp" ;;
    score) echo "$ROOT/game/ScoreFile.cpp" ;;
    *) echo "build-and-run: unknown target $1" >&2; return 1 ;;
  esac
}
main_source() {
  case $1 in
    sprite) echo "$HERE/SpriteFileFuzz.cpp" ;;
    contents) echo "$HERE/ContentsFileFuzz.cpp" ;;
    score) echo "$HERE/ScoreFileFuzz.cpp" ;;
  esac
}

SANITIZERS=address,undefined
CXXFLAGS=(-std=c++17 -O1 -g -fno-omit-frame-pointer -fno-sanitize-recover=undefined
          -Wall -Wextra -I"$ROOT/include" -I"$ROOT/engine" -I"$ROOT/game" -I"$HERE")
LIBS=(-lsfml-graphics -lsfml-window -lsfml-system -lsfml-audio -lX11)

build() {
  local out=$1
  if ! command -v "$CXX" >/dev/null; then
    echo "build-and-run: $CXX not found; run scripts/install-deps.sh as root" >&2
    return 1
  fi
  mkdir -p "$out/obj"
  local start=$SECONDS
  # The engine and reader sources are instrumented for coverage but get no
  # fuzzer main; only the target files are linked with one.
  local sources=("$ROOT"/engine/*.cpp "$ROOT/game/ContentsFile.cpp" "$ROOT/game/ScoreFile.cpp")
  # An object is rebuilt when its source, or any header at all, is newer.
  local newest_header
  newest_header=$(find "$ROOT/include" "$ROOT/engine" "$ROOT/game" "$HERE" -name '*.h' \
                    -printf '%T@ %p\n' | sort -n | tail -n 1 | cut -d' ' -f2-)
  local max_jobs f obj failed=0
  max_jobs=$(nproc)
  for f in "${sources[@]}"; do
    obj="$out/obj/$(basename "${f%.cpp}").o"
    if [[ -f "$obj" && "$obj" -nt "$f" && "$obj" -nt "$newest_header" ]]; then
      continue
    fi
    while (($(jobs -rp | wc -l) >= max_jobs)); do
      wait -n || failed=1
    done
    "$CXX" "${CXXFLAGS[@]}" -fsanitize=fuzzer-no-link,$SANITIZERS -c "$f" \
      -o "$obj" &
  done
  while (($(jobs -rp | wc -l) > 0)); do
    wait -n || failed=1
  done
  ((failed == 0)) || return 1
  local engine_objs=()
  for f in "$ROOT"/engine/*.cpp; do
    engine_objs+=("$out/obj/$(basename "${f%.cpp}").o")
  done
  rm -f "$out/libkorvane_fuzz_engine.a"
  ar rcs "$out/libkorvane_fuzz_engine.a" "${engine_objs[@]}"

  local target pids=()
  for target in "${TARGETS[@]}"; do
    local extra=()
    local g
    for g in $(game_sources "$target"); do
      extra+=("$out/obj/$(basename "${g%.cpp}").o")
    done
    "$CXX" "${CXXFLAGS[@]}" -fsanitize=fuzzer,$SANITIZERS "$(main_source "$target")" "${extra[@]}" \
      "$out/libkorvane_fuzz_engine.a" "${LIBS[@]}" -o "$out/fuzz_$target" &
    pids+=($!)
  done
  local pid status=0
  for pid in "${pids[@]}"; do
    wait "$pid" || status=1
  done
  ((status == 0)) || return 1
  echo "build-and-run: built ${TARGETS[*]} in $((SECONDS - start)) s"
}

run() {
  local target=$1 out=$2
  local binary="$out/fuzz_$target" seeds="$HERE/corpus/$target"
  game_sources "$target" >/dev/null
  if [[ ! -x "$binary" ]]; then
    echo "build-and-run: $binary is missing; build first" >&2
    return 1
  fi
  # Scratch space on tmpfs when there is one: the score target syncs every
  # file it writes.
  local base=${TMPDIR:-/tmp}
  [[ -d /dev/shm && -w /dev/shm ]] && base=/dev/shm
  local scratch
  scratch=$(mktemp -d "$base/korvane-fuzz-$target.XXXXXX")
  SCRATCH=$scratch
  mkdir -p "$scratch/corpus" "$scratch/tmp" "$out/artifacts/$target"
  cp "$seeds"/* "$scratch/corpus/"
  # The readers log every refusal; the log manager writes korvane.log in the
  # working directory, which here goes nowhere.
  ln -s /dev/null "$scratch/korvane.log"

  local seed_count status=0 start=$SECONDS
  seed_count=$(find "$seeds" -type f | wc -l)
  (
    cd "$scratch"
    export TMPDIR="$scratch/tmp"
    export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    exec "$binary" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
      -max_len=8192 -detect_leaks=1 -print_final_stats=1 \
      -artifact_prefix="$out/artifacts/$target/" "$scratch/corpus"
  ) >"$scratch/fuzz.log" 2>&1 || status=$?
  grep -E '^(INFO: (seed corpus|-max_len)|#[0-9]+[[:space:]]+(INITED|DONE)|stat::|==[0-9]+==ERROR|SUMMARY|fuzz invariant)|runtime error' \
    "$scratch/fuzz.log" || true
  local corpus_count
  corpus_count=$(find "$scratch/corpus" -type f | wc -l)
  echo "build-and-run: $target ran $((SECONDS - start)) s; corpus $seed_count seeds -> $corpus_count files; exit $status"
  if ((status != 0)); then
    echo "---- fuzzer output (tail) ----"
    tail -n 80 "$scratch/fuzz.log"
    echo "build-and-run: $target failed; the input is in $out/artifacts/$target/" >&2
  fi
  rm -rf "$scratch"
  SCRATCH=
  ((status == 0))
}

# The grown corpus of a run that is interrupted goes too.
SCRATCH=
trap '[[ -z $SCRATCH ]] || rm -rf "$SCRATCH"' EXIT

case ${1:-} in
  build) build "${2:?OUT_DIR}" ;;
  run) run "${2:?TARGET}" "${3:?OUT_DIR}" ;;
  *)
    out=${1:-$ROOT/build-fuzz}
    build "$out"
    status=0
    for target in "${TARGETS[@]}"; do
      run "$target" "$out" || status=1
    done
    exit "$status"
    ;;
esac
