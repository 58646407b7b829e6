#!/usr/bin/env bash
# wine-run.sh <program.exe> [args...]
# Runs a Windows program under 32-bit Wine, headless, in one prefix shared by
# the whole test run (made on first use, under a lock so parallel tests wait
# for it). With TB_WINE_VERSION (win95, nt40, ...) the program runs in a
# prefix of its own for that version, made once too, where Wine reports that
# Windows version to programs. The program's exit status is passed through.
# Wine's own messages are off; TB_WINEDEBUG, when set, is WINEDEBUG of the program
# (+relay shows what a 16-bit program hands to Windows, its message boxes'
# texts among it).
set -uo pipefail
: "${TB_WINEPREFIX:?set TB_WINEPREFIX to the prefix folder}"
prefix=$TB_WINEPREFIX
version=${TB_WINE_VERSION:-}
[ -n "$version" ] && prefix="$TB_WINEPREFIX-$version"
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all \
       WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/tb-made" ]; then
    [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
    if [ -n "$version" ] && ! wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1; then
      echo "wine-run.sh: cannot set the Windows version $version in $WINEPREFIX" >&2
      exit 125
    fi
    wineserver -w
    touch "$WINEPREFIX/tb-made"
  fi
) 9>"$WINEPREFIX.lock" || exit
WINEDEBUG=${TB_WINEDEBUG:--all} exec wine "$@"
