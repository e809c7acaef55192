#!/usr/bin/env bash
# Hostile JSON given to qvc: deep nesting, a bad row at the end of an otherwise
# good document, and stored texts that are not UTF-8 (the reader's other
# refusals are checked by test_json_records). Every refusal exits 1 with a
# message and leaves the project as it was; `show` always works and its output
# is accepted again.
set -u
qvc=$1 examples=$2 out=$3
rm -rf "$out" && mkdir -p "$out"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
# refused DESCRIPTION PATTERN COMMAND...: exit status 1 (not a crash), stderr matches
refused() {
  local what=$1 pattern=$2; shift 2
  "$@" >/dev/null 2>"$out/err.txt"
  local rc=$?
  if [ "$rc" -ne 1 ]; then
    fail "$what: exit status $rc: $(head -c 300 "$out/err.txt")"
  elif ! grep -q -- "$pattern" "$out/err.txt"; then
    fail "$what: stderr was: $(head -c 300 "$out/err.txt")"
  elif grep -q "unexpected failure" "$out/err.txt"; then
    fail "$what: $(cat "$out/err.txt")"
  fi
}

p=$out/prj
"$qvc" init "$p" >/dev/null || fail "init"
"$qvc" study add "$p" --json "$examples/office-hvac/study.json" >/dev/null || fail "study add"
"$qvc" case add "$p" 1 --json "$examples/office-hvac/cases/1-refurbish.json" >/dev/null ||
  fail "case add"
"$qvc" study show "$p" 1 >"$out/study-before.json" || fail "study show"
"$qvc" case show "$p" 1 1 >"$out/case-before.json" || fail "case show"

# A member nested 100,000 deep used to overflow the stack (exit 139).
{
  printf '{\n  "StudyTitle": '
  head -c 100000 /dev/zero | tr '\0' '['
  head -c 100000 /dev/zero | tr '\0' ']'
  printf '\n}\n'
} >"$out/deep.json"
refused "deep nesting" "deep.json: line 2: StudyTitle\[1\]\[1\].*: nested more than 20 levels" \
  "$qvc" study add "$p" --json "$out/deep.json"

# A document that is good up to its last row writes nothing at all.
sed -e 's/"Refurbish the existing plant"/"Changed title"/' \
  -e 's/"Cooling tower refurbishment", "OtherOpCost": 28000/"Cooling tower", "OtherOpCost": "much"/' \
  "$examples/office-hvac/cases/1-refurbish.json" >"$out/bad-last-row.json"
grep -q '"much"' "$out/bad-last-row.json" || fail "the bad-last-row input was not made"
refused "case update with a bad last row" "OtherCosts\[1\].OtherOpCost: expected a number" \
  "$qvc" case update "$p" 1 1 --json "$out/bad-last-row.json"
refused "case add with a bad last row" "OtherCosts\[1\].OtherOpCost" \
  "$qvc" case add "$p" 1 --json "$out/bad-last-row.json"
sed -e 's/"StudyTitle": "[^"]*"/"StudyTitle": "Changed"/' -e 's/"IncomeTaxes": [0-9.]*/"IncomeTaxes": "x"/' \
  "$examples/office-hvac/study.json" >"$out/bad-study.json"
grep -q '"IncomeTaxes": "x"' "$out/bad-study.json" || fail "the bad-study input was not made"
refused "study update with a bad last member" "IncomeTaxes: expected a number" \
  "$qvc" study update "$p" 1 --json "$out/bad-study.json"
refused "study add with a bad last member" "IncomeTaxes" \
  "$qvc" study add "$p" --json "$out/bad-study.json"
[ "$("$qvc" count "$p")" = 1 ] || fail "a study was added: $("$qvc" count "$p")"
[ "$("$qvc" count "$p" 1)" = 1 ] || fail "a case was added: $("$qvc" count "$p" 1)"
"$qvc" study show "$p" 1 | cmp -s - "$out/study-before.json" || fail "the study changed"
"$qvc" case show "$p" 1 1 | cmp -s - "$out/case-before.json" || fail "the case changed"

# Texts that are not UTF-8 reach the project from the building-load importer.
sql="UPDATE tblStudy SET sStudyTitle = CAST(X'436166E9' AS TEXT) WHERE iStudyId = 1;
UPDATE tblInvestmentCost SET sInvItemName = CAST(X'426F696C657220C3' AS TEXT)
  WHERE iInvestmentCostId = (SELECT MIN(iInvestmentCostId) FROM tblInvestmentCost WHERE iCaseId = 1);"
sqlite3 "$p/ORV30.mdb" "$sql" || fail "sqlite3"
"$qvc" study show "$p" 1 >"$out/study-utf8.json" 2>"$out/err.txt" ||
  fail "study show with a title that is not UTF-8: $(cat "$out/err.txt")"
replacement=$(printf '\xEF\xBF\xBD')
grep -q "\"StudyTitle\": \"Caf$replacement\"" "$out/study-utf8.json" ||
  fail "study title: $(grep StudyTitle "$out/study-utf8.json")"
"$qvc" case show "$p" 1 1 >"$out/case-utf8.json" 2>"$out/err.txt" ||
  fail "case show with a row name that is not UTF-8: $(cat "$out/err.txt")"
grep -q "\"InvItemName\": \"Boiler $replacement\"" "$out/case-utf8.json" ||
  fail "row name: $(grep -m1 InvItemName "$out/case-utf8.json")"
# What show prints is accepted again, and then shows the same.
"$qvc" study update "$p" 1 --json "$out/study-utf8.json" || fail "study update from show"
"$qvc" case update "$p" 1 1 --json "$out/case-utf8.json" || fail "case update from show"
"$qvc" study show "$p" 1 | cmp -s - "$out/study-utf8.json" || fail "study changed by the round trip"
"$qvc" case show "$p" 1 1 | cmp -s - "$out/case-utf8.json" || fail "case changed by the round trip"

[ "$fails" -eq 0 ] && echo "all hostile JSON checks passed" || echo "$fails failure(s)"
exit $((fails > 0))
