#!/usr/bin/env bash
# zumeli-solve --make-unique and --generate from the outside: the files they write, the line
# they print, their exit status, and that a refused input leaves OUT alone.
# Usage: check-author-commands.sh PATH-TO-zumeli-solve
set -uo pipefail
tool=$1
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
# The verdict zumeli-solve gives a file: "unique line-solvable", "unique needs-search", ...
verdict_of() { "$tool" "$1" | awk '{ print $2, $3 }'; }

# Generating: the same size, seed and options give the same bytes; another seed others.
for ext in non xml zml; do
  run --generate 15x15 "$work/a.$ext"
  expect_status 0 "generate .$ext"
  expect_line '^generated 15x15, seed 1: unique \((line logic|search)\), [0-9]+ ms$' "generate .$ext"
  run --generate 15x15 --seed 1 "$work/b.$ext"
  cmp -s "$work/a.$ext" "$work/b.$ext" || fail "generate .$ext: seed 1 twice gives different files"
  run --seed 2 --generate 15x15 "$work/c.$ext"
  cmp -s "$work/a.$ext" "$work/c.$ext" && fail "generate .$ext: seeds 1 and 2 give the same file"
  case "$(verdict_of "$work/a.$ext")" in
    "unique "*) ;;
    *) fail "generate .$ext: zumeli-solve says '$(verdict_of "$work/a.$ext")'" ;;
  esac
done
run --generate 30x20 --seed 18446744073709551615 --line-solvable "$work/line.non"
expect_status 0 "generate --line-solvable"
[ "$(verdict_of "$work/line.non")" = "unique line-solvable" ] || fail "generate --line-solvable: $(verdict_of "$work/line.non")"
grep -q '^width 30$' "$work/line.non" && grep -q '^height 20$' "$work/line.non" || fail "generate 30x20: wrong size"

# Generating a puzzle of a difficulty grade: the grade it prints is the one asked for and the
# one zumeli-solve finds; the same seed gives the same bytes.
for grade in simple-lines lines probing search; do
  size=10x10
  [ "$grade" = search ] && size=15x15
  run --generate "$size" --seed 2 --difficulty "$grade" "$work/graded-$grade.non"
  expect_status 0 "generate --difficulty $grade"
  expect_line "^generated $size, seed 2: unique \((line logic|search)\), difficulty:$grade, [0-9]+ pictures?, [0-9]+ ms$" \
    "generate --difficulty $grade"
  "$tool" "$work/graded-$grade.non" | grep -q " unique .* difficulty:$grade\$" \
    || fail "generate --difficulty $grade: zumeli-solve says '$("$tool" "$work/graded-$grade.non")'"
done
run --generate 10x10 --difficulty lines --seed 2 --line-solvable "$work/graded-again.non"
expect_status 0 "generate --difficulty lines --line-solvable"
cmp -s "$work/graded-lines.non" "$work/graded-again.non" || fail "generate --difficulty lines: seed 2 twice gives different files"
for bad in hard Lines "" 3 simple; do
  run --generate 10x10 --difficulty "$bad" "$work/bad.non"
  expect_status 2 "--difficulty '$bad'"
  expect_err "bad --difficulty value \"$bad\" (simple-lines, lines, probing or search)" "--difficulty '$bad'"
  expect_err "usage: zumeli-solve --generate WxH" "--difficulty '$bad'"
  [ -e "$work/bad.non" ] && fail "--difficulty '$bad' wrote OUT"
done
run --generate 10x10 "$work/bad.non" --difficulty
expect_status 2 "--difficulty without a grade"
expect_err "usage: zumeli-solve --generate WxH" "--difficulty without a grade"
run --generate 10x10 --line-solvable --difficulty probing "$work/bad.non"
expect_status 2 "--line-solvable with --difficulty probing"
expect_err "--line-solvable and --difficulty probing ask for different puzzles" "--line-solvable with --difficulty probing"
run --make-unique --difficulty lines "$work/graded-lines.non" "$work/bad.non"
expect_status 2 "--make-unique with --difficulty"
expect_err "--difficulty belongs to --generate" "--make-unique with --difficulty"
[ -e "$work/bad.non" ] && fail "a refused --difficulty wrote OUT"

for bad in 0x5 5x0 101x5 5x101 5 5x x5 axb 5x5x5 ""; do
  run --generate "$bad" "$work/bad.non"
  expect_status 2 "generate size '$bad'"
  expect_err "bad size \"$bad\": give WxH, each side 1..100" "generate size '$bad'"
  [ -e "$work/bad.non" ] && fail "generate size '$bad' wrote OUT"
done
for bad in x 1.5 -1 18446744073709551616; do
  run --generate 5x5 --seed "$bad" "$work/bad.non"
  expect_status 2 "--seed $bad"
  expect_err "bad --seed value \"$bad\"" "--seed $bad"
done
run --generate 5x5 "$work/bad.txt"
expect_status 2 "generate to .txt"
expect_err "the output file must end in .non, .xml or .zml" "generate to .txt"
run --generate 5x5
expect_status 2 "generate without OUT"
run --generate 90x90 "$work/big.zml"
expect_status 2 "a .zml board past 80 x 80"
expect_err "cannot write a .zml board" "a .zml board past 80 x 80"
[ -e "$work/big.zml" ] && fail "a .zml board past 80 x 80 was written"

