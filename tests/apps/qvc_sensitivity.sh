#!/usr/bin/env bash
# `qvc sensitivity` on the bundled example: the three files are written, the
# JSON parses, the text table has a row per factor, the project file is left
# byte for byte as it was, and a second run never replaces the first's files.
set -u
qvc=$1 out=$2
rm -rf "$out"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

"$qvc" demo "$out" >"$out.log" 2>&1 || fail "demo exited $?: $(tail -5 "$out.log")"
project="$out/Office HVAC project"
cp "$project/ORV30.mdb" "$out/before.mdb"

res=$out/sens
"$qvc" sensitivity "$project" 1 --out "$res" >"$out.log" 2>&1 || fail "sensitivity exited $?: $(cat "$out.log")"
for name in sensitivity.json sensitivity.txt tornado.png; do
  [ -s "$res/$name" ] || fail "missing $name"
done
cmp -s "$project/ORV30.mdb" "$out/before.mdb" || fail "the project file changed"

python3 - "$res" <<'PY' || fail "JSON or text table check"
import json, sys
res = sys.argv[1]
doc = json.load(open(res + "/sensitivity.json"))
text = open(res + "/sensitivity.txt", newline="").read()
assert "\r\n" in text, "text lines do not end in CR LF"
table = text.split("\r\n\r\n")[1].split("\r\n")
rows = [line for line in table[1:] if line]
labels = [f["Label"] for f in doc["Factors"]]
# Every case of the example has every group, and its study considers taxes.
assert len(labels) == 2 + 4 * len(doc["Cases"]), labels
assert len(rows) == len(labels), (rows, labels)
for row, label in zip(rows, labels):
    assert row.startswith(label + " "), (row, label)
assert doc["Base"]["Calculated"] and doc["PreferredCaseID"] in [c["CaseID"] for c in doc["Cases"]]
PY
[ "$(head -c 8 "$res/tornado.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "tornado.png is no PNG"

# The files of the first run stay as they were.
cp "$res/sensitivity.txt" "$out/first.txt"
"$qvc" sensitivity "$project" 1 --vary discount-rate --out "$res" >"$out.log" 2>&1 &&
  fail "a second run into the same folder succeeded"
grep -q "already exists" "$out.log" || fail "no message naming the file: $(cat "$out.log")"
cmp -s "$res/sensitivity.txt" "$out/first.txt" || fail "the first run's table was replaced"

# A rate beyond the study check fails that point alone.
"$qvc" sensitivity "$project" 1 --vary discount-rate=2%:60% --vary investment:2=-10%:+30% \
  --out "$out/vary" >"$out.log" 2>&1 || fail "sensitivity --vary exited $?: $(cat "$out.log")"
python3 - "$out/vary/sensitivity.json" <<'PY' || fail "--vary results"
import json, sys
f = json.load(open(sys.argv[1]))["Factors"]
assert [x["Name"] for x in f] == ["discount-rate", "investment:2"], f
assert f[0]["Low"]["Calculated"] and abs(f[0]["Low"]["Value"] - 0.02) < 1e-12
assert not f[0]["High"]["Calculated"] and f[0]["High"]["ErrorNumber"] == 309
assert abs(f[1]["High"]["Value"] - 1.3) < 1e-12
PY
"$qvc" sensitivity "$project" 1 --vary nonsense:1 --out "$out/bad" >"$out.log" 2>&1 &&
  fail "an unknown factor was accepted"

[ "$fails" -eq 0 ] && echo "qvc sensitivity checks passed"
exit "$fails"
