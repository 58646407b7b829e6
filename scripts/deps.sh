#!/usr/bin/env bash
# Installs the missing Debian packages of the named lists: `run` is
# scripts/packages-run.txt (building and running), `test` is
# scripts/packages-test.txt (the test suite and benchmarks, on top of `run`).
# Without a list name it installs `run`. Says nothing when everything is there.
#   --dry-run   print the missing packages, one a line, and install nothing
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

dry_run=false
lists=()
for arg in "$@"; do
  case "$arg" in
    --dry-run) dry_run=true ;;
    -*) echo "deps.sh: unknown option $arg" >&2; exit 2 ;;
    *)
      if [ ! -f "$here/packages-$arg.txt" ]; then
        echo "deps.sh: no package list $here/packages-$arg.txt" >&2
        exit 2
      fi
      lists+=("$here/packages-$arg.txt") ;;
  esac
done
[ ${#lists[@]} -eq 0 ] && lists=("$here/packages-run.txt")

missing=()
while read -r pkg _; do
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done < <(cat "${lists[@]}")

if $dry_run; then
  [ ${#missing[@]} -eq 0 ] || printf '%s\n' "${missing[@]}"
  exit 0
fi
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
   ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
echo "Installing ${#missing[@]} packages: ${missing[*]}" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
