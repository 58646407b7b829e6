#!/usr/bin/env bash
# Sets up this machine, builds, and starts Tollbrook2 with the given archives.
# Without a display the archives are converted at once (automatic run); with
# no archives either, the shipped samples are converted into out/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$top/scripts/deps.sh" run
"$top/scripts/build.sh"
program="$top/build/bin/tollbrook2"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" "$@"
fi
if [ $# -gt 0 ]; then
  exec "$program" --auto "$@"
fi
mkdir -p "$top/out"
echo "No display: converting the sample archives into $top/out" >&2
exec "$program" --auto --out="$top/out" "$top"/samples/*.lzh "$top"/samples/*.cab
