#!/usr/bin/env bash
# The kinds of file the installation declares, as a desktop reads them: its
# shared-mime-info package and the menu entry, put into an XDG tree of the
# check's own with the system's own MIME package (for RTF), brought up to
# date by update-mime-database and update-desktop-database. Files of each
# kind are then recognised (a configuration also by its content, whatever
# its name) and the menu entry is the one that opens them.
#   check_mime.sh INSTALLED-ROOT PROGRAM-DIR WORK-DIR
set -euo pipefail
root=$1 program_dir=$2 work=$3
for tool in update-mime-database update-desktop-database; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing (packages shared-mime-info, desktop-file-utils)"
    exit 77
  fi
done
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

rm -rf "$work"
data="$work/share"
mkdir -p "$data/mime/packages" "$data/applications" "$work/home" "$work/files"
package="$root/share/mime/packages/ohmora.xml"
entry="$root/share/applications/ohmora.desktop"
[ -f "$package" ] || { echo "FAIL: no $package" >&2; exit 1; }
cp "$package" "$data/mime/packages/"
cp /usr/share/mime/packages/freedesktop.org.xml "$data/mime/packages/"
cp "$entry" "$data/applications/"
# The tree of the check is the only one the tools and the library read.
export XDG_DATA_DIRS="$data" XDG_DATA_HOME="$work/home"

# A package the tool finds fault with is reported on standard error.
report=$(update-mime-database "$data/mime" 2>&1) || fail "update-mime-database failed: $report"
[ -z "$report" ] || fail "update-mime-database: $report"
update-desktop-database "$data/applications" || fail "update-desktop-database failed"

# Every kind the menu entry names is known, and the entry opens it.
kinds=$(sed -n 's/^MimeType=//p' "$entry" | tr ';' '\n' | sed '/^$/d')
[ -n "$kinds" ] || fail "the menu entry names no kind of file"
grep -q '^Exec=ohmora %f$' "$entry" || fail "the menu entry does not pass the file: $(grep ^Exec "$entry")"
for kind in $kinds; do
  grep -qxF "$kind" "$data/mime/types" || fail "$kind is not a known kind of file"
  grep -qE "^$kind=(.*;)?ohmora\.desktop;" "$data/applications/mimeinfo.cache" ||
    fail "the menu entry is not listed for $kind"
done

# Files of each kind, as the desktop's own library recognises them.
if command -v gio >/dev/null; then
  exercise=rc-01-charge-constante-de-temps
  cp "$program_dir/$exercise.E34" "$work/files/"
  cp "$program_dir/$exercise-enonce.P16" "$work/files/"
  cp "$program_dir/$exercise-enonce.P16" "$work/files/sans-extension"
  cp "$program_dir/$exercise-enonce.rtf" "$work/files/"
  cp "$program_dir/$exercise.E34" "$work/files/minuscules.e34"
  for pair in "$exercise.E34=application/x-ohmora-exercise" \
    "minuscules.e34=application/x-ohmora-exercise" \
    "$exercise-enonce.P16=application/x-ohmora-configuration" \
    "sans-extension=application/x-ohmora-configuration" \
    "$exercise-enonce.rtf=application/rtf"; do
    file=${pair%%=*} expected=${pair#*=}
    found=$(gio info -a standard::content-type "$work/files/$file" |
      sed -n 's/^ *standard::content-type: //p')
    [ "$found" = "$expected" ] || fail "$file is recognised as '$found', not $expected"
  done
else
  echo "gio is missing (package libglib2.0-bin): files not recognised"
fi
[ "$failures" -eq 0 ]
