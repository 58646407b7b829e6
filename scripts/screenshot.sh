#!/usr/bin/env bash
# Takes the pictures of the documentation on a private X server (no display
# needed), in Japanese and in English (the English ones named *-en.png): the
# README's picture of the desk, docs/images/desk.png (sample archives, one
# run, the desk's window), and the user manual's, docs/images/manual-*.png
# (the desk and each dialog of the menu). It also takes the desk at its
# default size, maximised and at scale factors 1.5 and 2 into
# build/screenshots/, to be looked at after a change of the layout.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/deps.sh" run test
"$top/scripts/build.sh"
mkdir -p "$top/docs/images"
common=(--program "$top/build/bin/tollbrook2" --samples "$top/samples"
        --artifacts "$top/build/tests/e2e/gui/artifacts")
for lang in ja en; do
  suffix=$([ "$lang" = ja ] || printf -- '-%s' "$lang")
  /usr/bin/python3 "$top/tests/e2e/gui/deskScreenshot.py" "${common[@]}" --lang "$lang" \
    --out "$top/docs/images/desk$suffix.png"
  /usr/bin/python3 "$top/tests/e2e/gui/manualScreenshots.py" "${common[@]}" --lang "$lang" --out "$top/docs/images"
  /usr/bin/python3 "$top/tests/e2e/gui/deskSizesScreenshots.py" "${common[@]}" --lang "$lang" \
    --out "$top/build/screenshots"
done
