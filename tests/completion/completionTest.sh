#!/usr/bin/env bash
# The bash completion of both programs, run by bash-completion's own helpers
# as Tab would run it: each case gives the words of a command line as bash
# splits them ("=" a word of its own) and the words offered for the last one.
#   completionTest.sh <bash-completion's bash_completion> <completion folder>
#                     <tollbrook2> <tb-sfx-lzh>
set -uo pipefail
framework=$1 completions=$2 tollbrook2=$3 sfxlzh=$4
. "$framework"
. "$completions/tollbrook2"
. "$completions/tb-sfx-lzh"
. "$(dirname "${BASH_SOURCE[0]}")/../support/helpText.sh"
# Only a completion in progress may change its options; outside one there is
# nothing to change.
compopt() { :; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
touch a.lzh B.LZH c.Cab d.txt e.exe f.x g.lha h.lzh.txt -- --x.lzh
mkdir sub
export LC_ALL=C

# Complete <function> <word>|<word>|...: what the function offers for the
# last word, sorted, on one line.
Complete() {
  IFS='|' read -ra COMP_WORDS <<<"$2"
  [[ $2 == *'|' ]] && COMP_WORDS+=('')
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  # The line as typed: no blank around "=".
  COMP_LINE=${2//|=|/=}
  COMP_LINE=${COMP_LINE//|/ }
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  "$1" "${COMP_WORDS[0]}" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

# What --help lists, for the options a leading "-" is completed to ("/U"
# stands alone and is not offered).
options=$("$tollbrook2" --help | HelpOptions | grep '^-' | sort | tr '\n' ' ' | sed 's/ $//')
sfxOptions=$("$sfxlzh" --help | HelpOptions | sort | tr '\n' ' ' | sed 's/ $//')
archives='--x.lzh B.LZH a.lzh c.Cab e.exe f.x g.lha sub'
lzhFiles='--x.lzh B.LZH a.lzh e.exe f.x g.lha sub'

failed=0
while IFS=$'\t' read -r function words expected; do
  [ -n "$function" ] || continue
  got=$(Complete "$function" "$words")
  if [ "$got" != "$expected" ]; then
    echo "FAIL: ${words//|/ } offers \"$got\", expected \"$expected\""
    failed=1
  fi
done <<EOF2
_tollbrook2	tollbrook2|	$archives
_tollbrook2	tollbrook2|-	$options
_tollbrook2	tollbrook2|--k	--kind=
_tollbrook2	tollbrook2|--kind|=|	dos win16 win32
_tollbrook2	tollbrook2|--kind|=|w	win16 win32
_tollbrook2	tollbrook2|--lang|=|	en ja
_tollbrook2	tollbrook2|--jobs|=|	
_tollbrook2	tollbrook2|--out|=|	sub
_tollbrook2	tollbrook2|--auto|--out|=|s	sub
_tollbrook2	tollbrook2|--auto|a	a.lzh
_tollbrook2	tollbrook2|--|--	--x.lzh
_tb_sfx_lzh	tb-sfx-lzh|	$lzhFiles
_tb_sfx_lzh	tb-sfx-lzh|-	$sfxOptions
_tb_sfx_lzh	tb-sfx-lzh|-o|	sub
_tb_sfx_lzh	tb-sfx-lzh|-y|-t|e	e.exe
EOF2
[ -n "$options" ] && [ -n "$sfxOptions" ] || { echo "FAIL: --help lists no options"; failed=1; }

# The zsh completion describes the same options (but "--", which zsh's
# option parser handles itself): its option specs, per program.
ZshOptions() {
  awk -v program="$1" '
    /^  [a-z0-9-]+\)$/ { s = ($1 == program ")"); next }
    s && /^ +\x27(\([^)]*\))?-/ {
      o = $0; sub(/^ +\x27(\([^)]*\))?/, "", o); sub(/[[+].*/, "", o); print o
    }' "$completions/_tollbrook2" | sort | tr '\n' ' ' | sed 's/ $//'
}
for program in tollbrook2 tb-sfx-lzh; do
  [ $program = tollbrook2 ] && want=${options/#-- /} || want=$sfxOptions
  got=$(ZshOptions $program)
  [ "$got" = "$want" ] || { echo "FAIL: zsh offers \"$got\" for $program, --help lists \"$want\""; failed=1; }
done
exit $failed
