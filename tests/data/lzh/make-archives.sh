#!/usr/bin/env bash
# Regenerates the archives in this folder: one per method and header level,
# made with ../../../../shared/tools/LzhMake.java (Debian's libjlha-java).
# Input: words.txt, ~20 KiB of text whose end repeats its start from ~14 KiB
# back (matches beyond the 8 KiB window of -lh5-), and sub/bytes.bin, every
# byte value. Usage: make-archives.sh  (run from anywhere)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tool=$(cd "$here/../../../.." && pwd)/shared/tools/LzhMake.java
jar=$(dpkg -L libjlha-java | grep 'jar$' | head -n1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$tool" "$work/" && javac -cp "$jar" -d "$work" "$work/LzhMake.java"
mkdir -p "$work/in/sub"
awk 'BEGIN { srand(7); split("alpha beta gamma delta lzh window match literal block tree code", w, " ");
             s = ""; while (length(s) < 14000) s = s w[int(rand() * 11) + 1] (rand() < 0.1 ? "\n" : " ");
             printf "%s%s", s, substr(s, 1, 6000) }' > "$work/in/words.txt"
awk 'BEGIN { for (i = 0; i < 256; i++) printf "%c", i }' LC_ALL=C > "$work/in/sub/bytes.bin"
cd "$work/in"
for m in lh0 lh1 lh4 lh5 lh6 lh7 lzs lz5; do
  for level in 0 1 2 3; do
    java -cp "$jar:$work" LzhMake "$here/${m}_h$level.lzh" "-$m-" "$level" words.txt sub/bytes.bin
  done
done

# large/: entries longer than the dictionary and than the native decoder's
# 32 KiB output chunks, so matches reach across both. big.txt is ~200 KiB of
# text with runs of a repeated character and of short repeated patterns
# (matches that overlap themselves at every distance below 8); big.bin ~48
# KiB of bytes of small entropy.
mkdir -p "$here/large"
awk 'BEGIN { srand(11); split("alpha beta gamma delta lzh window match literal block tree code", w, " ");
             s = ""; while (length(s) < 200000) {
               r = rand()
               if (r < 0.03) { p = substr("abcdefg", 1, int(rand() * 7) + 1); n = int(rand() * 300) + 2;
                               t = ""; while (length(t) < n) t = t p; s = s t }
               else s = s w[int(rand() * 11) + 1] (rand() < 0.1 ? "\n" : " ") }
             printf "%s", s }' > "$work/in/big.txt"
awk 'BEGIN { srand(13); for (i = 0; i < 49152; i++) printf "%c", (rand() < 0.5 ? int(rand() * 32) : i % 251) }' LC_ALL=C \
  > "$work/in/big.bin"
for m in lh4 lh5 lh6 lh7; do
  java -cp "$jar:$work" LzhMake "$here/large/big_$m.lzh" "-$m-" 2 big.txt big.bin
done

# large/overlaps_*.lzh: for every distance from 1 to 40, random characters
# repeated from that distance back for at least 40 bytes more, so that
# matches overlap themselves at every distance around those at which a
# decoder may copy 8 or 16 bytes at a time.
awk 'BEGIN { srand(17); for (d = 1; d <= 40; d++) {
               p = ""; for (i = 0; i < d; i++) p = p sprintf("%c", 33 + int(rand() * 94));
               t = ""; while (length(t) < 2 * d + 40) t = t p; printf "%s\n", t } }' > "$work/in/overlaps.txt"
for m in lh5 lh7; do
  java -cp "$jar:$work" LzhMake "$here/large/overlaps_$m.lzh" "-$m-" 2 overlaps.txt
done
