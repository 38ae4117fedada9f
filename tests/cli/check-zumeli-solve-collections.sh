#!/usr/bin/env bash
# zumeli-solve over collections: directories walked in byte order of the paths, -j output
# identical to -j 1, JSON that parses and says what the plain output says, the summary and
# the exit statuses.
# Usage: check-zumeli-solve-collections.sh PATH-TO-zumeli-solve SHARED-DATA-FOLDER SOURCE-FOLDER
set -uo pipefail
tool=$1
data=$2
source=$3
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
# Output with every time replaced by T, for comparing runs.
untimed() { sed -E 's/ [0-9]+\.[0-9]{3} (ms|s)( difficulty:[a-z-]+)?$/ T \1\2/; s/"time_(ms|s)": [0-9]+\.[0-9]{3}/"time_\1": T/' "$@"; }

# A collection of mixed puzzles. Byte order puts "Z" before "a" and "a-c.non" < "a.non" <
# "a/b.non", unlike the sort orders of most locales.
c=$work/collection
mkdir -p "$c/a" "$c/sub/deeper" "$c/empty" "$c/dom" "$c/webpbn"
printf 'width 2\nheight 2\nrows\n1\n2\ncolumns\n2\n1\n' >"$c/Z.non"
cp "$c/Z.non" "$c/a-c.non"
printf 'width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n' >"$c/a.non"
printf 'width 1\nheight 1\nrows\n1\ncolumns\n0\n' >"$c/a/b.non"
printf 'rows\n1,a\ncolumns\n1\n' >"$c/broken.non"
printf '1,2,2\r\n2\r\n1\r\n1\r\n2\r\n' >"$c/sub/plain"                # .zml told by content
printf '<?xml version="1.0"?><puzzleset><puzzle><clues type="columns"><line><count>2</count></line><line><count>1</count></line></clues><clues type="rows"><line><count>1</count></line><line><count>2</count></line></clues></puzzle></puzzleset>' >"$c/sub/deeper/small.XML"
printf 'Some notes on this collection.\n' >"$c/README"                   # no puzzle: skipped
printf 'nothing here\n' >"$c/sub/junk.txt"                               # no puzzle: skipped
printf '1,2,2\r\n2\r\n1\r\n1\r\n2\r\n' >"$c/answers.sts"                # answer states: skipped
ln -s Z.non "$c/link.non"                                                # a link to a file is read
ln -s .. "$c/sub/loop"                                                   # a link to a folder is not walked
cp "$data"/dom/*.non "$c/dom/"
cp "$data"/webpbn/*.non "$c/webpbn/"

expected_order() {
  echo "$c/Z.non"; echo "$c/a-c.non"; echo "$c/a.non"; echo "$c/a/b.non"; echo "$c/broken.non"
  ls "$c/dom"/*.non | LC_ALL=C sort
  echo "$c/link.non"; echo "$c/sub/deeper/small.XML"; echo "$c/sub/plain"
  ls "$c/webpbn"/*.non | LC_ALL=C sort
}
expected_order >"$work/expected-order"
unique=$(($(wc -l <"$work/expected-order") - 3))

# The plain output, with -j 1: one line per readable file in byte order, the broken file on
# standard error, the summary last.
run -j 1 --print "$c"
expect_status 1 "collection, -j 1"
cp "$work/out" "$work/plain-1"
cp "$work/err" "$work/plain-err-1"
grep -E ' (unique|multiple|none|timeout) ' "$work/out" | cut -d' ' -f1 >"$work/order"
diff <(grep -vx "$c/broken.non" "$work/expected-order") "$work/order" >/dev/null \
  || fail "directory order: $(diff <(grep -vx "$c/broken.non" "$work/expected-order") "$work/order")"
[ "$(cat "$work/err")" = "zumeli-solve: $c/broken.non: .non line 2: unexpected character 'a' in a clue line" ] \
  || fail "standard error of the collection: '$(cat "$work/err")'"
tail -1 "$work/out" | grep -qE "^summary: $unique unique, 1 multiple, 1 none, 0 timeout, 1 unreadable, 3 skipped; $((unique + 3)) puzzles in [0-9]+\.[0-9]{3} s$" \
  || fail "summary: '$(tail -1 "$work/out")'"
grep -q "^$c/sub/plain unique line-solvable 2x2 " "$work/out" || fail "a .zml without extension"
grep -q "^$c/a/b.non none " "$work/out" || fail "the puzzle without solution"

# -j N: the same bytes as -j 1 apart from the times, on standard output and standard error.
for jobs in 2 3 8; do
  run -j "$jobs" --print "$c"
  expect_status 1 "collection, -j $jobs"
  cmp -s <(untimed "$work/plain-1") <(untimed "$work/out") \
    || fail "-j $jobs output differs from -j 1: $(diff <(untimed "$work/plain-1") <(untimed "$work/out") | head -5)"
  cmp -s "$work/plain-err-1" "$work/err" || fail "-j $jobs standard error differs from -j 1"
done
run --jobs=2 --format json --print "$c"
cp "$work/out" "$work/json-2"
run -j1 --format=json --print "$c"
cp "$work/out" "$work/json-1"
cmp -s <(untimed "$work/json-1") <(untimed "$work/json-2") || fail "--format json: -j 2 differs from -j 1"

# The JSON lines parse, come in the same order as the plain lines (the unreadable file in its
# place) and say the same: verdict, logic, size, solutions, summary.
python3 - "$work/plain-1" "$work/json-1" "$work/expected-order" "$c/broken.non" <<'PY' || fail "JSON against plain output"
import json, re, sys
plain_path, json_path, order_path, broken = sys.argv[1:]
header = re.compile(r"^(.*) (unique|multiple|none|timeout) (line-solvable|needs-search) (\d+)x(\d+) (\d+\.\d{3}) ms(?: difficulty:([a-z-]+))?$")
plain, summary, new_solution = [], None, True
for line in open(plain_path, encoding="utf-8").read().split("\n")[:-1]:
    m = header.match(line)
    if m:
        plain.append({"path": m[1], "verdict": m[2], "line_solvable": m[3] == "line-solvable",
                      "width": int(m[4]), "height": int(m[5]), "solutions": []})
        if m[7]:
            plain[-1]["difficulty"] = m[7]
        new_solution = True
    elif line.startswith("summary: "):
        summary = line
    elif line == "":
        new_solution = True
    else:
        if new_solution:
            plain[-1]["solutions"].append([])
            new_solution = False
        plain[-1]["solutions"][-1].append(line)
objects = [json.loads(line) for line in open(json_path, encoding="utf-8")]
assert "summary" in objects[-1], objects[-1]
files = objects[:-1]
order = open(order_path, encoding="utf-8").read().split("\n")[:-1]
assert [o["path"] for o in files] == order, [o["path"] for o in files]
unreadable = [o for o in files if o["verdict"] == "unreadable"]
assert [o["path"] for o in unreadable] == [broken], unreadable
assert unreadable[0]["error"] == ".non line 2: unexpected character 'a' in a clue line", unreadable[0]
readable = [o for o in files if o["verdict"] != "unreadable"]
assert len(readable) == len(plain), (len(readable), len(plain))
for o, p in zip(readable, plain):
    assert isinstance(o["time_ms"], float) and o["time_ms"] >= 0, o
    for key in ("path", "verdict", "line_solvable", "width", "height", "solutions"):
        assert o[key] == p[key], (key, o, p)
    assert o.get("difficulty") == p.get("difficulty"), (o, p)
    assert ("difficulty" in o) == (o["verdict"] == "unique"), o
s = objects[-1]["summary"]
expected = "summary: {unique} unique, {multiple} multiple, {none} none, {timeout} timeout, {unreadable} unreadable, {skipped} skipped; {puzzles} puzzles in".format(**s)
assert summary.startswith(expected), (summary, expected)
assert s["puzzles"] == len(files) and s["skipped"] == 3 and s["time_s"] >= 0, s
PY

# Operands keep the order given; each directory's files come in byte order.
run -j 2 "$c/sub" "$c/Z.non" "$c/a"
expect_status 0 "three operands"
[ "$(cut -d' ' -f1 "$work/out" | head -4)" = "$c/sub/deeper/small.XML
$c/sub/plain
$c/Z.non
$c/a/b.non" ] || fail "operand order: '$(cat "$work/out")'"
tail -1 "$work/out" | grep -qE "^summary: 3 unique, 0 multiple, 1 none, 0 timeout, 0 unreadable, 1 skipped; 4 puzzles in " \
  || fail "summary of three operands: '$(tail -1 "$work/out")'"

# One file: the single line of before, no summary; in JSON the summary all the same.
run "$c/Z.non"
[ "$(wc -l <"$work/out")" = 1 ] || fail "one file printed '$(cat "$work/out")'"
run --format json "$c/Z.non"
python3 -c '
import json, sys
lines = open(sys.argv[1]).read().split("\n")
assert lines[-1] == "" and len(lines) == 3, lines
one, summary = json.loads(lines[0]), json.loads(lines[1])
assert one == {"path": sys.argv[2], "verdict": "unique", "line_solvable": True, "width": 2, "height": 2, "time_ms": one["time_ms"], "difficulty": "simple-lines"}, one
assert summary["summary"]["unique"] == 1 and summary["summary"]["puzzles"] == 1, summary
' "$work/out" "$c/Z.non" || fail "one file in JSON: '$(cat "$work/out")'"

# An empty directory: nothing to decide, which is no failure.
run "$c/empty"
expect_status 0 "an empty directory"
[ "$(sed -E 's/in [0-9.]+ s$/in X s/' "$work/out")" = "summary: 0 unique, 0 multiple, 0 none, 0 timeout, 0 unreadable, 0 skipped; 0 puzzles in X s" ] \
  || fail "an empty directory: '$(cat "$work/out")'"

# File names of any bytes come out as JSON strings that parse back to the name, in byte order.
n=$work/names
mkdir -p "$n"
for name in $'new\nline' $'tab\there' 'quote"' 'back\slash' $'ctl\001' 'é' 'ズメリ' $'\xff' 'plain'; do
  cp "$c/Z.non" "$n/$name.non"
done
run -j 3 --format json "$n"
expect_status 0 "odd file names"
python3 - "$work/out" "$n" <<'PY' || fail "odd file names in JSON"
import json, os, sys
out, folder = sys.argv[1], os.fsencode(sys.argv[2])
lines = open(out, "rb").read().split(b"\n")
assert lines[-1] == b"", lines[-1]
objects = [json.loads(line.decode("utf-8")) for line in lines[:-1]]
names = sorted(os.listdir(folder))
expected = [(folder + b"/" + name).decode("utf-8", "replace") for name in names]
assert [o["path"] for o in objects[:-1]] == expected, ([o["path"] for o in objects[:-1]], expected)
assert all(o["verdict"] == "unique" for o in objects[:-1])
assert objects[-1]["summary"]["unique"] == len(names) == 9, objects[-1]
PY

# Exit statuses: 0 all decided (skipped files do not count), 1 a timeout or an unreadable
# file, 2 bad arguments.
run -j 2 "$data"
expect_status 0 "the shared puzzles"
run "$c/missing"
expect_status 1 "a missing operand file"
expect_err "zumeli-solve: $c/missing: No such file or directory" "a missing operand file"
run --timeout 0.001 -j 2 "$source/bench/puzzles/broad-59x50.non" "$c/Z.non"
expect_status 1 "a timeout"
grep -q " timeout needs-search 59x50 " "$work/out" || fail "a timeout: '$(cat "$work/out")'"
expect_err "zumeli-solve: $source/bench/puzzles/broad-59x50.non: search given up at the time limit of 0.001 s; the clues are not decided" "a timeout"
for bad in 0 -1 x 1.5 1025 ''; do
  run -j "$bad" "$c/Z.non"
  expect_status 2 "-j '$bad'"
  expect_err "zumeli-solve: bad -j value \"$bad\"" "-j '$bad'"
  [ -s "$work/out" ] && fail "-j '$bad' printed '$(cat "$work/out")'"
done
run --jobs=0 "$c/Z.non"
expect_status 2 "--jobs=0"
run "$c/Z.non" -j
expect_status 2 "-j without a value"
expect_err "zumeli-solve: -j needs a number of jobs" "-j without a value"
run --format xml "$c/Z.non"
expect_status 2 "--format xml"
expect_err "zumeli-solve: bad --format value \"xml\"" "--format xml"
run "$c/Z.non" --format
expect_status 2 "--format without a value"
run -j 2 --format json
expect_status 2 "no operand"
expect_err "usage: zumeli-solve" "no operand"
run -j4 --format plain "$c/Z.non"
expect_status 0 "-j4 --format plain"
grep -qE "^$c/Z.non unique line-solvable 2x2 [0-9.]+ ms difficulty:simple-lines$" "$work/out" || fail "-j4 --format plain: '$(cat "$work/out")'"
run --help
for documented in "-j N" "--format plain|json" "Exit status: 0" "1 when a puzzle timed out" "2 for bad arguments" "summary: U unique"; do
  expect_err "$documented" "--help"
done

[ "$failures" = 0 ] || exit 1
echo "zumeli-solve handles collections"
