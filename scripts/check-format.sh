#!/usr/bin/env bash
# check-format.sh [clang-format program]
# Fails, naming each file, when a C or C++ file of src/, archivers/, tests/ or
# bench/ is not formatted as .clang-format says. Run by the test suite; to fix
# a file: clang-format-14 -i <file>.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
format=${1:-clang-format-14}
cd "$top"
mapfile -d '' files < <(find src archivers tests bench -type f \
  \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if report=$("$format" --dry-run --Werror "${files[@]}" 2>&1); then
  exit 0
fi
# One "file:line:column: error: code should be clang-formatted" per place;
# anything else (clang-format itself failing) is shown as it came.
names=$(grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<<"$report" | cut -d: -f1 | sort -u || true)
if [ -n "$names" ]; then
  sed 's/^/not formatted: /' <<<"$names" >&2
else
  echo "$report" >&2
fi
exit 1
