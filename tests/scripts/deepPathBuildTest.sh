#!/usr/bin/env bash
# The 16-bit self-extractor stubs build from a checkout whose path is 150
# characters long (their assembler refuses long source paths). The checkout
# is this source tree seen through a symbolic link at such a path; only the
# stub targets are built, in a scratch build folder below it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

deep=$scratch/
while [ ${#deep} -lt 150 ]; do deep+=deep-folder-name/; done
deep=${deep:0:149}
mkdir -p "$(dirname "$deep")"
ln -s "$top" "$deep"
[ ${#deep} -eq 149 ] && [ -f "$deep/CMakeLists.txt" ]

build=$scratch/build-of-a-checkout-whose-path-is-long-enough-to-trouble-old-tools
if ! cmake -S "$deep" -B "$build" -G Ninja -DTB_BUILD_TESTS=OFF -DTB_BUILD_BENCH=OFF \
  >"$scratch/log" 2>&1 ||
  ! cmake --build "$build" --target sfx_lzh_dos sfx_lzh_win16 >>"$scratch/log" 2>&1; then
  cat "$scratch/log" >&2
  echo "FAIL: the 16-bit stubs do not build from $deep" >&2
  exit 1
fi
grep -q "$deep/archivers/sfx" "$build/build.ninja" || { echo "FAIL: the build did not use the deep path" >&2; exit 1; }
echo "deep path build: ok"
