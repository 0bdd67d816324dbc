#!/usr/bin/env bash
# Measures the main window: a cold process start up to the written
# screenshot (an upper bound of the start-up to the first painted frame,
# target under 300 ms) with its peak resident memory (target under 80 MB),
# the same at --zoom 2, then the in-process figures of windowbench (first
# paint, idle and recording CPU time, 50 real timer ticks), and its first
# paint and recording at twice the scale. Needs no display.
# Usage: bench/window_bench.sh [build directory, default build/release]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cmake --build "$build" --target ohmora windowbench barewindow >/dev/null

export QT_QPA_PLATFORM=offscreen
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"' EXIT

# Cold start to a written screenshot, the program and the bare Qt window
# taking turns, so that both see the same machine.
runs=5
ohmora_s=0 ohmora_kb=0 bare_s=0 bare_kb=0 zoom_s=0 zoom_kb=0
measure() {
  /usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null | tail -n 1
}
echo "== cold start to screenshot ($runs runs each): wall seconds, peak RSS kB =="
for _ in $(seq "$runs"); do
  read -r s kb < <(measure "$build/bin/ohmora" --screenshot "$shot")
  echo "ohmora      $s s  $kb kB"
  ohmora_s=$(awk -v a="$ohmora_s" -v b="$s" 'BEGIN{print a+b}')
  ohmora_kb=$((ohmora_kb + kb))
  read -r s kb < <(measure "$build/bin/ohmora" --zoom 2 --screenshot "$shot")
  echo "ohmora 2x   $s s  $kb kB"
  zoom_s=$(awk -v a="$zoom_s" -v b="$s" 'BEGIN{print a+b}')
  zoom_kb=$((zoom_kb + kb))
  read -r s kb < <(measure "$build/bench/barewindow" "$shot")
  echo "bare window $s s  $kb kB"
  bare_s=$(awk -v a="$bare_s" -v b="$s" 'BEGIN{print a+b}')
  bare_kb=$((bare_kb + kb))
done
awk -v os="$ohmora_s" -v bs="$bare_s" -v ok="$ohmora_kb" -v bk="$bare_kb" -v n="$runs" 'BEGIN{
  printf "mean: ohmora %.3f s %.1f MB, bare window %.3f s %.1f MB; ratio %.2fx time, %.2fx memory\n",
    os/n, ok/n/1024, bs/n, bk/n/1024, os/bs, ok/bk}'
awk -v os="$ohmora_s" -v zs="$zoom_s" -v ok="$ohmora_kb" -v zk="$zoom_kb" -v n="$runs" 'BEGIN{
  printf "at 2x (--zoom 2): %.3f s %.1f MB; ratio to 1x %.2fx time, %.2fx memory\n",
    zs/n, zk/n/1024, zs/os, zk/ok}'

echo "== windowbench =="
"$build/bench/windowbench"
# The same window drawn twice as large: its first paint and the drawing of
# a recording, per tick of 200.
echo "== windowbench at 2x (QT_SCALE_FACTOR=2) =="
QT_SCALE_FACTOR=2 "$build/bench/windowbench" --benchmark_filter='StartUp|Recording'

