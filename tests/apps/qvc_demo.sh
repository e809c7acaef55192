#!/usr/bin/env bash
# `qvc demo` end to end on the bundled example: every report is written, and two
# figures of the life-cycle summary agree with a hand calculation.
set -u
qvc=$1 out=$2
rm -rf "$out"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

"$qvc" demo "$out" >"$out.log" 2>&1 || fail "demo exited $?: $(tail -5 "$out.log")"
reports=$out/reports
for name in "Office Building Central Plant_Study Inputs.RTF" \
            "Office Building Central Plant_Design Case Inputs.RTF" \
            "Office Building Central Plant_Life-Cycle Cost Summary.RTF" \
            "Office Building Central Plant_Analysis Details.RTF" \
            "Office Building Central Plant_Cash Flows.RTF" \
            "Office Building Central Plant_Total Present Worth Profiles.RTF"; do
  [ -s "$reports/$name" ] || fail "missing report $name"
done
# The text cash flow file goes where the reports go and is listed with them.
[ -s "$reports/CashFlow_Office Building Central Plant.TXT" ] || fail "missing text cash flow file"
[ -e "$out/Office HVAC project/CashFlow_Office Building Central Plant.TXT" ] &&
  fail "text cash flow file beside the project"
grep -qx "$reports/CashFlow_Office Building Central Plant.TXT" "$out.log" ||
  fail "text cash flow file not listed"

ls_rtf="$reports/Office Building Central Plant_Life-Cycle Cost Summary.RTF"
# First cost of "Refurbish the existing plant": the year-0 investments
# 185,000 + 42,000 = 227,000 (the replacement chillers come in year 12).
grep -q '\$227,000' "$ls_rtf" || fail "first cost 227,000 not in the summary"
# Its annual operating cost (year 1, escalated one year):
# 148,500 x 1.025 + 41,200 x 1.03 + 26,800 x 1.025 + 6,400 x 1.02
# = 152,212.5 + 42,436 + 27,470 + 6,528 = 228,646.5, shown to the even whole: 228,646.
grep -q '\$228,646' "$ls_rtf" || fail "annual operating cost 228,646 not in the summary"
# High efficiency: 610,000 + 168,000 + 92,000 - 60,000 rebate = 810,000.
grep -q '\$810,000' "$ls_rtf" || fail "first cost 810,000 not in the summary"

# `make demo` runs the demo again and again into the same folder.
"$qvc" demo "$out" >"$out.log" 2>&1 || fail "second demo exited $?: $(tail -5 "$out.log")"
[ -s "$reports/Office Building Central Plant_Study Inputs.RTF" ] || fail "second demo wrote no study inputs"
grep -q '/\.' "$out.log" && fail "the listing shows hidden files: $(grep '/\.' "$out.log")"

# Reproducer: `qvc demo ~` removed "~/reports" and "~/Office HVAC project"
# whatever they held. A folder the demo did not make is refused untouched.
user=$out-user
rm -rf "$user" && mkdir -p "$user/reports" && echo "mine" >"$user/reports/thesis.txt"
"$qvc" demo "$user" >"$user.log" 2>&1 && fail "demo into a user's reports folder succeeded"
grep -q "$user/reports\" already exists and was not made by .qvc demo" "$user.log" ||
  fail "no message naming the folder: $(cat "$user.log")"
[ "$(cat "$user/reports/thesis.txt" 2>/dev/null)" = mine ] || fail "the user's file was touched"
[ -e "$user/Office HVAC project" ] && fail "the demo went ahead before refusing"
rm -rf "$user/reports" && mkdir -p "$user/Office HVAC project" && echo "x" >"$user/Office HVAC project/keep"
"$qvc" demo "$user" >"$user.log" 2>&1 && fail "demo into a user's project folder succeeded"
[ -f "$user/Office HVAC project/keep" ] || fail "the user's project folder was cleared"

[ "$fails" -eq 0 ] && echo "qvc demo checks passed"
exit "$fails"
