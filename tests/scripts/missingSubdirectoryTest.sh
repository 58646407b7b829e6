#!/usr/bin/env bash
# tb_add_subdirectories stops the configuration, naming the folder, when a
# listed folder has no CMakeLists.txt; the folders that have one are added.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src/present" "$work/src/empty"
echo 'message(STATUS "present added")' >"$work/src/present/CMakeLists.txt"
cat >"$work/src/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(SubdirectoriesProbe NONE)
include($top/cmake/subdirectories.cmake)
tb_add_subdirectories(\${TB_PROBE_FOLDERS})
CMAKE
if ! output=$(cmake -S "$work/src" -B "$work/present" -DTB_PROBE_FOLDERS=present 2>&1); then
  echo "a folder with its CMakeLists.txt failed the configuration:" >&2
  echo "$output" >&2
  exit 1
fi
grep -q "present added" <<<"$output" || { echo "the folder was not added" >&2; exit 1; }
if output=$(cmake -S "$work/src" -B "$work/empty" "-DTB_PROBE_FOLDERS=present;empty" 2>&1); then
  echo "a folder without CMakeLists.txt was passed over silently" >&2
  exit 1
fi
grep -q "src/empty has no CMakeLists.txt" <<<"$output" || {
  echo "the failure does not name the folder:" >&2
  echo "$output" >&2
  exit 1
}
