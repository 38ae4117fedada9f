#!/usr/bin/env bash
# zumeli --help and --version answer without any display: run with an environment that holds
# nothing but PATH (no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM), they print their text and
# end with status 0.
# Usage: check-zumeli-without-display.sh PATH-TO-zumeli VERSION
set -uo pipefail
tool=$1
version=$2
source "$(dirname "$0")/harness.sh"

# The sanitizers' settings of a sanitized build pass through: they are no display.
keep=()
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  [ -n "${!name:-}" ] && keep+=("$name=${!name}")
done
run() { env -i PATH="$PATH" "${keep[@]}" "$tool" "$@" >"$work/out" 2>"$work/err"; status=$?; }

help="Usage: $tool [options] [puzzle [state]]
Zumeli (ズメリロジック！): solve and author nonograms.

Options:
  -h, --help     Displays help on commandline options.
  --help-all     Displays help including Qt specific options.
  -v, --version  Displays version information.

Arguments:
  puzzle         Puzzle to open (.zml, .non or webpbn XML), as the Load command
                 would.
  state          Answer state (.sts) to load into that puzzle."

for option in --help -h; do
  run "$option"
  expect_status 0 "$option"
  expect_out "$help" "$option"
done
for option in --version -v "--help --version"; do
  run $option
  expect_status 0 "$option"
  expect_out "Zumeli $version" "$option"
done
# Files named beside --help are not opened: the help alone.
run --help "$work/missing.zml"
expect_status 0 "--help with a file"
expect_out "$help" "--help with a file"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "--help and --version answer without a display"
