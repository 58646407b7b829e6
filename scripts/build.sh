#!/usr/bin/env bash
# Configures and builds the tree.
#   build.sh              the program, its libraries and stubs (what ./run.sh needs)
#   build.sh --tests      the same plus the test suite and the benchmarks
#   build.sh --configure  only configure (with or without --tests)
# The build folder is build/ beside the sources, or $TB_BUILD_DIR. A tree once
# configured with tests keeps them: a later plain build.sh does not drop them
# again, so ./run.sh after ./test.sh rebuilds nothing it need not.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TB_BUILD_DIR:-$top/build}
want_tests=OFF
configure_only=false
for arg in "$@"; do
  case "$arg" in
    --tests) want_tests=ON ;;
    --configure) configure_only=true ;;
    *) echo "build.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done
have_tests=$(sed -n 's/^TB_BUILD_TESTS:BOOL=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
if [ ! -f "$build/build.ninja" ] || { [ "$want_tests" = ON ] && [ "$have_tests" != ON ]; }; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTB_BUILD_TESTS=$want_tests -DTB_BUILD_BENCH=$want_tests >/dev/null
fi
$configure_only && exit 0
cmake --build "$build" -- --quiet
