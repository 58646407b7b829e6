#!/usr/bin/env bash
# run-fuzzer.sh <fuzzer> <seconds> <seed files...>
# Runs a libFuzzer target for a bounded time on a scratch copy of the seeds, so
# the shared corpus is never written to.
set -euo pipefail
fuzzer=$1 seconds=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
cp -- "$@" "$work/corpus/"
cd "$work"
TMPDIR="$work" "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
  -print_final_stats=1 "$work/corpus" 2>&1 | tail -n 15
exit "${PIPESTATUS[0]}"
