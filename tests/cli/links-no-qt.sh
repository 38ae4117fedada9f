#!/usr/bin/env bash
# Fails when the command-line tool loads a Qt library, directly or through another library:
# it is kept free of Qt by linking only the Qt-free targets.
# Usage: links-no-qt.sh PATH-TO-zumeli-solve
set -euo pipefail
tool=$1
needed=$(readelf -d "$tool" | grep NEEDED || true)
loaded=$(ldd "$tool")
echo "$needed"
if grep -qi 'libQt' <<<"$needed$loaded"; then
  echo "FAIL: $tool loads Qt:" >&2
  grep -i 'libQt' <<<"$loaded" >&2
  exit 1
fi
echo "no Qt library is loaded"
