#!/usr/bin/env bash
# Windows portability, checked rather than claimed: every source of the Qt-free libraries and
# of zumeli-solve must compile for Windows with the MinGW-w64 cross compiler. -fsyntax-only is
# enough: it runs the whole front end (headers, templates, the _WIN32 branches) without
# needing Windows builds of the libraries to link against.
# Usage: check-windows-syntax.sh SOURCE-FOLDER PROJECT-VERSION FILE.cpp...
set -euo pipefail
source_dir=$1 version=$2
shift 2
compiler=$(command -v x86_64-w64-mingw32-g++-posix || command -v x86_64-w64-mingw32-g++ || true)
[ -n "$compiler" ] || { echo "FAIL: no MinGW-w64 C++ compiler (g++-mingw-w64-x86-64-posix)"; exit 1; }

# pugixml is header-declared C++ with no platform code in its headers; only those two headers
# are lent from the host, so no other Linux header can leak into the check.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for h in pugixml.hpp pugiconfig.hpp; do
  found=$(find /usr/include -maxdepth 2 -name "$h" | head -1)
  [ -n "$found" ] || { echo "FAIL: $h not found"; exit 1; }
  ln -s "$found" "$work/$h"
done

failed=0
for src in "$@"; do
  if ! "$compiler" -std=c++20 -fsyntax-only -Wall -I"$source_dir" -isystem "$work" \
       -DZUMELI_VERSION="\"$version\"" "$src" 2>"$work/errors"; then
    echo "FAIL: $src does not compile for Windows:"
    head -20 "$work/errors"
    failed=$((failed + 1))
  fi
done
echo "$(( $# - failed )) passed, $failed failed"
[ "$failed" -eq 0 ]
