#!/usr/bin/env bash
# Fails when a program loads Qt Widgets or Qt PrintSupport.
#   no_widgets.sh PROGRAM
set -euo pipefail
libraries=$(ldd "$1")
grep -q 'libQt6Gui' <<<"$libraries" || { echo "FAIL: $1 does not load Qt Gui: is this ldd's output?" >&2; exit 1; }
if grep -E 'libQt6(Widgets|PrintSupport)' <<<"$libraries"; then
  echo "FAIL: $1 loads widgets" >&2
  exit 1
fi
