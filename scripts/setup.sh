#!/usr/bin/env bash
# Installs, from Debian's packages, what the machine does not have yet.
#   scripts/setup.sh program   what building and running the program needs
#   scripts/setup.sh package   that, and what making its Debian package needs
#   scripts/setup.sh all       those, and the tools of the tests, benchmarks,
#                              fuzzing and the package's checks (the default)
# Safe to run again.
set -euo pipefail

what=${1:-all}

# The compiler, CMake, Qt with its SVG module and French translations, the
# fonts the drawings are measured with (Liberation is metric-compatible with
# Arial and Times New Roman), the libraries that read WMF and EMF pictures
# (libwmf, libemf2svg), and the fonts that stand for the equation editors'
# fonts in those pictures (DejaVu Serif, DejaVu Math TeX Gyre).
program_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-svg-dev qt6-translations-l10n
  fonts-liberation fonts-dejavu-core fonts-dejavu-extra
  libwmf-dev libemf2svg-dev
)

# The Debian package: dpkg-shlibdeps and dpkg-buildflags, and file, with
# which CPack finds the programs whose libraries it asks about.
package_packages=(dpkg-dev file)

# GoogleTest, Google Benchmark, clang with its sanitizer and fuzzer runtime,
# the style and lint tools, an independent circuit simulator, PDF and office
# tools to check printed pages, RTF files (Writer, and Draw and Math for the
# statements with drawings and equations) and the CSV export (Python reads
# it too), a virtual display with a window manager and the accessibility bus
# a screen reader reads the window through, and the packaging checks
# (diffoscope shows where two builds of the package differ).
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format-14 clang-tidy-14 libclang-rt-14-dev locales
  ngspice poppler-utils libreoffice-writer-nogui libreoffice-calc-nogui
  libreoffice-draw-nogui libreoffice-math-nogui python3 python3-numpy
  xvfb xauth xdotool x11-utils openbox time
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi
  desktop-file-utils shared-mime-info libglib2.0-bin appstream lintian man-db fakeroot diffoscope-minimal
)

case "$what" in
  program) packages=("${program_packages[@]}") ;;
  package) packages=("${program_packages[@]}" "${package_packages[@]}") ;;
  all) packages=("${program_packages[@]}" "${package_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 [program|package|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
else
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
