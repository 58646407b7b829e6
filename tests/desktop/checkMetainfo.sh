#!/usr/bin/env bash
# Checks the AppStream metainfo file: appstreamcli finds nothing to say about
# it in the source tree nor once installed beside the launcher it names (the
# one note allowed is that the id's reserved top-level domain is unknown to
# it), its latest release is the project's version, and it lists exactly the
# file types the launcher opens.
#   checkMetainfo.sh <metainfo> <launcher> <build folder> <scratch folder> <version>
set -euo pipefail
metainfo=$1 launcher=$2 build=$3 scratch=$4 version=$5
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

validate=(appstreamcli validate --no-net --strict --override=cid-maybe-not-rdns=pedantic)
"${validate[@]}" "$metainfo" || fail "appstreamcli finds fault with $metainfo"

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >"$scratch/install.log" 2>&1 ||
  { cat "$scratch/install.log"; exit 1; }
installed="$scratch/root/usr/share/metainfo/$(basename "$metainfo")"
[ -f "$installed" ] || fail "not installed: $installed"
"${validate[@]}" "$installed" || fail "appstreamcli finds fault with the installed $installed"
# The tree check also finds the launcher the listing names.
appstreamcli validate-tree --no-net --strict --override=cid-maybe-not-rdns=pedantic "$scratch/root" ||
  fail "appstreamcli finds fault with the installed tree"

latest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -1 | cut -d'"' -f2)
[ "$latest" = "$version" ] || fail "the latest release is $latest, the project's version $version"

listed=$(grep -o '<mediatype>[^<]*' "$metainfo" | cut -d'>' -f2 | sort)
opened=$(sed -n 's/^MimeType=//p' "$launcher" | tr ';' '\n' | sed '/^$/d' | sort)
[ "$listed" = "$opened" ] || fail "the listing's file types ($listed) are not the launcher's ($opened)"

exit $failed
