#!/usr/bin/env bash
# dosbox-run.sh <folder> <batch file>
# Runs a DOS batch file in DOSBox, headless: <folder> becomes drive C:, the
# batch file (a name inside <folder>) runs there, then DOSBox quits.
# DOSBox's own exit status says nothing about the programs it ran, so batch
# files record what they need in files. DOSBox's shell opens the file of a
# redirection on an IF line even when the condition is false: record an
# errorlevel with IF ERRORLEVEL n GOTO label, and ECHO > FILE there. Start
# batch files with @ECHO OFF. One start-up costs most of a second (about
# 0.7 s here): put many program runs in one batch. TB_DOSBOX_TIMEOUT
# (seconds, default 300) ends a run that hangs.
set -euo pipefail
dir=$(cd "$1" && pwd)
batch=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/run.conf" <<CONF
[sdl]
output=surface
[dosbox]
memsize=16
[cpu]
core=dynamic
cycles=max
[mixer]
nosound=true
[speaker]
pcspeaker=false
tandy=off
[autoexec]
mount c "$dir"
c:
call $batch
exit
CONF
# HOME points at the scratch folder so DOSBox keeps its own settings file
# out of the user's home.
if ! HOME="$work" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
     timeout "${TB_DOSBOX_TIMEOUT:-300}" \
     dosbox -conf "$work/run.conf" -noconsole >"$work/log" 2>&1; then
  echo "dosbox-run.sh: DOSBox failed or timed out" >&2
  cat "$work/log" >&2
  exit 1
fi
