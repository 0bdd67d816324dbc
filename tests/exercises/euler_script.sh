#!/usr/bin/env bash
# The Python program of the Euler exercise, run as the statement asks with
# Debian's python3 and NumPy on the recording ohmora-cli exports from the
# exercise's configuration (French CSV, then international): it must print
# the figures the correction states.
#   euler_script.sh OHMORA-CLI PROGRAM-DIR
set -euo pipefail
cli=$1
dir=$2
python=/usr/bin/python3
"$python" -c 'import numpy' 2>/dev/null || {
  echo "FAIL: Debian's python3-numpy is missing (scripts/setup.sh)"
  exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
expect() { # OUTPUT TEXT
  grep -qF -- "$2" <<<"$1" || {
    echo "FAIL: no « $2 » in:"
    echo "$1"
    failures=$((failures + 1))
  }
}
for format in fr intl; do
  "$cli" run --dir "$dir" --exercise "$dir/rc-09-euler-python.E34" --switch 1 --until-end \
    --csv-format "$format" --csv "$work/charge.csv"
  out=$(cd "$work" && "$python" "$dir/rc-09-euler.py" charge.csv)
  expect "$out" "Pas d'Euler : 2,5 ms"
  expect "$out" "Écart maximal entre Euler et l'enregistrement : 0,0279 V à t = 100 ms"
  out=$(cd "$work" && "$python" "$dir/rc-09-euler.py" charge.csv 2)
  expect "$out" "Pas d'Euler : 1,25 ms"
  expect "$out" "Écart maximal entre Euler et l'enregistrement : 0,0139 V à t = 100 ms"
done
# A file that is no recording: a message, no trace-back.
echo "pas un enregistrement" >"$work/autre.csv"
if err=$("$python" "$dir/rc-09-euler.py" "$work/autre.csv" 2>&1); then
  echo "FAIL: a file without the columns was accepted"
  failures=$((failures + 1))
fi
expect "$err" "Impossible de lire"
[ "$failures" -eq 0 ] && echo "OK"
