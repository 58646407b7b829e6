#!/usr/bin/env bash
# sfxNamingTest.sh [clang-tidy program]
# Fails, naming each place, when a function, variable or parameter of the
# self-extractor stubs' C is not snake_case (archivers/sfx/.clang-tidy).
# Every stub source clang can parse is checked: the shared parts and the
# 16-bit ones natively, the Win32 ones for the mingw-w64 target with its
# headers. The 16-bit sources with bcc's inline assembly (#asm) and far
# pointers cannot be parsed and are left out.
set -euo pipefail
tidy=${1:-clang-tidy-14}
cd "$(dirname "${BASH_SOURCE[0]}")/../../archivers/sfx"
status=0
"$tidy" --quiet common/*.c lzh/lzhdec.c dos/dosmain.c dos/lzh16.c dos/names83.c dos/sfx16.c dos/sfxargs.c \
  -- -std=c89 -Ilzh -Icommon -Idos || status=1
mingw=(-- --target=i686-w64-mingw32 -std=c99 -isystem /usr/i686-w64-mingw32/include -Ilzh)
"$tidy" --quiet win32/common/*.c win32/cab/*.c "${mingw[@]}" || status=1
"$tidy" --quiet win32/lzh/*.c "${mingw[@]}" -DW32_ANSI_ONLY || status=1
exit $status
