#!/usr/bin/env bash
# Makes the Debian package of the build with CPack, twice in two folders at
# the date of the changelog's first entry, and checks that both are the same
# file; then the dependencies that dpkg-shlibdeps computed and those named
# by hand, then lintian: no error (the other tags are shown).
#   check_package.sh CPACK CPACK-CONFIG WORK-DIR CHANGELOG
set -euo pipefail
cpack=$1 config=$2 work=$3 changelog=$4
for tool in dpkg-shlibdeps dpkg-parsechangelog file lintian; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing (packages dpkg-dev, file, lintian)"
    exit 77
  fi
done

rm -rf "$work"
mkdir -p "$work/again"
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$changelog" -STimestamp)
export SOURCE_DATE_EPOCH
for dir in "$work" "$work/again"; do
  "$cpack" --config "$config" -G DEB -B "$dir" >"$dir/cpack.log" 2>&1 || {
    cat "$dir/cpack.log"
    exit 1
  }
done
deb=$(ls "$work"/ohmora_*.deb)
echo "package: $deb ($(stat -c %s "$deb") bytes)"
failures=0
cmp "$deb" "$work/again/$(basename "$deb")" || {
  echo "FAIL: the package made twice differs" >&2
  failures=$((failures + 1))
}
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(tr ',' '\n' <<<"$depends" | sed -e 's/^ *//' -e 's/ .*//')
for needed in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libstdc++6 \
  libqt6svg6 libwmflite-0.2-7 libemf2svg1 \
  qt6-qpa-plugins qt6-translations-l10n fonts-liberation fonts-dejavu-core fonts-dejavu-extra; do
  grep -qxF "$needed" <<<"$names" || {
    echo "FAIL: the package does not depend on $needed" >&2
    failures=$((failures + 1))
  }
done
contents=$(dpkg-deb -c "$deb")
for path in usr/bin/ohmora usr/bin/ohmora-cli usr/libexec/ohmora/ohmora-metafile usr/share/ohmora/ohmora.PEM \
  usr/share/applications/ohmora.desktop usr/share/mime/packages/ohmora.xml \
  usr/share/doc/ohmora/copyright; do
  grep -qE " \./$path$" <<<"$contents" || {
    echo "FAIL: the package lacks /$path" >&2
    failures=$((failures + 1))
  }
done
# lintian warns when run as root, which the checks may be.
lintian --fail-on error --display-info "$deb" 2> >(grep -v "running with root privileges" >&2) ||
  failures=$((failures + 1))
[ "$failures" -eq 0 ]
