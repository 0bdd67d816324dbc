#!/usr/bin/env bash
# Runs the installed programs, moved away from where they were installed
# and from the build: they must find the program directory in their own
# share/ohmora, read the exercises and the guide from it, and leave it as
# it was.
#   check_installed.sh TREE BUILD-PROGRAM-DIR
set -euo pipefail
tree=$1 program_dir=$2
root=$(realpath "$tree/moved")
data="$root/share/ohmora"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Width and height of a PNG file, from its header.
png_size() {
  local bytes
  bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' \n' ' ')
  read -r w3 w2 w1 w0 h3 h2 h1 h0 <<<"$bytes"
  echo "$(((w3 << 24) + (w2 << 16) + (w1 << 8) + w0))x$(((h3 << 24) + (h2 << 16) + (h1 << 8) + h0))"
}

# A runtime directory of the checks' own: Qt warns without one.
export XDG_RUNTIME_DIR="$tree/runtime"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
unset QT_SCALE_FACTOR QT_FONT_DPI

# The program's data, all of it and nothing else.
expected=$(cd "$program_dir" && ls | grep -vx -e ohmora -e ohmora-cli -e ohmora-metafile -e BREVANE.TMP | sort)
installed=$(cd "$data" && ls | grep -vx ohmora-capture.png | sort)
[ "$expected" = "$installed" ] ||
  fail "share/ohmora differs from the build's program directory:
$(diff <(echo "$expected") <(echo "$installed") || true)"
[ ! -e "$root/bin/ohmora.PEM" ] || fail "the guide is beside the installed programs"

# Nothing of the installed programs points into the build.
for program in bin/ohmora bin/ohmora-cli libexec/ohmora/ohmora-metafile; do
  if readelf -d "$root/$program" | grep -qE 'RPATH|RUNPATH'; then
    fail "$program has a run path: $(readelf -d "$root/$program" | grep -E 'RPATH|RUNPATH')"
  fi
done
# The helper that reads WMF and EMF pictures answers a request with no
# picture in it (an empty input) by nothing.
helper="$root/libexec/ohmora/ohmora-metafile"
[ -x "$helper" ] || fail "no helper $helper"
[ -z "$("$helper" </dev/null)" ] || fail "the helper answered an empty request"

# The batch runner opens the guide and an exercise from there.
state=$("$root/bin/ohmora-cli" run --guide --state) || fail "ohmora-cli run --guide failed"
grep -qxF "fich	$data/ohmora.PEM" <<<"$state" || fail "guide not opened from $data: $state"
grep -qxF "dossierexo	$data/" <<<"$state" || fail "program directory not $data: $state"
exercise="$data/rlc-01-oscillations-libres.E34"
state=$("$root/bin/ohmora-cli" run --exercise "$exercise" --correction --state --caption) ||
  fail "ohmora-cli run --exercise failed"
grep -qxF "Ohmora - $data/rlc-01-oscillations-libres-corrige.P16" <<<"$state" ||
  fail "the correction's configuration not opened: $state"
preview=$("$root/bin/ohmora-cli" exercise "$data/rc-01-charge-constante-de-temps.E34") ||
  fail "ohmora-cli exercise failed"
grep -qxF "titre	Constante de temps d'un dipôle RC" <<<"$preview" ||
  fail "exercise preview: $preview"

# The window starts and draws itself.
rm -f "$tree/window.png"
"$root/bin/ohmora" --screenshot "$tree/window.png" || fail "ohmora --screenshot failed"
if [ -f "$tree/window.png" ]; then
  [ "$(png_size "$tree/window.png")" = 800x600 ] ||
    fail "window picture of $(png_size "$tree/window.png")"
fi
[ "$(png_size "$data/ohmora-capture.png")" = 800x600 ] || fail "installed screenshot size"
[ ! -e "$data/BREVANE.TMP" ] || fail "a marker file was left in $data"

# Each icon of the theme has the size of its directory.
for dir in "$root"/share/icons/hicolor/*x*; do
  size=$(basename "$dir")
  [ "$(png_size "$dir/apps/ohmora.png")" = "$size" ] || fail "icon of $size is $(png_size "$dir/apps/ohmora.png")"
done
count=$(ls -d "$root"/share/icons/hicolor/*x* | wc -l)
[ "$count" -eq 8 ] || fail "$count bitmap sizes of the icon instead of 8"
grep -q '<svg ' "$root/share/icons/hicolor/scalable/apps/ohmora.svg" || fail "no scalable icon"

[ "$failures" -eq 0 ]
