#!/usr/bin/env bash
# check-naming.sh [clang-tidy program] [build folder]
# Fails, naming each identifier, when a name in src/ breaks the naming rule
# of src/.clang-tidy. The build folder holds compile_commands.json (the
# build writes it). Run by the test suite, two files at a time.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tidy=${1:-clang-tidy-14}
build=${2:-$top/build}
if [ ! -f "$build/compile_commands.json" ]; then
  echo "check-naming.sh: no $build/compile_commands.json; build the tree first" >&2
  exit 2
fi
cd "$top"
report=$(find src -type f -name '*.cpp' -print0 | sort -z |
  xargs -0 -P2 -n8 "$tidy" -p "$build" --quiet 2>&1 || true)
# One "file:line:column: error: invalid case style for ..." per name; a
# file clang-tidy cannot parse fails the check too.
problems=$(grep -E '^[^ ]+:[0-9]+:[0-9]+: error: |^Error while processing' <<<"$report" | sort -u || true)
if [ -n "$problems" ]; then
  echo "$problems" >&2
  exit 1
fi
