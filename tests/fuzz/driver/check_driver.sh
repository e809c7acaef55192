#!/usr/bin/env bash
# check_driver.sh TARGET DRIVER_SOURCE_DIR OUT: the driver finds the planted failure, saves
# the same input for the same seed, and the saved input reproduces it.
set -u
target=$1 src=$2 out=$3
rm -rf "$out" && mkdir -p "$out" || exit 1
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
fuzz() { "$target" -dict="$src/selftest.dict" "$@" "$src/selftest-seeds"; }

fuzz -max_total_time=0 2>"$out/seeds.txt" || fail "the seed inputs alone failed: $(cat "$out/seeds.txt")"
grep -q "2 seed inputs, 3 dictionary tokens" "$out/seeds.txt" || fail "seeds: $(cat "$out/seeds.txt")"
for run in 7a 7b 8; do
  mkdir -p "$out/$run"
  fuzz -max_total_time=30 -seed="${run%[ab]}" -artifact_prefix="$out/$run/" 2>"$out/$run.txt" &&
    fail "run $run: the planted failure was not found: $(tail -1 "$out/$run.txt")"
done
crash=$out/7a/crash-seed-7
grep -q 'QVC!' "$crash" 2>/dev/null || fail "no saved input with the token: $(ls "$out/7a")"
cmp -s "$crash" "$out/7b/crash-seed-7" || fail "the same seed tried other inputs"
cmp -s "$crash" "$out/8/crash-seed-8" && fail "seeds 7 and 8 found the same input"
"$target" -artifact_prefix="$out/" "$crash" 2>/dev/null && fail "the saved input does not reproduce the failure"
"$target" "$src/selftest-seeds/one.txt" || fail "a harmless input failed when run alone"
[ "$fails" -eq 0 ] && echo "the mutation driver finds, saves and repeats a planted failure"
exit $((fails > 0))
