#!/usr/bin/env bash
# Four processes add studies, add cases, copy a study and update a case in one project at once:
# every command succeeds, every record is stored once under the ID printed, copies are whole.
#   qvc_concurrency.sh QVC EXAMPLES OUTDIR [SECONDS]
set -u
qvc=$1 examples=$2 out=$3 seconds=${4:-20}
rm -rf "$out" && mkdir -p "$out"
p=$out/prj
"$qvc" init "$p" >/dev/null || { echo "FAIL: init"; exit 1; }
"$qvc" study add "$p" --json "$examples/office-hvac/study.json" >/dev/null
cases=("$examples"/office-hvac/cases/*.json)
for f in "${cases[@]}"; do "$qvc" case add "$p" 1 --json "$f" >/dev/null; done
"$qvc" case show "$p" 1 1 >"$out/case1.json"
end=$(($(date +%s) + seconds))

# worker LOG STEP: runs `STEP N` for N = 1, 2, ... until the end, logging "ok ..." or "error ...".
worker() {
  local n=0 result
  while [ "$(date +%s)" -lt "$end" ]; do
    n=$((n + 1))
    if result=$("$2" "$n" 2>"$out/err-$1"); then echo "ok $result"; else echo "error $(cat "$out/err-$1")"; fi
  done >"$out/$1.log"
}
titled() {  # titled KEY VALUE FILE: FILE with the text member KEY set to VALUE
  sed "s/\"$1\": \"[^\"]*\"/\"$1\": \"$2\"/" "$3"
}
add_study() {
  titled StudyTitle "added $1" "$examples/office-hvac/study.json" >"$out/study-$1.json"
  id=$("$qvc" study add "$p" --json "$out/study-$1.json") && echo "$id added $1"
}
add_case() {
  titled CaseTitle "case $1" "${cases[1]}" >"$out/case-$1.json"
  id=$("$qvc" case add "$p" 1 --json "$out/case-$1.json") && echo "$id case $1"
}
copy_study() {
  markup=$("$qvc" study copy "$p" 1) && sed -n "s/.*<study Id='\([0-9]*\)'.*/\1/p" <<<"$markup" | head -1
}
update_case() {
  titled CaseDes "update $1" "$out/case1.json" >"$out/upd-$1.json"
  "$qvc" case update "$p" 1 1 --json "$out/upd-$1.json" && echo "$1"
}
worker studies add_study & worker cases add_case & worker copies copy_study &
worker updates update_case &
wait

fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
q() { sqlite3 "$p/ORV30.mdb" "$1"; }
for log in studies cases copies updates; do
  grep '^error' "$out/$log.log" | head -3 | while read -r line; do echo "FAIL: $log: $line"; done
  fails=$((fails + $(grep -c '^error' "$out/$log.log")))
  echo "$log: $(grep -c '^ok' "$out/$log.log") done"
done
while read -r _ id title; do
  [ "$(q "SELECT group_concat(iStudyId) FROM tblStudy WHERE sStudyTitle = '$title'")" = "$id" ] ||
    fail "study '$title' is not stored exactly once under the ID $id printed"
done < <(grep '^ok' "$out/studies.log")
while read -r _ id title; do
  [ "$(q "SELECT group_concat(iCaseId) FROM tblDesignCase
          WHERE sCaseTitle = '$title' AND iStudyId = 1")" = "$id" ] ||
    fail "case '$title' is not stored exactly once in study 1 under the ID $id printed"
done < <(grep '^ok' "$out/cases.log")
# A copy holds study 1's cases when copied: the example's three first, each with investments.
first3() { q "SELECT sCaseTitle FROM tblDesignCase WHERE iStudyId = $1 ORDER BY iCaseId LIMIT 3"; }
while read -r _ id; do
  [ "$(first3 "$id")" = "$(first3 1)" ] || fail "copy $id does not hold the cases of study 1"
  [ "$(q "SELECT count(*) FROM tblDesignCase c WHERE iStudyId = $id AND NOT EXISTS
          (SELECT 1 FROM tblInvestmentCost i WHERE i.iCaseId = c.iCaseId)")" = 0 ] ||
    fail "copy $id has a case without its investments"
done < <(grep '^ok' "$out/copies.log")
[ "$(q 'PRAGMA integrity_check')" = ok ] || fail "integrity check"
[ "$fails" -eq 0 ] && echo "concurrency: every command succeeded and every change is where it belongs"
exit $((fails > 0))
