#!/usr/bin/env bash
# Sets up this machine, builds everything and runs the whole test suite.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$top/scripts/deps.sh" run test
"$top/scripts/build.sh" --tests
cd "$top/build"
exec ctest --output-on-failure -j2 "$@"
