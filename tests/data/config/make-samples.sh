#!/usr/bin/env bash
# Writes the sample configuration files byte by byte, as the program's
# record-file writer on another installation lays them out: each record at
# (n - 1) x 128, a 16-bit little-endian length and the text, the gaps
# between records filled with zero bytes, the last record ending with its
# text (a fresh file grows record by record). Run it from this folder.
set -euo pipefail

# record FILE N TEXT (TEXT in Windows-1252 octal escapes where needed)
record() {
  local file=$1 n=$2 text=$3
  local bytes
  bytes=$(printf -- "$text" | wc -c)
  local offset=$(( (n - 1) * 128 ))
  printf "\\$(printf %03o $((bytes & 255)))\\$(printf %03o $((bytes >> 8)))" |
    dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
  printf -- "$text" | dd of="$file" bs=1 seek=$((offset + 2)) conv=notrunc status=none
}

# config FILE then 33 record texts
config() {
  local file=$1
  shift
  rm -f "$file"
  local n=1
  for text in "$@"; do
    record "$file" "$n" "$text"
    n=$((n + 1))
  done
}

# The RLC oscillations of a class: montage 1, "2 s", red current, the
# voltage boxes of montage 1 changed, u_C and u_b ticked, trigger at 2.
config tp-oscillations.P16 CAPA \
  " 32768" " 255" " 16711935" " 8388608" " 16711680" " 33023" " 8421376" \
  " 2" " 1" \
  "6" "33" "220" "100" "9" "47" "1 000" "12" "400" "8,5" "6" "200" "5" "10" \
  " 0" "1" " 0" "1" " 0" " 0" " 0" "1" " 0"

# A charge saved when no montage was chosen in the list, with a parameter
# text holding an accented letter typed before validation (octal \351 is
# "é" in Windows-1252) and unusual padding: the sustained option ticked.
config tp-sans-montage.P16 CAPA \
  " 32768" " 255" " 16711935" " 8388608" " 16711680" " 33023" " 8421376" \
  "-2" "-1" \
  "4,5" "2 200" "47" "100" "6" "33" "220" "10" "400" "5" "6" "200" "5" "10\351" \
  " 0" "1" " 0" " 0" " 0" " 0" " 0" " 0" "1"
# A record longer than its text: record 12 (Textv 1) holds "2 200" and
# stray bytes after it, which readers ignore.
printf 'xyz\377' | dd of=tp-sans-montage.P16 bs=1 seek=$((11 * 128 + 2 + 5)) conv=notrunc status=none
