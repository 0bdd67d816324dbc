#!/usr/bin/env bash
# The AppStream metadata as software centres read it.
#   validate_metainfo.sh FILE.metainfo.xml...
set -euo pipefail
if ! command -v appstreamcli >/dev/null; then
  echo "SKIP: appstreamcli is missing (package appstream)"
  exit 77
fi
for file in "$@"; do
  appstreamcli validate --no-net "$file"
done
