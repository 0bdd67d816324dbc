#!/usr/bin/env bash
# Sets the machine up, builds Ohmora twice (Release, and with AddressSanitizer
# and UndefinedBehaviorSanitizer under clang, which also builds the fuzz
# targets) and runs the whole suite through CTest in each build.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh all

jobs=$(nproc)

echo "== Release build =="
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DOHMORA_WERROR=ON \
  -DOHMORA_CLANG_TIDY=ON
cmake --build build/release -j "$jobs"
(cd build/release && ctest --output-on-failure -j "$jobs")

echo "== Sanitizer build (clang, ASan + UBSan) =="
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DOHMORA_SANITIZE=ON -DOHMORA_FUZZ=ON \
  -DOHMORA_BENCHMARKS=OFF -DOHMORA_WERROR=ON
cmake --build build/sanitize -j "$jobs"
(cd build/sanitize && ctest --output-on-failure -j "$jobs")
