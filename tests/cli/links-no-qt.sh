#!/usr/bin/env bash
# Fails when the command-line tool loads a Qt library, directly or through another library,
# or, linked statically, carries Qt's code inside: it is kept free of Qt by linking only the
# Qt-free targets.
# Usage: links-no-qt.sh PATH-TO-zumeli-solve
set -euo pipefail
tool=$1
needed=$(readelf -d "$tool" | grep NEEDED || true)
if [[ -z "$needed" ]]; then
  # Statically linked: nothing is loaded, so look for Qt's own symbols in the program.
  if nm -C "$tool" 2>/dev/null | grep -Eq ' (QString|QCoreApplication|QObject)::'; then
    echo "FAIL: $tool is statically linked with Qt" >&2
    exit 1
  fi
  echo "statically linked, without Qt"
  exit 0
fi
loaded=$(ldd "$tool")
echo "$needed"
if grep -qi 'libQt' <<<"$needed$loaded"; then
  echo "FAIL: $tool loads Qt:" >&2
  grep -i 'libQt' <<<"$loaded" >&2
  exit 1
fi
echo "no Qt library is loaded"
