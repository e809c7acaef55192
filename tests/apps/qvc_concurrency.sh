#!/usr/bin/env bash
# Four processes change one project at once for a while: one adds studies, one
# adds cases, one copies a study, one updates a case. Every command must
# succeed (waiting for the others' locks, never "locked" while they finish in
# time), every added study and case must be stored once, in its study, under
# the ID the command printed, and every copy must hold the copied cases.
#
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

# worker LOG STEP: runs `STEP N` for N = 1, 2, ... until the end, logging
# "ok WHAT-STEP-PRINTED" or "error MESSAGE" for each.
worker() {
  local log=$1 step=$2 n=0 result
  while [ "$(date +%s)" -lt "$end" ]; do
    n=$((n + 1))
    if result=$("$step" "$n" 2>"$out/err-$log"); then
      echo "ok $result"
    else
      echo "error $(cat "$out/err-$log")"
    fi
  done >"$out/$log.log"
}
add_study() {
  sed "s/\"StudyTitle\": \"[^\"]*\"/\"StudyTitle\": \"added $1\"/" \
    "$examples/office-hvac/study.json" >"$out/study-$1.json"
  id=$("$qvc" study add "$p" --json "$out/study-$1.json") && echo "$id added $1"
}
add_case() {
  sed "s/\"CaseTitle\": \"[^\"]*\"/\"CaseTitle\": \"case $1\"/" "${cases[1]}" >"$out/case-$1.json"
  id=$("$qvc" case add "$p" 1 --json "$out/case-$1.json") && echo "$id case $1"
}
copy_study() {
  markup=$("$qvc" study copy "$p" 1) && sed -n "s/.*<study Id='\([0-9]*\)'.*/\1/p" <<<"$markup" | head -1
}
update_case() {
  sed "s/\"CaseDes\": \"[^\"]*\"/\"CaseDes\": \"update $1\"/" "$out/case1.json" >"$out/upd-$1.json"
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
  errors=$(grep -c '^error' "$out/$log.log")
  [ "$errors" -eq 0 ] || fails=$((fails + errors))
  echo "$log: $(grep -c '^ok' "$out/$log.log") done, $errors failed"
done
while read -r _ id title; do
  [ "$(q "SELECT count(*) FROM tblStudy WHERE sStudyTitle = '$title'")" = 1 ] ||
    fail "study '$title' is not stored exactly once"
  [ "$(q "SELECT sStudyTitle FROM tblStudy WHERE iStudyId = $id")" = "$title" ] ||
    fail "study ID $id printed for '$title' names another study"
done < <(grep '^ok' "$out/studies.log")
while read -r _ id title; do
  [ "$(q "SELECT count(*) FROM tblDesignCase WHERE sCaseTitle = '$title' AND iStudyId = 1")" = 1 ] ||
    fail "case '$title' is not stored exactly once in study 1"
  [ "$(q "SELECT iStudyId || ' ' || sCaseTitle FROM tblDesignCase WHERE iCaseId = $id")" = "1 $title" ] ||
    fail "case ID $id printed for '$title' is not that case of study 1"
done < <(grep '^ok' "$out/cases.log")
# A copy holds the cases study 1 had when it was copied: the example's three
# first, then added ones, each with its investments.
while read -r _ id; do
  titles=$(q "SELECT sCaseTitle FROM tblDesignCase WHERE iStudyId = $id ORDER BY iCaseId LIMIT 3")
  expected=$(q "SELECT sCaseTitle FROM tblDesignCase WHERE iStudyId = 1 ORDER BY iCaseId LIMIT 3")
  [ "$titles" = "$expected" ] || fail "copy $id does not hold the cases of study 1"
  [ "$(q "SELECT sStudyTitle FROM tblStudy WHERE iStudyId = $id")" != "" ] ||
    fail "copy $id printed but not stored"
  [ "$(q "SELECT count(*) FROM tblDesignCase c WHERE iStudyId = $id AND NOT EXISTS
          (SELECT 1 FROM tblInvestmentCost i WHERE i.iCaseId = c.iCaseId)")" = 0 ] ||
    fail "copy $id has a case without its investments"
done < <(grep '^ok' "$out/copies.log")
[ "$(sqlite3 "$p/ORV30.mdb" 'PRAGMA integrity_check')" = ok ] || fail "integrity check"
if [ "$fails" -ne 0 ]; then
  echo "$fails failure(s)"
  exit 1
fi
echo "concurrency: every command succeeded and every change is where it belongs"