# Making unique: an ambiguous picture file becomes a puzzle with one solution.
printf '#.#.#.\n.#.#.#\n#.#.#.\n.#.#.#\n#.#.#.\n.#.#.#\n' >"$work/checker.txt"
for mode in "" --line-solvable; do
  for ext in txt non xml zml; do
    run --make-unique $mode "$work/checker.txt" "$work/made.$ext"
    expect_status 0 "make-unique $mode .$ext"
    if [ -n "$mode" ]; then
      expect_line '^changed [0-9]+ cells?: unique \(line logic\), [0-9]+ ms$' "make-unique $mode .$ext"
    else
      expect_line '^changed [0-9]+ cells?: unique \((line logic|search)\), [0-9]+ ms$' "make-unique .$ext"
    fi
  done
  # The written picture reads back as a picture and as the other files' goal.
  run --make-unique "$work/made.txt" "$work/again.txt"
  expect_line '^changed 0 cells: unique' "make-unique of a unique picture"
  cmp -s "$work/made.txt" "$work/again.txt" || fail "a unique picture came back changed"
  [ "$(wc -l <"$work/made.txt")" = 6 ] && [ "$(head -1 "$work/made.txt" | tr -d '\n' | wc -c)" = 6 ] \
    || fail "make-unique $mode: the picture changed size"
  expected=unique
  [ -n "$mode" ] && expected="unique line-solvable"
  for ext in non xml zml; do
    case "$(verdict_of "$work/made.$ext")" in
      "$expected"*) ;;
      *) fail "make-unique $mode .$ext: zumeli-solve says '$(verdict_of "$work/made.$ext")'" ;;
    esac
  done
done

# The unique mode never changes more cells than the line-logic mode (a smiley where it once
# changed 31 against 16).
printf '%s\n' ......######...... ....##......##.... ...#..........#... ..#............#.. \
  .#...##....##...#. .#...##....##...#. '#................#' '#................#' \
  '#................#' '#..#..........#..#' '#...#........#...#' .#...##....##...#. \
  .#.....####.....#. ..#............#.. ...#..........#... ....##......##.... \
  ......######...... .................. >"$work/smiley.txt"
run --make-unique "$work/smiley.txt" "$work/smiley-unique.txt"
expect_status 0 "make-unique of the smiley"
unique_count=$(awk '{ print $2 }' "$work/out")
run --make-unique --line-solvable "$work/smiley.txt" "$work/smiley-line.txt"
expect_status 0 "make-unique --line-solvable of the smiley"
line_count=$(awk '{ print $2 }' "$work/out")
[ "$unique_count" -le "$line_count" ] 2>/dev/null \
  || fail "make-unique of the smiley changed $unique_count cells, --line-solvable $line_count"

# A puzzle file without a picture: its first solution is made unique.
printf 'width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n' >"$work/two.non"
run --make-unique "$work/two.non" "$work/two-made.non"
expect_status 0 "make-unique of a .non with two solutions"
expect_line '^changed 1 cell: unique' "make-unique of a .non with two solutions"

# Refused inputs: exit status 2, a clear message, and OUT left as it was.
printf 'keep me\n' >"$work/keep.non"
check_refused() { # IN-CONTENT NAME MESSAGE
  printf '%b' "$1" >"$work/$2"
  run --make-unique "$work/$2" "$work/keep.non"
  expect_status 2 "make-unique of $2"
  expect_err "$3" "make-unique of $2"
  [ "$(cat "$work/keep.non")" = "keep me" ] || fail "make-unique of $2 touched OUT"
}
check_refused '##\n#\n' ragged.txt "row 2 has 1 cells, row 1 has 2"
check_refused '#x\n' other.txt "row 1, column 2: 'x' is not '#' or '.'"
check_refused '' empty.txt "the picture has no rows"
check_refused "$(printf '%0101d' 0 | tr 0 '#')\n" wide.txt "the picture is larger than 100 x 100 cells"
check_refused 'width 2\nheight 1\nrows\n3\ncolumns\n1\n1\n' none.non ""
check_refused 'width 2\nheight 2\nrows\n2\n0\ncolumns\n0\n0\n' contradiction.non "the clues have no solution"
run --make-unique "$work/missing.txt" "$work/keep.non"
expect_status 2 "make-unique of a missing file"
expect_err "missing.txt: No such file or directory" "make-unique of a missing file"
run --make-unique "$work/checker.txt" "$work/out.png"
expect_status 2 "make-unique to .png"
expect_err "the output file must end in .txt, .non, .xml or .zml" "make-unique to .png"
run --make-unique "$work/checker.txt"
expect_status 2 "make-unique without OUT"
run --make-unique "$work/checker.txt" "$work/no-such-folder/x.non"
expect_status 2 "make-unique into a missing folder"
run --make-unique --generate 5x5 "$work/x.non"
expect_status 2 "both commands"
run --make-unique --bogus "$work/checker.txt" "$work/x.non"
expect_status 2 "an unknown option"
expect_err "unknown option --bogus" "an unknown option"

# No temporary files stay behind.
leftovers=$(find "$work" -name '*.??????' | wc -l)
[ "$leftovers" = 0 ] || fail "temporary files left: $(find "$work" -name '*.??????')"

# --help names the commands.
"$tool" --help 2>&1 | grep -qF -- "--make-unique [--line-solvable] IN OUT" || fail "--help lacks --make-unique"
"$tool" --help 2>&1 | grep -qF -- "--generate WxH [--seed N] [--line-solvable] OUT" || fail "--help lacks --generate"
"$tool" --help 2>&1 | grep -qF -- "--generate WxH [--seed N] --difficulty GRADE OUT" || fail "--help lacks --difficulty"

[ "$failures" = 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "all author command checks passed"
