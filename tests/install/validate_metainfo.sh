#!/usr/bin/env bash
# The AppStream metadata as software centres read it, its release dated as
# the Debian changelog's first entry.
#   validate_metainfo.sh CHANGELOG FILE.metainfo.xml...
set -euo pipefail
changelog=$1
shift
if ! command -v appstreamcli >/dev/null; then
  echo "SKIP: appstreamcli is missing (package appstream)"
  exit 77
fi
released=$(date -u -d "$(sed -n 's/^ -- .*>  //p' "$changelog" | head -n 1)" +%F)
for file in "$@"; do
  appstreamcli validate --no-net "$file"
  grep -q "<release version=\"[^\"]*\" date=\"$released\"/>" "$file" || {
    echo "FAIL: $file does not date its release $released, as $changelog does" >&2
    exit 1
  }
done
