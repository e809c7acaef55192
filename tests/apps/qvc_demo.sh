#!/usr/bin/env bash
# `qvc demo`, never clearing a folder it did not make; `qvc sensitivity`; with "print",
# `qvc calc --view` and `--print` without a display or a printer.
set -u
qvc=$1 out=$2 print=${3:-}
rm -rf "$out" "$out-user"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

"$qvc" demo "$out" >"$out.log" 2>&1 || fail "demo exited $?: $(tail -5 "$out.log")"
reports=$out/reports
txt="$reports/CashFlow_Office Building Central Plant.TXT"
grep -qx "$txt" "$out.log" && [ -s "$txt" ] || fail "text cash flow file missing or not listed"
# Refurbish: 185,000 + 42,000 first cost; 148,500 x 1.025 + 41,200 x 1.03 + 26,800 x 1.025
# + 6,400 x 1.02 = 228,646.5 a year. High efficiency: 610,000 + 168,000 + 92,000 - 60,000.
for figure in 227,000 228,646 810,000; do
  grep -q "\\\$$figure" "$reports/Office Building Central Plant_Life-Cycle Cost Summary.RTF" ||
    fail "$figure not in the summary"
done

"$qvc" demo "$out" >"$out.log" 2>&1 || fail "second demo exited $?: $(tail -5 "$out.log")"
grep -q '/\.' "$out.log" && fail "the listing shows hidden files: $(grep '/\.' "$out.log")"
# Reproducer: `qvc demo ~` removed "~/reports" and "~/Office HVAC project" whatever they held.
user=$out-user
mkdir -p "$user/reports" && echo "mine" >"$user/reports/thesis.txt"
"$qvc" demo "$user" >"$user.log" 2>&1 && fail "demo into a user's reports folder succeeded"
grep -q "$user/reports\" already exists and was not made by .qvc demo" "$user.log" ||
  fail "no message naming the folder: $(cat "$user.log")"
[ "$(cat "$user/reports/thesis.txt" 2>/dev/null)" = mine ] || fail "the user's file was touched"
[ -e "$user/Office HVAC project" ] && fail "the demo went ahead before refusing"
rm -rf "$user/reports" && mkdir -p "$user/Office HVAC project" && echo "x" >"$user/Office HVAC project/keep"
"$qvc" demo "$user" >"$user.log" 2>&1 && fail "demo into a user's project folder succeeded"
[ -f "$user/Office HVAC project/keep" ] || fail "the user's project folder was cleared"

# Sensitivity leaves the project file as it was; a second run never replaces the first's files.
project="$out/Office HVAC project"
cp "$project/ORV30.mdb" "$out/before.mdb"
res=$out/sens
"$qvc" sensitivity "$project" 1 --out "$res" >"$out.log" 2>&1 || fail "sensitivity: $(cat "$out.log")"
cmp -s "$project/ORV30.mdb" "$out/before.mdb" || fail "the project file changed"
[ "$(head -c 8 "$res/tornado.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "tornado.png is no PNG"
cp "$res/sensitivity.txt" "$out/first.txt"
"$qvc" sensitivity "$project" 1 --vary discount-rate --out "$res" >"$out.log" 2>&1 &&
  fail "a second run into the same folder succeeded"
grep -q "already exists" "$out.log" || fail "no message naming the file: $(cat "$out.log")"
cmp -s "$res/sensitivity.txt" "$out/first.txt" || fail "the first run's table was replaced"

if [ "$print" = print ]; then  # printing to a PDF: the installed tree's check
  no_display() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u PRINTER "$@"; }
  no_display "$qvc" calc "$project" 1 --view --out "$out/view" >"$out.log" 2>&1 &&
    fail "--view without a display succeeded"
  grep -q "No display is available" "$out.log" || fail "--view message: $(cat "$out.log")"
  no_display "$qvc" calc "$project" 1 --print --out "$out/printer" >"$out.log" 2>&1
  [ $? -eq 1 ] && grep -q "calculated, but its reports could not be printed" "$out.log" ||
    fail "--print without a printer: $(tail -2 "$out.log")"
fi

[ "$fails" -eq 0 ] && echo "qvc demo checks passed"
exit "$fails"
