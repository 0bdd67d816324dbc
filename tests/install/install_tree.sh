#!/usr/bin/env bash
# Installs the build into a staging directory (DESTDIR), then moves the
# installation elsewhere, as a copied or unpacked installation would be:
# the checks run the programs from there.
#   install_tree.sh CMAKE BUILD-DIR TREE
set -euo pipefail
cmake=$1 build=$2 tree=$3

rm -rf "$tree"
mkdir -p "$tree"
DESTDIR="$tree/stage" "$cmake" --install "$build" --prefix /usr >"$tree/install.log"
mv "$tree/stage/usr" "$tree/moved"
rm -rf "$tree/stage"
