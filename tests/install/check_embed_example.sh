#!/usr/bin/env bash
# Builds the example host against an installed tree twice, through the CMake
# package and through pkg-config alone, runs both and checks what they wrote.
#   check_embed_example.sh PREFIX EXAMPLE_SOURCE WORK_DIR
set -u
prefix=$1 example=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

# Public sector, 5 %, ten years, no escalation: first cost plus the energy cost
# times the uniform present worth factor (1 - 1.05^-10) / 0.05 = 7.72173493.
expected_tpw=("177217.35" "180886.94")

check_run() {  # check_run PROGRAM LABEL [env ...]
  local program=$1 label=$2 out=$work/$2
  shift 2
  env "$@" "$program" "$out/project" "$out/reports" >"$out.log" 2>&1 ||
    { fail "$label: the example exited $?: $(tail -3 "$out.log")"; return; }
  local tpw
  tpw=$(sed -n "s/^case [12] total present worth \([0-9.]*\)\$/\1/p" "$out.log" | xargs printf '%.2f ')
  [ "$tpw" = "${expected_tpw[*]} " ] || fail "$label: total present worths $tpw, expected ${expected_tpw[*]}"
  [ -f "$out/project/ORV30.mdb" ] || fail "$label: no project database"
  [ "$(find "$out/reports" -iname '*.rtf' -exec grep -l '^{\\rtf' {} + | wc -l)" -ge 6 ] ||
    fail "$label: fewer than 6 RTF reports"
  grep -rlq "Condensing boiler" "$out/reports" || fail "$label: the reports lack the cases"
}

# 1. find_package
cmake -S "$example" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=Release >"$work/cmake.log" 2>&1 &&
  cmake --build "$work/cmake-build" >>"$work/cmake.log" 2>&1 ||
  fail "building with find_package: $(tail -5 "$work/cmake.log")"
[ -x "$work/cmake-build/qvc-embed-example" ] &&
  check_run "$work/cmake-build/qvc-embed-example" find_package

# 2. pkg-config only (the run finds the library through LD_LIBRARY_PATH)
pcdir=$(dirname "$(find "$prefix" -name qvcomponents.pc | head -1)")
flags=$(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs qvcomponents) ||
  fail "pkg-config does not know qvcomponents"
libdir=$(PKG_CONFIG_PATH=$pcdir pkg-config --variable=libdir qvcomponents)
# shellcheck disable=SC2086
c++ "$example/main.cpp" $flags -o "$work/pc-example" 2>"$work/pc.log" ||
  fail "building with pkg-config: $(tail -5 "$work/pc.log")"
[ -x "$work/pc-example" ] && check_run "$work/pc-example" pkg-config LD_LIBRARY_PATH="$libdir"

[ "$fails" = 0 ] && echo "example host checks passed"
exit "$fails"
