#!/usr/bin/env bash
# Makes the Debian package of Ohmora: installs what is missing, builds the
# program alone (neither the tests nor the benchmarks) in Release with
# Debian's hardening flags in build/package, and packs it there:
#   build/package/ohmora_VERSION-RELEASE_ARCH.deb
# Made twice from the same commit, it is the same file: every date inside
# is SOURCE_DATE_EPOCH, by default the last commit's (the changelog's first
# entry's outside a git checkout), the archives are sorted, and no path of
# the build is kept (scripts/check-reproducible.sh checks it).
# Whoever makes it may name themself as its maintainer, as Debian's tools
# do: DEBFULLNAME="Prénom Nom" DEBEMAIL=adresse@lycee.fr scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh package

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  else
    SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/debian/changelog -STimestamp)
  fi
fi
export SOURCE_DATE_EPOCH
umask 022

# The flags Debian builds its own packages with (stack protector, fortified
# functions, read-only relocations bound at start-up), which also map this
# folder to "." in whatever the compiler writes.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

maintainer=Ohmora
if [ -n "${DEBFULLNAME:-}" ] && [ -n "${DEBEMAIL:-}" ]; then
  maintainer="$DEBFULLNAME <$DEBEMAIL>"
fi

build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DOHMORA_TESTS=OFF -DOHMORA_BENCHMARKS=OFF -DOHMORA_PACKAGE_MAINTAINER="$maintainer" >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/ohmora_*.deb
(cd "$build" && cpack -G DEB)

deb=$(ls "$build"/ohmora_*.deb)
echo "Paquet Debian : $deb"
echo "Debian package: $deb"
echo "Pour l'installer / to install it:  sudo apt install ./$deb"
