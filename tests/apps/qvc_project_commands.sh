#!/usr/bin/env bash
# The project commands of qvc on the bundled example: init, add, show, update,
# count, and the messages for bad input.
set -u
qvc=$1 examples=$2 out=$3
rm -rf "$out" && mkdir -p "$out"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
check() {  # check DESCRIPTION COMMAND...: the command must succeed
  local what=$1; shift
  "$@" || fail "$what"
}
expect_failure() {  # expect_failure DESCRIPTION PATTERN COMMAND...: non-zero exit, stderr matches
  local what=$1 pattern=$2; shift 2
  if "$@" >/dev/null 2>"$out/err.txt"; then
    fail "$what (succeeded)"
  elif ! grep -q -- "$pattern" "$out/err.txt"; then
    fail "$what: stderr was: $(cat "$out/err.txt")"
  fi
}

p=$out/prj
check "init" "$qvc" init "$p" >/dev/null
expect_failure "init twice" "already exists" "$qvc" init "$p"
[ "$("$qvc" count "$p")" = 0 ] || fail "empty count"

sid=$("$qvc" study add "$p" --json "$examples/office-hvac/study.json")
[ "$sid" = 1 ] || fail "study id '$sid'"
"$qvc" study show "$p" 1 >"$out/study1.json"
check "study update" "$qvc" study update "$p" 1 --json "$out/study1.json"
"$qvc" study show "$p" 1 >"$out/study2.json"
check "study round trip" cmp -s "$out/study1.json" "$out/study2.json"
grep -q '"DiscountRate": 7.0' "$out/study1.json" || fail "study JSON content"

