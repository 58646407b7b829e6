#!/usr/bin/env bash
# Takes the README's picture of the desk, docs/images/desk.png, on a private
# X server (no display needed): sample archives, one run, the desk's window.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/deps.sh" run test
"$top/scripts/build.sh"
mkdir -p "$top/docs/images"
exec /usr/bin/python3 "$top/tests/e2e/gui/deskScreenshot.py" \
  --program "$top/build/bin/tollbrook2" --samples "$top/samples" \
  --artifacts "$top/build/tests/e2e/gui/artifacts" --out "$top/docs/images/desk.png"
