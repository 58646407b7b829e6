# Reads what a program's --help prints (on standard input); sourced by the
# tests that hold the manual pages and the completion to it.
#   "Options:" then lines "  -x ..." or "  --name=VALUE ...", up to a line
#   that is blank or not indented; "Exit status:" then lines "  N  ...".

# The options, one a line: the first word of each option line, with a
# value's placeholder left out ("--kind=KIND" gives "--kind=").
HelpOptions() {
  awk '/^Options:/ { s = 1; next }
       /^$|^[^ ]/ { s = 0 }
       s && /^  [-\/]/ { o = $1; sub(/,$/, "", o); sub(/=.*/, "=", o); print o }'
}

# The exit statuses, one a line.
HelpStatuses() {
  awk '/^Exit status:/ { s = 1; next }
       /^$|^[^ ]/ { s = 0 }
       s && /^  [0-9]+ / { print $1 }'
}
