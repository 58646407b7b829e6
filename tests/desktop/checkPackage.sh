#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it as apt would meet
# it: lintian finds nothing to report, the files it installs, the dependencies
# it declares, that man and bash find its manual pages and completion, and
# that the program it unpacks converts an archive.
#   checkPackage.sh <cpack> <build folder> <scratch folder> <sample .lzh>
set -euo pipefail
cpack=$1 build=$2 scratch=$3 sample=$4
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
debs=("$scratch"/tollbrook2_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "no single tollbrook2 .deb made"; exit 1; }
deb=${debs[0]}
failed=0
fail() { echo "FAIL: $*"; failed=1; }

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in \
  ./usr/bin/tollbrook2 \
  ./usr/lib/tollbrook2/tollbrook2-worker \
  ./usr/lib/tollbrook2/libunlha32.so \
  ./usr/lib/tollbrook2/libcab32.so \
  ./usr/lib/tollbrook2/sfx/ \
  ./usr/share/applications/tollbrook2.desktop \
  ./usr/share/metainfo/invalid.packages.tollbrook2.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/tollbrook2.svg \
  ./usr/share/tollbrook2/manual/manual.html \
  ./usr/share/tollbrook2/manual/manual-en.html \
  ./usr/share/tollbrook2/manual/manual.css \
  ./usr/share/doc/tollbrook2/copyright \
  ./usr/share/doc/tollbrook2/changelog.gz \
  ./usr/share/man/man1/tollbrook2.1.gz \
  ./usr/share/man/man1/tb-sfx-lzh.1.gz \
  ./usr/share/bash-completion/completions/tollbrook2 \
  ./usr/share/bash-completion/completions/tb-sfx-lzh \
  ./usr/share/zsh/vendor-completions/_tollbrook2; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
grep -q '^./usr/share/tollbrook2/manual/images/manual-.*\.png$' <<<"$contents" ||
  fail "the package has no screenshots for the manual"
# Nothing of the build or the tests rides along.
if grep -E 'gtest|gmock|benchmark|Test$|/include/' <<<"$contents"; then
  fail "the package holds test or development files"
fi

depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libisal2 libmspack0 libqt6svg6 fonts-ipafont-mincho; do
  grep -qw "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
[ "$(dpkg-deb --field "$deb" Package)" = tollbrook2 ] || fail "package name"

# What a Debian maintainer checks first: no error, no warning. (lintian says
# on standard error that it runs as root; that is no finding.)
if ! findings=$(lintian --fail-on error,warning "$deb" 2>&1); then
  fail "lintian reports:"
  grep -v '^running with root privileges' <<<"$findings"
fi
[ "$(dpkg-deb --field "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"

# Unpacked anywhere, the program finds its libraries beside it and converts.
root="$scratch/root"
dpkg-deb --extract "$deb" "$root"

# "Open with Tollbrook2" on the three archive types of the file managers.
launcher="$root/usr/share/applications/tollbrook2.desktop"
for type in application/x-lha application/x-lzh-compressed application/vnd.ms-cab-compressed; do
  grep -q "^MimeType=.*$type;" "$launcher" || fail "the launcher does not open $type"
done
grep -q '^Exec=tollbrook2 %F$' "$launcher" || fail "the launcher does not hand over the files it opens"
# The changelog's latest entry is this version.
version=$(dpkg-deb --field "$deb" Version)
changelog="$root/usr/share/doc/tollbrook2/changelog.gz"
zcat "$changelog" | head -1 | grep -qF "tollbrook2 ($version) " ||
  fail "the changelog's latest entry is not version $version: $(zcat "$changelog" | head -1)"

# man finds both pages where the package puts them, and bash-completion's
# loader the completion of both programs.
for program in tollbrook2 tb-sfx-lzh; do
  [ "$(MANPATH="$root/usr/share/man" man -w "$program")" = "$root/usr/share/man/man1/$program.1.gz" ] ||
    fail "man does not find the page of $program"
  loaded=$(XDG_DATA_DIRS="$root/usr/share" bash -c \
    '. /usr/share/bash-completion/bash_completion && __load_completion "$1" && complete -p "$1"' - "$program")
  grep -q "^complete -F _" <<<"$loaded" || fail "bash-completion loads no completion for $program"
done

out="$scratch/out"
mkdir -p "$out"
HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" QT_QPA_PLATFORM=offscreen \
  "$root/usr/bin/tollbrook2" --auto --kind=win32 --out="$out" "$sample" >"$scratch/run.log" 2>&1 ||
  { cat "$scratch/run.log"; fail "the unpacked program did not convert $sample"; }
ls "$out"/*.EXE >/dev/null 2>&1 || fail "no self-extractor written by the unpacked program"

exit $failed
