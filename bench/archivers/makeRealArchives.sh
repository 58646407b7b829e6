#!/usr/bin/env bash
# Makes the real-archive workloads of realArchiveBench in folder OUT, each only
# when it is not there yet (a second run remakes nothing):
#   large-lh7.lzh, large-lh5.lzh  every file of /usr/include (C headers, ~130 MB)
#   large.cab                     the same files, MSZIP (gcab)
#   large-folders.cab             the same files, MSZIP, a folder for about
#                                 every 4 MB of them, as cabinet makers
#                                 that limit a folder's size write them
#   batch/NNNN.lzh                1000 archives of 4 to 7 members each,
#                                 -lh5-/-lh6-/-lh7- in turn, text (header
#                                 slices) and binary (slices of shared
#                                 libraries), ~180 KB each
# Usage: makeRealArchives.sh OUT LZHMAKE.java [large|cab|cab-folders|batch|all]
set -euo pipefail
out=$1
lzhmake=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
jar=$(dpkg -L libjlha-java | grep 'jar$' | head -n1)
export LC_ALL=C

java_tools() {
  if [ ! -f "$out/tools/LzhMakeMany.class" ]; then
    mkdir -p "$out/tools"
    install -m 644 "$lzhmake" "$here/LzhMakeMany.java" "$out/tools/"
    javac -cp "$jar" -d "$out/tools" "$out/tools/LzhMake.java" "$out/tools/LzhMakeMany.java"
  fi
}

# Headers: the tree of /usr/include, sorted, so the archive is the same on
# every machine with the same packages.
headers() {
  (cd /usr/include && find . -type f | sed 's|^\./||' | sort) > "$out/headers.txt"
}

make_large() { # method
  local archive="$out/large-$1.lzh"
  [ -f "$archive" ] && return
  java_tools
  headers
  (echo "$archive.part -$1- 2 $(tr '\n' ' ' < "$out/headers.txt")") |
    (cd /usr/include && java -cp "$jar:$out/tools" LzhMakeMany)
  mv "$archive.part" "$archive"
}

make_cab() {
  local archive="$out/large.cab"
  [ -f "$archive" ] && return
  headers
  # one gcab call for every file (-x: fail rather than split the list)
  (cd /usr/include && xargs -x -s 2000000 -d "\n" gcab -c -z "$archive.part" < "$out/headers.txt")
  mv "$archive.part" "$archive"
}

make_cab_folders() {
  local archive="$out/large-folders.cab"
  [ -f "$archive" ] && return
  headers
  rm -rf "$out/folders" && mkdir -p "$out/folders"
  # the header list cut into groups of about 4 MB; gcab makes a cabinet of
  # each, joined into one of as many folders
  (cd /usr/include && xargs -d '\n' stat -c '%s %n' < "$out/headers.txt") |
    awk -v dir="$out/folders" '{
        if (bytes == 0 || bytes + $1 > 4000000) { group++; bytes = 0 }
        bytes += $1
        name = $0; sub(/^[0-9]+ /, "", name)
        print name > sprintf("%s/%03d.txt", dir, group)
      }'
  for list in "$out"/folders/*.txt; do
    (cd /usr/include && xargs -x -s 2000000 -d "\n" gcab -c -z "${list%.txt}.cab" < "$list")
  done
  /usr/bin/python3 "$here/../../tests/support/joinCabinets.py" "$archive.part" "$out"/folders/*.cab
  rm -rf "$out/folders"
  mv "$archive.part" "$archive"
}

# The batch: a pool of 240 member files (text from the headers, binary from
# shared libraries, 8 to 64 KB each), 1000 archives picking from it.
make_batch() {
  [ -f "$out/batch/done" ] && return
  java_tools
  headers
  rm -rf "$out/batch" "$out/pool"
  mkdir -p "$out/batch" "$out/pool"
  sed -n '1~7p' "$out/headers.txt" | (cd /usr/include && xargs -d '\n' cat) > "$out/text.all"
  # (head stops cat early: that is no failure)
  (find /usr/lib/x86_64-linux-gnu -maxdepth 1 -type f -name '*.so*' | sort | xargs cat 2>/dev/null || true) |
    head -c 32000000 > "$out/binary.all"
  awk 'BEGIN {
      srand(21)
      for (i = 0; i < 240; i++)
        printf "%s %d %d\n", (i % 3 == 2) ? "binary" : "text", i, int(8192 + rand() * 57344)
    }' > "$out/pool.txt"
  local text_bytes binary_bytes
  text_bytes=$(stat -c %s "$out/text.all")
  binary_bytes=$(stat -c %s "$out/binary.all")
  while read -r kind index size; do
    local total=$text_bytes
    [ "$kind" = binary ] && total=$binary_bytes
    local skip=$(( (index * 7919 * 4096) % (total - size) ))
    dd if="$out/$kind.all" of="$out/pool/$kind$index.dat" bs=65536 iflag=skip_bytes,count_bytes \
      skip="$skip" count="$size" status=none
  done < "$out/pool.txt"
  awk 'BEGIN {
      srand(7)
      split("lh5 lh6 lh7", m, " ")
      for (a = 0; a < 1000; a++) {
        line = sprintf("../batch/%04d.lzh -%s- 2", a, m[a % 3 + 1])
        delete taken
        for (k = 4 + a % 4; k > 0; k--) {
          do i = int(rand() * 240); while (i in taken)
          taken[i] = 1
          line = line " " ((i % 3 == 2) ? "binary" : "text") i ".dat"
        }
        print line
      }
    }' > "$out/batch.txt"
  (cd "$out/pool" && java -cp "$jar:$out/tools" LzhMakeMany < "$out/batch.txt")
  rm -f "$out/text.all" "$out/binary.all"
  touch "$out/batch/done"
}

case "${3:-all}" in
  large) make_large lh7; make_large lh5 ;;
  cab) make_cab ;;
  cab-folders) make_cab_folders ;;
  batch) make_batch ;;
  all) make_large lh7; make_large lh5; make_cab; make_cab_folders; make_batch ;;
esac
