#!/usr/bin/env bash
# Each manual page renders without a warning of man or groff.
#   render_manuals.sh PAGE...
set -euo pipefail
if ! command -v man >/dev/null; then
  echo "SKIP: man is missing (package man-db)"
  exit 77
fi
failures=0
for page in "$@"; do
  for locale in C.UTF-8 C; do
    warnings=$(LC_ALL=$locale MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || {
      echo "FAIL: man cannot render $page" >&2
      failures=$((failures + 1))
    }
    if [ -n "$warnings" ]; then
      echo "FAIL: $page under $locale:" >&2
      echo "$warnings" >&2
      failures=$((failures + 1))
    fi
  done
done
[ "$failures" -eq 0 ]
