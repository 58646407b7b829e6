#!/usr/bin/env bash
# wine-run.sh <program.exe> [args...]
# Runs a Windows program under 32-bit Wine, headless, in one prefix shared by
# the whole test run (made on first use, under a lock so parallel tests wait
# for it). The program's exit status is passed through.
set -uo pipefail
: "${TB_WINEPREFIX:?set TB_WINEPREFIX to the prefix folder}"
export WINEPREFIX="$TB_WINEPREFIX" WINEARCH=win32 WINEDEBUG=-all \
       WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
) 9>"$WINEPREFIX.lock"
exec wine "$@"
