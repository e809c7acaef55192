#!/usr/bin/env bash
# The project commands on the example; bad input is refused (exit 1), the project unchanged.
set -u
qvc=$1 examples=$2 out=$3
rm -rf "$out" && mkdir -p "$out"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
check() {  # check DESCRIPTION COMMAND...: the command must succeed
  local what=$1; shift
  "$@" || fail "$what"
}
refused() {  # refused DESCRIPTION PATTERN COMMAND...: exit 1 (no crash), stderr matches
  local what=$1 pattern=$2; shift 2
  "$@" >/dev/null 2>"$out/err.txt"
  local rc=$?
  { [ "$rc" = 1 ] && grep -q -- "$pattern" "$out/err.txt"; } ||
    fail "$what: exit $rc: $(head -c 300 "$out/err.txt")"
}

p=$out/prj
check "init" "$qvc" init "$p" >/dev/null
sid=$("$qvc" study add "$p" --json "$examples/office-hvac/study.json")
[ "$sid" = 1 ] || fail "study id '$sid'"
"$qvc" study show "$p" 1 >"$out/study1.json"
check "study update" "$qvc" study update "$p" 1 --json "$out/study1.json"
"$qvc" study show "$p" 1 | cmp -s - "$out/study1.json" || fail "study round trip"
n=0
for f in "$examples"/office-hvac/cases/*.json; do
  n=$((n + 1))
  cid=$("$qvc" case add "$p" 1 --json "$f")
  [ "$cid" = "$n" ] || fail "case id '$cid' for $f"
  "$qvc" case show "$p" 1 "$cid" >"$out/case$cid.json"
  check "case update $cid" "$qvc" case update "$p" 1 "$cid" --json "$out/case$cid.json"
  "$qvc" case show "$p" 1 "$cid" | cmp -s - "$out/case$cid.json" || fail "case round trip $cid"
done
[ "$("$qvc" count "$p" 1)" = 3 ] || fail "case count"

bad() { printf '%s' "$2" >"$out/$1.json"; echo "$out/$1.json"; }
refused "unknown key" "Colour: unknown field" \
  "$qvc" study add "$p" --json "$(bad unknown '{"StudyTitle": "x", "Colour": "red"}')"
refused "too many rows" "Loans: 6 rows given" \
  "$qvc" case add "$p" 1 --json "$(bad rows '{"Loans": [{},{},{},{},{},{"LoanPercent": 5}]}')"
refused "a key given twice" 'line 2: the key "StudyTitle" is given twice' \
  "$qvc" study add "$p" --json "$(bad twice '{"StudyTitle": "a",
"StudyTitle": "b"}')"
# Reproducer: 100,000 levels of nesting overflowed the stack (exit 139).
deep="{\"StudyTitle\": $(head -c 100000 /dev/zero | tr '\0' '[')$(head -c 100000 /dev/zero | tr '\0' ']')}"
refused "deep nesting" "line 1: StudyTitle\[1\]\[1\].*: nested more than 20 levels" \
  "$qvc" study add "$p" --json "$(bad deep "$deep")"
refused "missing study" "no study 9" "$qvc" study show "$p" 9
refused "no project" "no project in" "$qvc" count "$out/nowhere"
# A document that is good up to its last member or row writes nothing at all.
sed -e 's/"Refurbish the existing plant"/"Changed title"/' \
  -e 's/"Cooling tower refurbishment", "OtherOpCost": 28000/"Cooling tower", "OtherOpCost": "much"/' \
  "$examples/office-hvac/cases/1-refurbish.json" >"$out/bad-last-row.json"
for command in "case update $p 1 1" "case add $p 1"; do
  # shellcheck disable=SC2086
  refused "$command, a bad last row" "OtherCosts\[1\].OtherOpCost: expected a number" \
    "$qvc" $command --json "$out/bad-last-row.json"
done
sed -e 's/"StudyTitle": "[^"]*"/"StudyTitle": "Changed"/' -e 's/"IncomeTaxes": [0-9.]*/"IncomeTaxes": "x"/' \
  "$examples/office-hvac/study.json" >"$out/bad-study.json"
refused "study update with a bad last member" "IncomeTaxes: expected a number" \
  "$qvc" study update "$p" 1 --json "$out/bad-study.json"
[ "$("$qvc" count "$p") $("$qvc" count "$p" 1)" = "1 3" ] || fail "a refused add stored a record"
"$qvc" study show "$p" 1 | cmp -s - "$out/study1.json" || fail "a refused update changed the study"
"$qvc" case show "$p" 1 1 | cmp -s - "$out/case1.json" || fail "a refused update changed the case"

# Reports, and the fallback to input reports when the study cannot be calculated.
"$qvc" calc "$p" 1 --reports SI-LS --out "$out/reports" >/dev/null 2>"$out/err.txt" ||
  fail "calc: $(cat "$out/err.txt")"
