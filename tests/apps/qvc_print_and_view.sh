#!/usr/bin/env bash
# The viewer side of `qvc calc`: --print --pdf prints every report of the demo
# study into one PDF with a "Page N of M" footer on each page (checked when
# pdftotext is installed); --view without a window system and --print without a
# printer fail with a clear message and leave no PDF behind.
set -u
qvc=$1 out=$2
rm -rf "$out"
mkdir -p "$out"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

"$qvc" demo "$out/demo" >"$out/demo.log" 2>&1 || fail "demo exited $?"
project="$out/demo/Office HVAC project"

pdf=$out/all.pdf
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
  "$qvc" calc "$project" 1 --print --pdf "$pdf" --out "$out/unused" >"$out/print.log" 2>&1 ||
  fail "printing to a PDF exited $?: $(tail -3 "$out/print.log")"
[ "$(head -c 5 "$pdf" 2>/dev/null)" = "%PDF-" ] || fail "no PDF written"
# Qt writes one uncompressed page object per page.
pages=$(grep -a -c '^/Type /Page$' "$pdf" 2>/dev/null)
# Six reports, the cash flows of three cases on landscape pages among them.
[ "${pages:-0}" -ge 12 ] || fail "only ${pages:-0} pages printed"
if command -v pdftotext >/dev/null; then
  text=$(pdftotext "$pdf" -)
  footers=$(grep -c -E '^Page [0-9]+ of [0-9]+$' <<<"$text")
  [ "$footers" -eq "$pages" ] || fail "$footers page footers on $pages pages"
  for title in "Study Inputs" "Design Case Inputs" "Life-Cycle Cost Summary" \
               "Analysis Details" "Cash Flows" "Total Present Worth Profiles"; do
    grep -q "$title" <<<"$text" || fail "report \"$title\" not printed"
  done
  grep -q '\$227,000' <<<"$text" || fail "first cost 227,000 not printed"
else
  echo "pdftotext not installed: page footers and titles not checked"
fi

# No window system: --view refuses at once and names what is missing.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "$qvc" calc "$project" 1 --view --out "$out/view" >"$out/view.log" 2>&1
status=$?
[ "$status" -ne 0 ] || fail "--view without a display succeeded"
grep -q "No display is available" "$out/view.log" || fail "--view message: $(cat "$out/view.log")"

# No printer: the calculation stands, the reports are not printed, and the
# command says so instead of claiming the study was not calculated.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u PRINTER \
  "$qvc" calc "$project" 1 --print --out "$out/printer" >"$out/printer.log" 2>&1
status=$?
[ "$status" -eq 1 ] || fail "--print without a printer exited $status"
grep -q "No printer is available" "$out/printer.log" || fail "no-printer message missing"
grep -q "calculated, but its reports could not be printed" "$out/printer.log" ||
  fail "no-printer summary: $(tail -2 "$out/printer.log")"

[ "$fails" -eq 0 ] && echo "qvc print and view checks passed"
exit "$fails"