n=0
for f in "$examples"/office-hvac/cases/*.json; do
  n=$((n + 1))
  cid=$("$qvc" case add "$p" 1 --json "$f")
  [ "$cid" = "$n" ] || fail "case id '$cid' for $f"
  "$qvc" case show "$p" 1 "$cid" >"$out/case$cid-a.json"
  check "case update $cid" "$qvc" case update "$p" 1 "$cid" --json "$out/case$cid-a.json"
  "$qvc" case show "$p" 1 "$cid" >"$out/case$cid-b.json"
  check "case round trip $cid" cmp -s "$out/case$cid-a.json" "$out/case$cid-b.json"
done
[ "$("$qvc" count "$p" 1)" = 3 ] || fail "case count"
grep -q '"InvItemName": "Utility efficiency rebate"' "$out/case2-a.json" ||
  fail "rebate row missing from case 2"
grep -q '"InvItemPK": 4' "$out/case1-a.json" && fail "case 1 has only 3 investments"

printf '{\n  "StudyTitle": "x",\n  "Lifecycle": 25,\n  oops\n}\n' >"$out/bad.json"
expect_failure "bad JSON" "line 4" "$qvc" study add "$p" --json "$out/bad.json"
printf '{"StudyTitle": "x", "Colour": "red"}' >"$out/unknown.json"
expect_failure "unknown key" "Colour: unknown field" "$qvc" study add "$p" --json "$out/unknown.json"
printf '{"Investments": [{"InvCost": "cheap"}]}' >"$out/type.json"
expect_failure "wrong type" "Investments\[1\].InvCost: expected a number" "$qvc" case add "$p" 1 --json "$out/type.json"
printf '{"Loans": [{},{},{},{},{},{"LoanPercent": 5}]}' >"$out/rows.json"
expect_failure "too many rows" "Loans: 6 rows given" "$qvc" case add "$p" 1 --json "$out/rows.json"
printf '{"Lifecycle": 70000}' >"$out/range.json"
expect_failure "out of range" "Lifecycle: expected a whole number" "$qvc" study add "$p" --json "$out/range.json"
expect_failure "missing study" "no study 9" "$qvc" study show "$p" 9
expect_failure "missing case" "has no case 7" "$qvc" case show "$p" 1 7
expect_failure "no project" "no project in" "$qvc" count "$out/nowhere"
[ "$("$qvc" count "$p")" = 1 ] || fail "a failed add stored a study"

# Summary, copies, moves, deletions.
"$qvc" list "$p" 1 >"$out/list.txt"
grep -q "^<project><study Id='1' StudyTitle='Office Building Central Plant' CurSymbol='\$' LifeCycle='25' TypeofAnalysis='0' TypeOfAlternatives='0' bTaxChecked='1'><case id='1'>Refurbish the existing plant</case>" "$out/list.txt" ||
  fail "list mark-up: $(cat "$out/list.txt")"
"$qvc" list "$p" --table | grep -q "with income taxes" || fail "list --table"
"$qvc" study copy "$p" 1 | grep -q "StudyTitle='Copy (1) of Office Building Central Plant'" ||
  fail "study copy"
[ "$("$qvc" count "$p" 2)" = 3 ] || fail "copied study has 3 cases"
"$qvc" case copy "$p" 1 2 --to 2 | grep -q ">Copy (1) of High-efficiency" || fail "case copy"
"$qvc" case move "$p" 1 3 --to 2 | grep -q "<case id='3'>Ground-source" || fail "case move"
[ "$("$qvc" count "$p" 1)" = 2 ] || fail "count after move"
check "case delete" "$qvc" case delete "$p" 2 3
check "study delete" "$qvc" study delete "$p" 2
[ "$("$qvc" count "$p")" = 1 ] || fail "count after delete"
expect_failure "delete missing study" "no study 2" "$qvc" study delete "$p" 2

# Reports: a calculation with every code, and input reports alone.
"$qvc" calc "$p" 1 --reports SI-LS --out "$out/reports" >"$out/calc.txt" 2>"$out/calc-err.txt"
rc=$?
[ "$rc" = 0 ] || fail "calc exit $rc: $(cat "$out/calc-err.txt")"
ls "$out/reports" | grep -q "_Study Inputs.RTF" || fail "calc wrote no study inputs"
ls "$out/reports" | grep -q "_Life-Cycle Cost Summary.RTF" || fail "calc wrote no summary"
"$qvc" inputs "$p" 1 1 --out "$out/inputs" >/dev/null 2>&1 || fail "inputs"
ls "$out/inputs" | grep -q "_Design Case Inputs.RTF" || fail "inputs wrote no case report"
printf '{"StudyTitle": "Too short", "Lifecycle": 1, "DiscountRate": 3}' >"$out/short.json"
sid=$("$qvc" study add "$p" --json "$out/short.json")
expect_failure "study out of range" "status 309" "$qvc" calc "$p" "$sid" --reports LS --out "$out/r309"
# With an input report requested the run falls back to it, and says why.
"$qvc" calc "$p" "$sid" --reports SI-LS --out "$out/r309si" >/dev/null 2>"$out/r309si.txt"
rc=$?
{ [ "$rc" = 3 ] && grep -q "not calculated (status 309" "$out/r309si.txt"; } ||
  fail "309 fallback exit $rc: $(cat "$out/r309si.txt")"
empty=$("$qvc" study add "$p" --json "$examples/office-hvac/study.json")
"$qvc" calc "$p" "$empty" --reports SI-LS --out "$out/r302" >/dev/null 2>"$out/r302.txt"
rc=$?
{ [ "$rc" = 3 ] && grep -q "not calculated (status 302" "$out/r302.txt"; } ||
  fail "302 fallback exit $rc: $(cat "$out/r302.txt")"
# A failed calculation writes no results and no answer, keeps a file of that
# name as it was, and leaves no temporary file; with nothing to do, a usage error.
calc_status() { "$qvc" calc "$@" >"$out/answer.txt" 2>"$out/err.txt"; echo $?; }
[ "$(calc_status "$p" "$empty" --json "$out/r.json")" = 1 ] || fail "calc of no cases: $(cat "$out/err.txt")"
grep -q "not calculated" "$out/err.txt" || fail "no-cases message: $(cat "$out/err.txt")"
[ -e "$out/r.json" ] || [ -s "$out/answer.txt" ] && fail "a failed calculation wrote results"
echo kept >"$out/r.json"
[ "$(calc_status "$p" "$empty" --json "$out/r.json")" = 1 ] || fail "calc of no cases over a file"
[ "$(calc_status "$p" 1 --reports SI --json "$out/r.json")" = 1 ] || fail "results of input reports"
[ "$(cat "$out/r.json")" = kept ] || fail "a failed calculation replaced a file"
ls -A "$out" | grep -q '^\.qvc' && fail "a temporary file was left: $(ls -A "$out")"
[ "$(calc_status "$p" 1)" = 2 ] || fail "calc with nothing to do is no usage error"
check "delete the study without cases" "$qvc" study delete "$p" "$empty"

# Reproducer: converted to simple payback, cases without loans got a loan term
# of 0 and the calculation refused the study (status 310).
copied=$("$qvc" study copy "$p" 1)
copy=$(echo "$copied" | sed -n "s/.*Id='\([0-9]*\)'.*/\1/p")
refurbish=$(echo "$copied" | sed -n "s/.*<case id='\([0-9]*\)'>Refurbish.*/\1/p")
check "convert to simple payback" "$qvc" study convert "$p" "$copy" 2
"$qvc" case show "$p" "$copy" "$refurbish" | grep -q '"LoanTerm": 10' ||
  fail "converted case without loans: $("$qvc" case show "$p" "$copy" "$refurbish")"
