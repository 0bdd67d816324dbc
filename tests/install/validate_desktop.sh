#!/usr/bin/env bash
# The menu entry as the desktops read it: desktop-file-validate reports
# neither an error nor a warning (its hints are shown).
#   validate_desktop.sh FILE.desktop
set -euo pipefail
if ! command -v desktop-file-validate >/dev/null; then
  echo "SKIP: desktop-file-validate is missing (package desktop-file-utils)"
  exit 77
fi
report=$(desktop-file-validate "$1" 2>&1) || {
  echo "$report"
  exit 1
}
echo "$report"
! grep -qE ': (error|warning): ' <<<"$report"
