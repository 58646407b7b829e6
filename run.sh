#!/usr/bin/env bash
# Sets up this machine, builds, and starts Tollbrook2 with the given archives.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh"
exec "$top/build/bin/tollbrook2" "$@"