"$qvc" calc "$p" "$copy" --reports LS --out "$out/converted" >/dev/null 2>"$out/converted.txt" ||
  fail "calc after convert: $(cat "$out/converted.txt")"
check "delete the converted copy" "$qvc" study delete "$p" "$copy"

# A record whose title is any text at all can be shown and deleted again.
printf '{"StudyTitle": "\\u0001(not read)"}' >"$out/marker.json"
mid=$("$qvc" study add "$p" --json "$out/marker.json")
"$qvc" study show "$p" "$mid" | grep -q '"StudyTitle": "\\u0001(not read)"' ||
  fail "a study titled like a marker"
check "delete a study titled like a marker" "$qvc" study delete "$p" "$mid"

# A project made by an older qvc, whose copy of the texts lacks a newer one:
# the shipped texts are used, with a note, and the report has every label.
old=$out/older
cp -r "$p" "$old"
sqlite3 "$old/QVCStrings.mdb" "DELETE FROM ResourceStrings WHERE ReferenceText = 'gXstrADColAdjustedRateReturn'"
"$qvc" calc "$old" 1 --reports AD --out "$old/reports" >/dev/null 2>"$out/older-err.txt" ||
  fail "calc with older texts: $(cat "$out/older-err.txt")"
grep -q "using the texts that came with qvc" "$out/older-err.txt" || fail "no note about older texts"
grep -q "Adjusted Internal Rate" "$old/reports/"*"_Analysis Details.RTF" ||
  fail "AD report lacks the newer label"

# A project in a folder the user may only read (run as another user, as root
# may write anywhere): reading and calculating work, changes are refused.
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
  ro=$out/readonly
  cp -r "$p" "$ro" && chmod 755 "$ro" && chmod 644 "$ro"/*
  mkdir -p "$out/ro-reports" && chmod 777 "$out/ro-reports"
  as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
  quietly_as_user() { as_user "$@" >/dev/null; }
  before=$(cksum <"$ro/ORV30.mdb")
  [ "$(as_user "$qvc" count "$ro" 2>&1)" = 2 ] || fail "count in a read-only folder"
  check "list in a read-only folder" quietly_as_user "$qvc" list "$ro" --table
  check "show in a read-only folder" quietly_as_user "$qvc" case show "$ro" 1 1
  check "calc in a read-only folder" quietly_as_user "$qvc" calc "$ro" 1 --out "$out/ro-reports"
  expect_failure "add in a read-only folder" "read-only" as_user "$qvc" study add "$ro" --json "$out/short.json"
  [ "$(cksum <"$ro/ORV30.mdb")" = "$before" ] || fail "read-only project changed"
  [ "$(ls "$ro" | wc -l)" = 2 ] || fail "files beside a read-only project: $(ls "$ro")"
fi

[ "$fails" -eq 0 ] && echo "all qvc project command checks passed"
exit "$fails"
