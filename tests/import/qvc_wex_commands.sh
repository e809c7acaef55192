#!/usr/bin/env bash
# qvc's building-load commands (list, import, bad input) on the shipped sample sibling project.
set -u
qvc=$1 examples=$2 out=$3
rm -rf "$out" && mkdir -p "$out"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

wex=$examples/wex-sample
cp "$wex/Project.mdb" "$out/sibling-before.mdb"
p=$out/prj
"$qvc" init "$p" >/dev/null || fail "init"
"$qvc" study add "$p" --json "$examples/office-hvac/study.json" >/dev/null || fail "study add"

"$qvc" wex buildings "$wex" >"$out/buildings.txt" || fail "wex buildings"
printf '101#Administration Building#\n102#Elementary School#\n103#Medical Office Building#\n' |
  cmp -s - "$out/buildings.txt" || fail "building list: $(cat "$out/buildings.txt")"

cid=$("$qvc" wex import "$p" 1 "$wex" "Medical Office Building" --equipment) || fail "import 103"
[ "$cid" = 1 ] || fail "case id '$cid'"
"$qvc" case show "$p" 1 1 >"$out/case1.json"
grep -q '"AnnOpCostName": "Purchased Steam"' "$out/case1.json" || fail "steam cost name"
grep -q '"AnnOpCost": 142888' "$out/case1.json" || fail "electric cost rounded"
grep -q '"InvItemName": "Air handler AHU-1, 24000 cfm"' "$out/case1.json" || fail "equipment"

"$qvc" wex import "$p" 1 "$wex" 101 >/dev/null || fail "import 101"
"$qvc" case show "$p" 1 2 >"$out/case2.json"
grep -q '"AnnOpCost": 17512' "$out/case2.json" || fail "gas 17512.50 to the even 17512"

cmp -s "$wex/Project.mdb" "$out/sibling-before.mdb" || fail "the sample sibling project changed"

if "$qvc" wex import "$p" 1 "$wex" Garage >/dev/null 2>"$out/err.txt"; then
  fail "unknown building imported"
fi
grep -q "no building 'Garage'" "$out/err.txt" || fail "unknown building: $(cat "$out/err.txt")"

[ $fails -eq 0 ] && echo "all wex command checks passed"
exit $((fails > 0))
