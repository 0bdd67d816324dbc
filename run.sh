#!/usr/bin/env bash
# Installs what is missing, builds Ohmora in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh program
# The program alone: neither the tests nor the benchmarks.
cmake -S . -B build/program -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DOHMORA_TESTS=OFF -DOHMORA_BENCHMARKS=OFF >/dev/null
cmake --build build/program -j "$(nproc)"

program=./build/program/bin/ohmora

# Without a display the window cannot open: show what it looks like instead.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # OLDPWD is where run.sh was started from, before the cd above.
  shot="${OLDPWD:-$PWD}/ohmora-screenshot.png"
  echo "Pas d'écran disponible (ni DISPLAY ni WAYLAND_DISPLAY) : la fenêtre ne peut pas s'ouvrir."
  echo "No display available: writing a screenshot of the window instead."
  QT_QPA_PLATFORM=offscreen "$program" --screenshot "$shot"
  echo "Image écrite : $shot"
  exit 0
fi

exec "$program" "$@"