ls "$out/reports" | grep -q "_Life-Cycle Cost Summary.RTF" || fail "calc wrote no summary"
"$qvc" inputs "$p" 1 1 --out "$out/inputs" >/dev/null 2>&1 || fail "inputs"
ls "$out/inputs" | grep -q "_Design Case Inputs.RTF" || fail "inputs wrote no case report"
short=$(bad short '{"StudyTitle": "Too short", "Lifecycle": 1, "DiscountRate": 3}')
sid=$("$qvc" study add "$p" --json "$short")
refused "study out of range" "status 309" "$qvc" calc "$p" "$sid" --reports LS --out "$out/r309"
empty=$("$qvc" study add "$p" --json "$examples/office-hvac/study.json")
for status in "$sid 309" "$empty 302"; do
  "$qvc" calc "$p" "${status% *}" --reports SI-LS --out "$out/r${status#* }" >/dev/null 2>"$out/err.txt"
  rc=$?
  { [ "$rc" = 3 ] && grep -q "not calculated (status ${status#* }" "$out/err.txt"; } ||
    fail "fallback $status exit $rc: $(cat "$out/err.txt")"
done
# A failed calculation writes nothing, keeps a file of that name, leaves no temporary file.
calc_status() { "$qvc" calc "$@" >"$out/answer.txt" 2>"$out/err.txt"; echo $?; }
[ "$(calc_status "$p" "$empty" --json "$out/r.json")" = 1 ] || fail "calc of no cases: $(cat "$out/err.txt")"
[ -e "$out/r.json" ] || [ -s "$out/answer.txt" ] && fail "a failed calculation wrote results"
echo kept >"$out/r.json"
[ "$(calc_status "$p" "$empty" --json "$out/r.json")" = 1 ] || fail "calc of no cases over a file"
[ "$(calc_status "$p" 1 --reports SI --json "$out/r.json")" = 1 ] || fail "results of input reports"
[ "$(cat "$out/r.json")" = kept ] || fail "a failed calculation replaced a file"
ls -A "$out" | grep -q '^\.qvc' && fail "a temporary file was left: $(ls -A "$out")"
[ "$(calc_status "$p" 1)" = 2 ] || fail "calc with nothing to do is no usage error"
check "delete the study without cases" "$qvc" study delete "$p" "$empty"

# Reproducer: cases without loans converted to simple payback got loan term 0 (status 310).
copied=$("$qvc" study copy "$p" 1)
copy=$(echo "$copied" | sed -n "s/.*Id='\([0-9]*\)'.*/\1/p")
refurbish=$(echo "$copied" | sed -n "s/.*<case id='\([0-9]*\)'>Refurbish.*/\1/p")
check "convert to simple payback" "$qvc" study convert "$p" "$copy" 2
"$qvc" case show "$p" "$copy" "$refurbish" | grep -q '"LoanTerm": 10' || fail "converted loan term"
"$qvc" calc "$p" "$copy" --reports LS --out "$out/converted" >/dev/null 2>"$out/err.txt" ||
  fail "calc after convert: $(cat "$out/err.txt")"
check "delete the converted copy" "$qvc" study delete "$p" "$copy"

# An older project's texts lack a newer one: the shipped texts are used, with a note.
old=$out/older
cp -r "$p" "$old"
sqlite3 "$old/QVCStrings.mdb" "DELETE FROM ResourceStrings WHERE ReferenceText = 'gXstrADColAdjustedRateReturn'"
"$qvc" calc "$old" 1 --reports AD --out "$old/reports" >/dev/null 2>"$out/err.txt" ||
  fail "calc with older texts: $(cat "$out/err.txt")"
grep -q "using the texts that came with qvc" "$out/err.txt" || fail "no note about older texts"
grep -q "Adjusted Internal Rate" "$old/reports/"*"_Analysis Details.RTF" || fail "AD report lacks the newer label"

# A read-only project (as another user: root writes anywhere): reads work, changes refused.
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
  ro=$out/readonly
  cp -r "$p" "$ro" && chmod 755 "$ro" && chmod 644 "$ro"/*
  mkdir -p "$out/ro-reports" && chmod 777 "$out/ro-reports"
  as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
  before=$(cksum <"$ro/ORV30.mdb")
  [ "$(as_user "$qvc" count "$ro" 2>&1)" = 2 ] || fail "count in a read-only folder"
  as_user "$qvc" list "$ro" --table | grep -q "with income taxes" || fail "list --table, read-only"
  as_user "$qvc" calc "$ro" 1 --out "$out/ro-reports" >/dev/null || fail "calc in a read-only folder"
  refused "add in a read-only folder" "read-only" as_user "$qvc" study add "$ro" --json "$short"
  [ "$(cksum <"$ro/ORV30.mdb")" = "$before" ] || fail "read-only project changed"
  [ "$(ls "$ro" | wc -l)" = 2 ] || fail "files beside a read-only project: $(ls "$ro")"
fi

[ "$fails" -eq 0 ] && echo "all qvc project command checks passed"
exit "$fails"
