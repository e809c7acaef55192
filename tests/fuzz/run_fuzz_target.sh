#!/usr/bin/env bash
# run_fuzz_target.sh TARGET SECONDS WORKDIR DICT [SEED_DIR...]: failing inputs go to
# WORKDIR/artifacts, never to the seed folders; $QVC_FUZZ_SECONDS/SEED override.
set -u
target=$1 seconds=${QVC_FUZZ_SECONDS:-$2} work=$3 dict=$4
shift 4
rm -rf "$work" && mkdir -p "$work/artifacts" || exit 1
"$target" -seed="${QVC_FUZZ_SEED:-1}" -artifact_prefix="$work/artifacts/" -dict="$dict" \
  -max_total_time="$seconds" "$@"
rc=$?
[ "$rc" -eq 0 ] || echo "FAIL: $(basename "$target") exited with $rc; reproduce: $target $work/artifacts/*"
exit "$rc"
