#!/usr/bin/env bash
# Installs what is missing, builds Ohmora in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)" --target ohmora-cli

# Until the window is built, show the table of the default charge recording.
exec ./build/release/app/ohmora-cli/ohmora-cli run --switch 1 --until-end --table -
