#!/usr/bin/env bash
# Kill -9 during study copy, convert, delete and case update: the project stays intact,
# holds the state from before the command or after it, never half, and takes the next command.
#   qvc_crash_consistency.sh QVC EXAMPLES OUTDIR [TRIALS]
set -u
qvc=$1 examples=$2 out=$3 trials=${4:-100}
rm -rf "$out" && mkdir -p "$out"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
ms() { echo $(($(date +%s%N) / 1000000)); }

# Every row of every table, in key order: equal dumps mean equal projects.
dump() {
  sqlite3 "$1/ORV30.mdb" "
    SELECT * FROM tblStudy ORDER BY 1; SELECT * FROM tblDesignCase ORDER BY 1;
    SELECT * FROM tblInvestmentCost ORDER BY 1; SELECT * FROM tblLoanDetails ORDER BY 1;
    SELECT * FROM tblAnnualOPCost ORDER BY 1; SELECT * FROM tblOtherOPCost ORDER BY 1;
    SELECT * FROM sqlite_sequence ORDER BY 1;"
}

# A case with every list full, so that kills land inside a copy's or conversion's transaction.
full_case() {  # full_case TITLE
  python3 - "$1" <<'PY'
import json, sys
r = range(1, 21)
print(json.dumps({"CaseTitle": sys.argv[1], "CaseShortTitle": sys.argv[1],
  "Investments": [{"InvItemName": f"Item {i}", "InvCost": i * 1000, "InvYear": i % 5,
                   "InvDepLife": 10, "InvUsefulLife": 20, "SalvageValue": i * 10} for i in r],
  "Loans": [{"LoanItemName": f"Loan {i}", "LoanPercent": 10, "LoanTerm": 10, "LoanIntRate": 5}
            for i in range(1, 6)],
  "AnnualCosts": [{"AnnOpCostName": f"Cost {i}", "AnnOpCost": i * 100, "AnnOpCostStartYear": 1,
                   "AnnOpCostNumYears": 20} for i in r],
  "OtherCosts": [{"OtherOpCostName": f"Other {i}", "OtherOpCost": i * 50, "OtherOpCostStartYear": 2,
                  "OtherOpCostTimes": 2, "OtherOpCostInterval": 5} for i in r]}, indent=1))
PY
}

# Study 1 of 8 full cases, study 2 of the example's 3, and an edited case 2 for the update.
template=$out/template
"$qvc" init "$template" >/dev/null || { echo "FAIL: init"; exit 1; }
for s in 1 2; do
  "$qvc" study add "$template" --json "$examples/office-hvac/study.json" >/dev/null
done
for k in 1 2 3 4 5 6 7 8; do
  full_case "Option $k" >"$out/full$k.json"
  "$qvc" case add "$template" 1 --json "$out/full$k.json" >/dev/null
done
for f in "$examples"/office-hvac/cases/*.json; do
  "$qvc" case add "$template" 2 --json "$f" >/dev/null
done
[ "$("$qvc" count "$template" 1)" = 8 ] || { echo "FAIL: template has not 8 cases"; exit 1; }
"$qvc" case show "$template" 1 2 |
  sed -e 's/"CaseTitle": "[^"]*"/"CaseTitle": "Edited in the crash test"/' \
      -e 's/"InvCost": \([0-9]\)/"InvCost": 1\1/' \
      -e 's/"AnnOpCost": \([0-9]\)/"AnnOpCost": 2\1/' >"$out/case2.json"

# Kills before the time a command takes to start and read all land before any change.
start=$(ms) && "$qvc" count "$template" >/dev/null && startup=$(($(ms) - start))
operations=("study copy @P@ 1" "study convert @P@ 1 2" "case update @P@ 1 2 --json $out/case2.json"
            "study delete @P@ 2")
declare -a before after duration
for k in "${!operations[@]}"; do
  p=$out/reference$k
  cp -r "$template" "$p"
  before[$k]=$(dump "$p")
  start=$(ms)
  # shellcheck disable=SC2086
  "$qvc" ${operations[$k]//@P@/$p} >/dev/null || fail "operation '${operations[$k]}' on the template"
  duration[$k]=$(($(ms) - start))
  after[$k]=$(dump "$p")
  [ "${before[$k]}" != "${after[$k]}" ] || fail "operation '${operations[$k]}' changed nothing"
done
echo "start-up ${startup} ms, operation times (ms): ${duration[*]}"

declare -A outcomes
for ((t = 1; t <= trials; t++)); do
  k=$((t % ${#operations[@]})) p=$out/trial
  rm -rf "$p" && cp -r "$template" "$p"
  # A moment from a little before the command's first change to a little past its usual end.
  low=$((startup * 4 / 5)) high=$((duration[k] * 11 / 10))
  delay_ms=$((low + RANDOM % (high > low ? high - low + 1 : 1)))
  what="trial $t (${operations[$k]}, killed after ${delay_ms} ms)"
  # shellcheck disable=SC2086
  "$qvc" ${operations[$k]//@P@/$p} >/dev/null 2>&1 &
  pid=$!
  sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  # The next command works, also when it only reads.
  "$qvc" count "$p" >/dev/null 2>"$out/err.txt" || { fail "$what: count: $(cat "$out/err.txt")"; continue; }
  integrity=$(sqlite3 "$p/ORV30.mdb" 'PRAGMA integrity_check')
  [ "$integrity" = ok ] || fail "$what: integrity check: $integrity"
  state=$(dump "$p")
  if [ "$state" = "${before[$k]}" ]; then
    outcomes[$k-before]=$((${outcomes[$k-before]:-0} + 1))
  elif [ "$state" = "${after[$k]}" ]; then
    outcomes[$k-after]=$((${outcomes[$k-after]:-0} + 1))
  else
    fail "$what: half-changed project" && cp -r "$p" "$out/half-$t"
  fi
  "$qvc" study add "$p" --json "$examples/office-hvac/study.json" >/dev/null || fail "$what: adding a study"
done
for k in "${!operations[@]}"; do
  echo "${operations[$k]}: ${outcomes[$k-before]:-0} before, ${outcomes[$k-after]:-0} after"
done
[ "$fails" -eq 0 ] && echo "crash consistency: $trials trials, every project whole"
exit $((fails > 0))
