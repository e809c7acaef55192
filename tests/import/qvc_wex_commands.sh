#!/usr/bin/env bash
# The building-load commands of qvc on the shipped sample sibling project:
# list, import with and without equipment, bad input, the converted study's sums.
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

cid=$("$qvc" wex import "$p" 1 "$wex" 101) || fail "import 101"
[ "$cid" = 2 ] || fail "second case id '$cid'"
"$qvc" case show "$p" 1 2 >"$out/case2.json"
grep -q '"InvItemName"' "$out/case2.json" && fail "equipment imported without --equipment"
grep -q '"AnnOpCost": 17512' "$out/case2.json" || fail "gas 17512.50 to the even 17512"

cmp -s "$wex/Project.mdb" "$out/sibling-before.mdb" || fail "the sample sibling project changed"

if "$qvc" wex import "$p" 1 "$wex" Garage >/dev/null 2>"$out/err.txt"; then
  fail "unknown building imported"
fi
grep -q "no building 'Garage'" "$out/err.txt" || fail "unknown building: $(cat "$out/err.txt")"

# Simple payback: one energy cost of all the costs starting in year 1.
"$qvc" study convert "$p" 1 2 || fail "convert to 2"
"$qvc" case show "$p" 1 1 >"$out/case1-simple.json"
grep -q '"AnnOpCost": 207324' "$out/case1-simple.json" || fail "energy sum 207324"
grep -q '"InvItemName": "Initial Investment Cost"' "$out/case1-simple.json" || fail "investment name"
grep -q 'Air handler' "$out/case1-simple.json" && fail "equipment rows remain after conversion"

[ $fails -eq 0 ] && echo "all wex command checks passed"
exit $((fails > 0))
