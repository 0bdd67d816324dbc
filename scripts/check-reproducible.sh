#!/usr/bin/env bash
# Makes the Debian package twice from the last commit, in two folders of
# different names and depths, and checks that both are the same file; when
# they differ, diffoscope (package diffoscope-minimal) shows where. Two whole
# builds: about half an hour on two cores.
#   scripts/check-reproducible.sh [WORK-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh package
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct HEAD)
export SOURCE_DATE_EPOCH
work=${1:-$(mktemp -d)}
mkdir -p "$work"
commit=$(git rev-parse HEAD)
trees=("$work/a" "$work/second/tree")
for tree in "${trees[@]}"; do
  rm -rf "$tree"
  mkdir -p "$tree"
  git archive "$commit" | tar -x -C "$tree"
done
debs=()
for tree in "${trees[@]}"; do
  (cd "$tree" && ./scripts/package.sh >"$tree.log" 2>&1) || {
    tail -n 30 "$tree.log"
    exit 1
  }
  debs+=("$(ls "$tree"/build/package/ohmora_*.deb)")
done
if cmp "${debs[0]}" "${debs[1]}"; then
  echo "Reproducible: ${debs[0]} and ${debs[1]} are the same file ($(sha256sum <"${debs[0]}" | cut -c1-16))"
  exit 0
fi
echo "NOT reproducible: ${debs[0]} and ${debs[1]} differ" >&2
if command -v diffoscope >/dev/null; then
  diffoscope "${debs[0]}" "${debs[1]}" || true
fi
exit 1
