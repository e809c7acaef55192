#!/usr/bin/env bash
# Checks the Debian package: its file list, its dependencies, and a `qvc demo`
# run from a fresh folder it was unpacked into.
#   check_deb.sh PACKAGE.deb SOURCE_DIR BUILD_DIR WORK_DIR
set -u
deb=$1 src=$2 build=$3 work=$4
rm -rf "$work" && mkdir -p "$work"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||')
# The installed tree's check sees every file; here, that the package holds that tree.
for pattern in 'usr/bin/qvc' 'usr/lib/.*libqvcomponents\.so\.17\.[0-9.]*' \
               'usr/lib/.*/qvc-chart-drawing\.so' 'usr/include/qvc/cORVCalculator\.h' \
               'usr/share/qvcomponents/QVCStrings\.mdb' 'usr/share/man/man1/qvc\.1\(\.gz\)\?'; do
  grep -qx "$pattern" <<<"$files" || fail "the package lacks $pattern"
done
grep -q "$build\|$src" <<<"$files" && fail "build paths in the file list"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libsqlite3-0 libcairo2 libdeflate0 libpugixml1v5; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
grep -q 'qvc-viewer\.so$' <<<"$files" && ! grep -q libqt6widgets6 <<<"$depends" && fail "Depends lacks Qt"
if grep -q 'dist-packages/qvcomponents' <<<"$files"; then
  grep -q 'python3' <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "the Python module without Recommends: python3"
fi

dpkg -x "$deb" "$work/root" || fail "dpkg -x failed"
qvc=$work/root/usr/bin/qvc
env -u QVC_DATA_DIR -u QVC_EXAMPLES_DIR "$qvc" demo "$work/demo" >"$work/demo.log" 2>&1 ||
  fail "qvc demo from the unpacked package exited $?: $(tail -3 "$work/demo.log")"
[ "$(find "$work/demo/reports" -iname '*.rtf' | wc -l)" -ge 6 ] || fail "the unpacked qvc demo wrote no reports"

[ "$fails" = 0 ] && echo "package checks passed: $(basename "$deb")"
exit "$fails"
