#!/usr/bin/env bash
# The manual pages and the programs' usage texts name the same options, and
# each command of ohmora-cli has its entry in the pages.
#   manual_options.sh OHMORA-CLI OHMORA MAN-DIR
set -euo pipefail
cli=$1 window=$2 man_dir=$3
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

long_options() {
  grep -oE -- '--[a-z][a-z0-9-]*' | sort -u
}
# The page's text without roff comments, escapes of hyphens and font changes.
page_text() {
  grep -vE "^(\.|')\\\\\"" "$1" | sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g'
}
compare() { # what, usage options, page
  local missing extra
  missing=$(comm -23 <(echo "$2") <(page_text "$3" | long_options))
  extra=$(comm -13 <(echo "$2") <(page_text "$3" | long_options))
  [ -z "$missing" ] || fail "$3 lacks options of $1: $(echo $missing)"
  [ -z "$extra" ] || fail "$3 names options that $1 does not have: $(echo $extra)"
}

usage=$("$cli" --help)
cli_options=$(long_options <<<"$usage")
commands=$(sed -nE 's/^(Usage[^:]*:)? *ohmora-cli ([a-z][a-z-]*).*/\2/p' <<<"$usage" | sort -u)
[ -n "$commands" ] || fail "no command found in the usage of ohmora-cli"
# The window prints its usage on a wrong command line.
window_usage=$(QT_QPA_PLATFORM=offscreen "$window" -unknown-argument 2>&1 >/dev/null || true)
window_options=$(long_options <<<"$window_usage")
[ -n "$window_options" ] || fail "no option found in the usage of ohmora: $window_usage"

for page in "$man_dir/ohmora-cli.1" "$man_dir/fr/ohmora-cli.1"; do
  compare ohmora-cli "$cli_options" "$page"
  for command in $commands; do
    grep -qE "^\.BI? \"?$command( |\"|$)" "$page" || fail "$page has no entry for command $command"
  done
done
for page in "$man_dir/ohmora.1" "$man_dir/fr/ohmora.1"; do
  compare ohmora "$window_options" "$page"
done
[ "$failures" -eq 0 ]
