#!/usr/bin/env bash
# `ohmora FILE`, as the desktop starts it for a file double-clicked: the
# program itself, on its command line, run with --screenshot so that it
# draws the window once the file is open and ends. Each kind opens without
# a message and changes what the window shows; a missing file or a second
# file is told.
#   given_file.sh OHMORA PROGRAM-DIR WORK-DIR
set -euo pipefail
ohmora=$1 program_dir=$2 work=$3
rm -rf "$work"
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen
unset QT_SCALE_FACTOR QT_FONT_DPI
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

"$ohmora" --screenshot "$work/start.png"
exercise=rc-01-charge-constante-de-temps
# The exercise also under a name in lower case, beside its files.
mkdir -p "$work/copy"
cp "$program_dir/$exercise"-* "$work/copy/"
cp "$program_dir/$exercise.E34" "$work/copy/$exercise.e34"
for source in "$program_dir/$exercise.E34" "$program_dir/$exercise-enonce.P16" \
  "$program_dir/$exercise-corrige.rtf" "$work/copy/$exercise.e34"; do
  file=$(basename "$source")
  if ! "$ohmora" --screenshot "$work/$file.png" "$source" 2>"$work/$file.err"; then
    fail "ohmora $file failed: $(cat "$work/$file.err")"
  elif grep -q '^ohmora' "$work/$file.err"; then
    fail "ohmora $file told: $(cat "$work/$file.err")"
  elif cmp -s "$work/start.png" "$work/$file.png"; then
    fail "ohmora $file shows the window as it starts"
  fi
done

code=0
"$ohmora" --screenshot "$work/absent.png" "$work/absent.E34" 2>"$work/absent.err" || code=$?
[ "$code" -eq 1 ] || fail "a missing file ended with $code"
grep -q "impossible d'ouvrir ce fichier.*Nom de fichier incorrect" "$work/absent.err" ||
  fail "a missing file: $(cat "$work/absent.err")"
code=0
"$ohmora" --screenshot "$work/two.png" a.E34 b.E34 2>"$work/two.err" || code=$?
[ "$code" -eq 2 ] && grep -q "un seul fichier" "$work/two.err" ||
  fail "two files ended with $code: $(cat "$work/two.err")"
[ "$failures" -eq 0 ]
