#!/usr/bin/env bash
# run_fuzz_target.sh TARGET SECONDS WORKDIR DICT [SEED_DIR...]
# Runs a fuzz target for SECONDS (or $QVC_FUZZ_SECONDS) with seed $QVC_FUZZ_SEED
# (default 1). New inputs and failing inputs go to WORKDIR, never to the seed
# folders. The flags suit both the mutation driver and libFuzzer.
set -u
target=$1 seconds=${QVC_FUZZ_SECONDS:-$2} work=$3 dict=$4
shift 4
rm -rf "$work" && mkdir -p "$work/corpus" "$work/artifacts" || exit 1
args=(-seed="${QVC_FUZZ_SEED:-1}" -artifact_prefix="$work/artifacts/" -print_final_stats=1)
if [ "$seconds" = 0 ]; then
  args+=(-runs=0)  # the seed inputs only (libFuzzer reads 0 seconds as no limit)
else
  args+=(-max_total_time="$seconds")
fi
[ -n "$dict" ] && args+=(-dict="$dict")
"$target" "${args[@]}" "$work/corpus" "$@"
rc=$?
if [ "$rc" -ne 0 ]; then
  echo "FAIL: $(basename "$target") exited with $rc; failing inputs: $(ls "$work/artifacts")"
  echo "reproduce: $target $work/artifacts/<file>"
fi
exit "$rc"
