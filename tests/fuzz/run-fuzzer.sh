#!/usr/bin/env bash
# Runs one libFuzzer target over its seed corpus for a bounded time.
#
#   run-fuzzer.sh BINARY SEEDS_DIR ARTIFACTS_DIR
#
# KO_FUZZ_SECONDS sets the run time (default 60). The corpus grows in a
# temporary copy, so the committed seeds never change; an input that fails
# is kept in ARTIFACTS_DIR and the run fails.
set -euo pipefail

binary=${1:?fuzz target binary}
seeds=${2:?seed corpus directory}
artifacts=${3:?artifacts directory}
seconds=${KO_FUZZ_SECONDS:-60}
name=$(basename "$binary")

# Scratch space on tmpfs when there is one: the score target syncs every
# file it writes.
base=${TMPDIR:-/tmp}
[[ -d /dev/shm && -w /dev/shm ]] && base=/dev/shm
scratch=$(mktemp -d "$base/korvane-$name.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/corpus" "$scratch/tmp" "$artifacts"
cp "$seeds"/* "$scratch/corpus/"

seed_count=$(find "$seeds" -type f | wc -l)
status=0
start=$SECONDS
(
  # The readers log every refusal into korvane.log in the working directory,
  # which is the scratch directory's own.
  cd "$scratch"
  export TMPDIR="$scratch/tmp"
  export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  exec "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -detect_leaks=1 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$scratch/corpus"
) >"$scratch/fuzz.log" 2>&1 || status=$?
grep -E '^(INFO: (seed corpus|-max_len)|#[0-9]+[[:space:]]+(INITED|DONE)|stat::|==[0-9]+==ERROR|SUMMARY|fuzz invariant)|runtime error' \
  "$scratch/fuzz.log" || true
corpus_count=$(find "$scratch/corpus" -type f | wc -l)
echo "run-fuzzer: $name ran $((SECONDS - start)) s; corpus $seed_count seeds -> $corpus_count files; exit $status"
if ((status != 0)); then
  echo "---- fuzzer output (tail) ----"
  tail -n 80 "$scratch/fuzz.log"
  echo "run-fuzzer: $name failed; the input is in $artifacts/" >&2
fi
exit "$status"
