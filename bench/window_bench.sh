#!/usr/bin/env bash
# Measures the main window: a cold process start up to the written
# screenshot (an upper bound of the start-up to the first painted frame,
# target under 300 ms) with its peak resident memory (target under 80 MB),
# then the in-process figures of windowbench (first paint, idle and
# recording CPU time, 50 real timer ticks). Needs no display.
# Usage: bench/window_bench.sh [build directory, default build/release]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cmake --build "$build" --target ohmora windowbench >/dev/null

export QT_QPA_PLATFORM=offscreen
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"' EXIT

echo "== cold start to screenshot (5 runs): wall seconds, peak RSS kB =="
for _ in 1 2 3 4 5; do
  /usr/bin/time -f "%e s  %M kB" "$build/app/ohmora/ohmora" --screenshot "$shot" 2>&1 |
    grep -E ' kB$'
done

echo "== windowbench =="
"$build/bench/windowbench"
