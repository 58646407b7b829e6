#!/usr/bin/env bash
# Holds a manual page to its program: the options and the exit statuses the
# page lists are exactly those --help prints, and man renders the page
# without a warning (as lintian checks it).
#   checkManualPage.sh <page, gzipped> <command that prints the --help text...>
set -euo pipefail
page=$1
shift
. "$(dirname "${BASH_SOURCE[0]}")/../support/helpText.sh"
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# The tag of each .TP entry in one section, read as HelpOptions reads an
# option line (font escapes and \- taken out first).
PageTags() {
  zcat "$page" | awk -v want="$1" '
    /^\.SH/ { name = $0; sub(/^\.SH +/, "", name); gsub(/"/, "", name); s = (name == want); next }
    s && /^\.TP/ { tag = 1; next }
    s && tag {
      tag = 0; t = $0
      sub(/^\.[A-Z]+ +/, "", t); gsub(/\\f[BIRP]/, "", t); gsub(/\\-/, "-", t); gsub(/"/, "", t)
      split(t, w, " "); o = w[1]; sub(/,$/, "", o); sub(/=.*/, "=", o); print o
    }'
}

help=$("$@")
Compare() { # <what> <listed by --help> <listed on the page>
  [ -n "$2" ] || fail "--help lists no $1"
  [ -n "$3" ] || fail "the page lists no $1"
  local only
  only=$(comm -23 <(sort <<<"$2") <(sort <<<"$3") | tr '\n' ' ')
  [ -z "$only" ] || fail "$1 in --help but not on the page: $only"
  only=$(comm -13 <(sort <<<"$2") <(sort <<<"$3") | tr '\n' ' ')
  [ -z "$only" ] || fail "$1 on the page but not in --help: $only"
}
Compare options "$(HelpOptions <<<"$help")" "$(PageTags OPTIONS)"
Compare "exit statuses" "$(HelpStatuses <<<"$help")" "$(PageTags "EXIT STATUS")"

warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man warns about the page: $warnings"
exit $failed
