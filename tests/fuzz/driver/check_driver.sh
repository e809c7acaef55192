#!/usr/bin/env bash
# check_driver.sh TARGET DRIVER_SOURCE_DIR OUT
# The mutation driver, run on a target that aborts on "QVC!": it must find the
# input within its budget, save it, fail, and try the same inputs for the same
# seed. Run on the seeds alone, which are harmless, it must pass.
set -u
target=$1 src=$2 out=$3
rm -rf "$out" && mkdir -p "$out/a" "$out/b" "$out/c" || exit 1
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

"$target" -runs=0 -dict="$src/selftest.dict" "$src/selftest-seeds" 2>"$out/seeds.txt" ||
  fail "the seed inputs alone failed: $(cat "$out/seeds.txt")"
grep -q "2 seed inputs, 4 dictionary tokens" "$out/seeds.txt" || fail "seeds: $(cat "$out/seeds.txt")"

for run in a b; do
  "$target" -max_total_time=30 -seed=7 -dict="$src/selftest.dict" -artifact_prefix="$out/$run/" \
    "$src/selftest-seeds" 2>"$out/$run.txt"
  [ $? -ne 0 ] || fail "run $run: the planted failure was not found: $(tail -1 "$out/$run.txt")"
done
crash=$out/a/crash-seed-7
[ -f "$crash" ] || fail "no input saved: $(ls "$out/a")"
grep -q 'QVC!' "$crash" 2>/dev/null || fail "the saved input lacks the token: $(od -c "$crash" | head -3)"
cmp -s "$crash" "$out/b/crash-seed-7" || fail "the same seed tried other inputs"

# Another seed takes another path; the saved input reproduces the failure.
"$target" -max_total_time=30 -seed=8 -dict="$src/selftest.dict" -artifact_prefix="$out/c/" \
  "$src/selftest-seeds" 2>/dev/null && fail "seed 8 did not find the failure"
cmp -s "$crash" "$out/c/crash-seed-8" && fail "seeds 7 and 8 found the same input"
"$target" -artifact_prefix="$out/" "$crash" 2>/dev/null && fail "the saved input does not reproduce the failure"
"$target" -artifact_prefix="$out/" "$src/selftest-seeds/one.txt" 2>/dev/null || fail "a harmless input failed when run alone"

[ "$fails" -eq 0 ] && echo "the mutation driver finds, saves and repeats a planted failure"
exit $((fails > 0))
