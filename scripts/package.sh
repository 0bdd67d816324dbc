#!/usr/bin/env bash
# Makes the Debian package of Ohmora: installs what is missing, builds the
# program alone (neither the tests nor the benchmarks) in Release with
# Debian's hardening flags in build/package, and packs it there:
#   build/package/ohmora_VERSION-RELEASE_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh package

# The flags Debian builds its own packages with (stack protector, fortified
# functions, read-only relocations bound at start-up).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DOHMORA_TESTS=OFF -DOHMORA_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/ohmora_*.deb
(cd "$build" && cpack -G DEB)

deb=$(ls "$build"/ohmora_*.deb)
echo "Paquet Debian : $deb"
echo "Debian package: $deb"
echo "Pour l'installer / to install it:  sudo apt install ./$deb"
