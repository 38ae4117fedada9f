#!/usr/bin/env bash
# zumeli-solve from the outside: its options, the line it prints per file, the solutions of
# --print and its exit status.
# Usage: check-zumeli-solve.sh PATH-TO-zumeli-solve PROJECT-VERSION SHARED-DATA-FOLDER
set -uo pipefail
tool=$1
version=$2
data=$3
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

run --version
expect_status 0 "--version"
expect_out "zumeli-solve $version" "--version"

run --help
expect_status 0 "--help"
expect_err "usage: zumeli-solve [--print] [--timeout SECONDS] FILE..." "--help"

run
expect_status 2 "no file"
expect_err "usage: zumeli-solve" "no file"

run --bogus x.non
expect_status 2 "an unknown option"
expect_err "zumeli-solve: unknown option --bogus" "an unknown option"

for bad in x 0 -1 inf; do
  run --timeout "$bad" x.non
  expect_status 2 "--timeout $bad"
  expect_err "zumeli-solve: bad --timeout value \"$bad\"" "--timeout $bad"
done
run --timeout
expect_status 2 "--timeout without a value"
expect_err "zumeli-solve: --timeout needs a number of seconds" "--timeout without a value"

# The same small puzzle in the three formats; the .zml has no extension to be told by.
printf 'width 2\nheight 2\nrows\n1\n2\ncolumns\n2\n1\n' >"$work/small.non"
printf '1,2,2\r\n2\r\n1\r\n1\r\n2\r\n' >"$work/small"
printf '<?xml version="1.0"?><puzzleset><puzzle><clues type="columns"><line><count>2</count></line><line><count>1</count></line></clues><clues type="rows"><line><count>1</count></line><line><count>2</count></line></clues></puzzle></puzzleset>' >"$work/small.xml"
for file in small.non small small.xml; do
  run --print --timeout 60 "$work/$file"
  expect_status 0 "$file"
  grep -qE "^$work/$file unique line-solvable 2x2 [0-9]+\.[0-9]{3} ms difficulty:simple-lines$" "$work/out" || fail "$file: line '$(head -1 "$work/out")'"
  [ "$(tail -n +2 "$work/out")" = $'#.\n##' ] || fail "$file: solution '$(tail -n +2 "$work/out")'"
done

# Two solutions, printed with a blank line between them.
printf 'width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n' >"$work/two.non"
run --print "$work/two.non"
expect_status 0 "two solutions"
case "$(tail -n +2 "$work/out")" in
  $'#.\n.#\n\n.#\n#.' | $'.#\n#.\n\n#.\n.#') ;;
  *) fail "two solutions: '$(cat "$work/out")'" ;;
esac
head -1 "$work/out" | grep -q " multiple needs-search 2x2 " || fail "two solutions: '$(head -1 "$work/out")'"

# No solution.
printf 'width 1\nheight 1\nrows\n1\ncolumns\n0\n' >"$work/none.non"
run "$work/none.non"
expect_status 0 "no solution"
grep -qE " none line-solvable 1x1 [0-9.]+ ms$" "$work/out" || fail "no solution: '$(cat "$work/out")'"

# A run longer than its line: read in every format, and the clues have no solution.
printf 'width 2\nheight 2\nrows\n3\n1\ncolumns\n1\n1\n' >"$work/long.non"
printf '<?xml version="1.0"?><puzzleset><puzzle><clues type="columns"><line><count>3</count></line><line><count>1</count></line></clues><clues type="rows"><line><count>1</count></line><line><count>2</count></line></clues></puzzle></puzzleset>' >"$work/long.xml"
printf '1,2,2\r\n3\r\n1\r\n1\r\n2\r\n' >"$work/long.zml"
for file in long.non long.xml long.zml; do
  run "$work/$file"
  expect_status 0 "$file"
  grep -qE "^$work/$file none line-solvable 2x2 [0-9.]+ ms$" "$work/out" || fail "$file: '$(cat "$work/out") $(cat "$work/err")'"
done

# The difficulty of a unique puzzle that line logic alone does not solve.
run "$data/dom/5-Dom.non"
expect_status 0 "5-Dom.non"
grep -qE " unique needs-search [0-9]+x[0-9]+ [0-9.]+ ms difficulty:search$" "$work/out" || fail "5-Dom.non: '$(cat "$work/out")'"

# A file that is missing and one that is broken: reported, the others still decided; exit
# status 1 as for a puzzle left undecided.
printf 'rows\n1,a\ncolumns\n1\n' >"$work/broken.non"
run "$work/missing.non" "$work/broken.non" "$work/small.non"
expect_status 1 "unreadable files"
expect_err "zumeli-solve: $work/missing.non: No such file or directory" "a missing file"
expect_err "zumeli-solve: $work/broken.non: .non line 2: unexpected character 'a' in a clue line" "a broken file"
grep -q "^$work/small.non unique " "$work/out" || fail "the readable file after the broken ones"

# A shared sample puzzle, named after "--".
sample=$(ls "$data"/webpbn/*.non | head -1)
run -- "$sample"
expect_status 0 "$sample"
grep -qE "^$sample (unique|multiple|none) (line-solvable|needs-search) [0-9]+x[0-9]+ [0-9.]+ ms( difficulty:(simple-lines|lines|probing|search))?$" "$work/out" \
  || fail "$sample: '$(cat "$work/out")'"

# A puzzle through a pipe.
"$tool" /dev/stdin <"$work/small.non" >"$work/out" 2>"$work/err"; status=$?
expect_status 0 "a puzzle read from a pipe"
expect_line "^/dev/stdin unique " "a puzzle read from a pipe"

[ "$failures" = 0 ] || exit 1
echo "zumeli-solve behaves"
