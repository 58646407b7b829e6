#!/usr/bin/env bash
# What ./run.sh installs and builds: the run list alone, and a build that looks
# for no tool of the test list. deps.sh runs with --dry-run against a dpkg that
# has nothing installed, so nothing on this machine changes.
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

names() { sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$@" | awk '{print $1}'; }
run_list=$(names "$top/scripts/packages-run.txt")
test_list=$(names "$top/scripts/packages-test.txt")

# A machine with nothing installed: every listed package is missing.
mkdir "$scratch/bin"
printf '#!/bin/sh\nexit 1\n' >"$scratch/bin/dpkg-query"
chmod +x "$scratch/bin/dpkg-query"
deps() { PATH="$scratch/bin:$PATH" "$top/scripts/deps.sh" --dry-run "$@"; }

[ "$(deps)" = "$run_list" ] || fail "deps.sh without a list does not install exactly packages-run.txt"
[ "$(deps run)" = "$run_list" ] || fail "deps.sh run does not install exactly packages-run.txt"
[ "$(deps run test)" = "$(printf '%s\n%s' "$run_list" "$test_list")" ] ||
  fail "deps.sh run test does not install both lists"
grep -q 'deps.sh" run$' "$top/run.sh" || fail "run.sh does not install the run list alone"
grep -q 'deps.sh" run test$' "$top/test.sh" || fail "test.sh does not install both lists"
if deps nosuchlist >/dev/null 2>&1; then fail "an unknown list is accepted"; fi

both=$(comm -12 <(sort <<<"$run_list") <(sort <<<"$test_list"))
[ -z "$both" ] || fail "in both lists: $both"

# The build of ./run.sh: every program it looks for comes from a package of
# the run list (or one such a package pulls in directly), and no test library
# is asked for.
allowed=$(for pkg in $run_list; do
  echo "${pkg%%:*}"
  dpkg-query -W -f='${Depends}\n' "$pkg" 2>/dev/null | tr ',|' '\n\n' | awk '{print $1}' | sed 's/:.*//'
done | sort -u)
if ! TB_BUILD_DIR="$scratch/build" "$top/scripts/build.sh" --configure >"$scratch/configure.log" 2>&1; then
  cat "$scratch/configure.log" >&2
  fail "the run build does not configure"
else
  cache="$scratch/build/CMakeCache.txt"
  grep -Eq '^(GTest|benchmark)_DIR:PATH=/' "$cache" && fail "the run build looks for GoogleTest or Google Benchmark"
  while IFS= read -r program; do
    # A merged /usr keeps dpkg's record of /bin/x at /usr/bin/x.
    real=$(readlink -f "$program")
    owner=$(dpkg -S "$real" "${real#/usr}" 2>/dev/null | head -n1 | cut -d: -f1)
    grep -qx "${owner:-none}" <<<"$allowed" ||
      fail "the run build uses $program from ${owner:-no package}, which packages-run.txt does not bring"
  done < <(sed -n 's/^TB_[A-Z0-9_]*:FILEPATH=//p' "$cache")
fi

# What installing the run list brings along (deps.sh installs without
# recommends) holds no package of the test list, where the package lists of
# apt are there to tell.
if apt-cache show cmake >/dev/null 2>&1; then
  # shellcheck disable=SC2086
  closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances $run_list 2>/dev/null | grep -v '^ ' | sed 's/:.*//' | sort -u)
  for pkg in $test_list; do
    grep -qx "${pkg%%:*}" <<<"$closure" && fail "installing the run list brings $pkg along"
  done
fi

if [ "$failures" -eq 0 ]; then echo "package split: ok"; fi
exit $((failures > 0))
