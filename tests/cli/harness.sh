# The shared frame of the command-line checks, sourced after `tool` is set: a scratch folder
# removed on exit, a failure count, and runs of the tool whose exit status, standard output
# and standard error are kept for the expectations below.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

run() { "$tool" "$@" >"$work/out" 2>"$work/err"; status=$?; }
expect_status() { [ "$status" = "$1" ] || fail "$2: exit status $status, expected $1 ($(cat "$work/err"))"; }
expect_out() { [ "$(cat "$work/out")" = "$1" ] || fail "$2: printed '$(cat "$work/out")'"; }
expect_err() { grep -qF -- "$1" "$work/err" || fail "$2: no '$1' in '$(cat "$work/err")'"; }
expect_line() { grep -qE "$1" "$work/out" || fail "$2: printed '$(cat "$work/out")'"; }
