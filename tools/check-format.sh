#!/usr/bin/env bash
# Fails, naming the files, when C++ sources differ from the tree's
# .clang-format. Fix them with:  bash tools/check-format.sh --fix
set -euo pipefail
ROOT=$(cd "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/.." && pwd)
cd "$ROOT"
mapfile -t files < <(find engine include game testkit tests bench examples \
  \( -name '*.cpp' -o -name '*.h' \) -type f | sort)
if [[ ${1:-} == --fix ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
drifted=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || drifted+=("$f")
done
if ((${#drifted[@]} > 0)); then
  echo "check-format: these files differ from .clang-format (bash tools/check-format.sh --fix):"
  printf '  %s\n' "${drifted[@]}"
  exit 1
fi
echo "check-format: ${#files[@]} files follow .clang-format"
