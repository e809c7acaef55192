#!/usr/bin/env bash
# Checks an installed tree: files, exported symbols, no build paths, a headless qvc
# running the demo from its own files, the missing viewer named, a tree that works once moved.
#   check_installed_tree.sh PREFIX SOURCE_DIR BUILD_DIR WORK_DIR
set -u
prefix=$1 src=$2 build=$3 work=$4
rm -rf "$work" && mkdir -p "$work"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

libdir=$(dirname "$(find "$prefix" -name 'libqvcomponents.so.17' | head -1)")
[ -n "$libdir" ] && [ "$libdir" != . ] || { echo "FAIL: no libqvcomponents.so.17"; exit 1; }
# Files that the later checks and the example host do not use already.
for f in "$libdir/libqvcomponents.so" "$libdir/cmake/QVComponents/QVComponentsConfigVersion.cmake" \
         "$prefix/include/qvc/InstalledFiles.h" "$prefix/share/qvcomponents/help/viewer.html" \
         "$prefix/share/man/man1/qvc.1"; do
  [ -e "$f" ] || fail "not installed: ${f#"$prefix"/}"
done
# The platform libraries are private: no development link beside them.
[ -z "$(find "$libdir/qvcomponents" -name 'libqvc_*.so')" ] || fail "private libraries have .so links"
# Every library exports what its public headers declare, not the code behind
# them: LIBRARY, a symbol that must be exported, an internal one that must not.
exports() {  # exports LIBRARY PUBLIC_SYMBOL INTERNAL_PATTERN (matched at a name's start)
  local symbols
  symbols=$(nm -DC --defined-only "$libdir/$1" 2>/dev/null | sed 's/^[0-9a-f]* [A-Za-z] //')
  grep -qF "$2" <<<"$symbols" || fail "$1 does not export $2"
  grep -qE "^$3" <<<"$symbols" && fail "$1 exports internal code: $(grep -E "^$3" <<<"$symbols" | head -1)"
}
exports libqvcomponents.so.17 'qvc::cORVProject::cORVProject' 'qvc::cDBoperations::'
exports qvcomponents/libqvc_runtime.so.17 'qvc::rt::RoundHalfEven(double)' 'qvc::rt::detail::'
exports qvcomponents/libqvc_dao.so.17 'qvc::dao::Database::' 'qvc::dao::(Connection|RowReader)'
exports qvcomponents/libqvc_document.so.17 'qvc::doc::DocumentObject::' 'qvc::doc::(detail::|DocumentEditor)'
exports qvcomponents/libqvc_graph.so.17 'qvc::graph::ChartRenderer::render' 'qvc::graph::detail::'
exports qvcomponents/libqvc_ui.so.17 'qvc::ui::Services::' 'qvc::ui::detail::'
# The chart drawing module exports its one entry point and loads cairo; the
# library that loads it does not.
[ "$(nm -D --defined-only "$libdir/qvcomponents/qvc-chart-drawing.so" | grep -c ' T ')" = 1 ] ||
  fail "the chart drawing module exports more than its entry point"
ldd "$libdir/qvcomponents/libqvc_graph.so.17" | grep -q libcairo && fail "libqvc_graph links cairo"

# Nothing installed points back into the source or build tree.
leaks=$(grep -rlF -e "$src" -e "$build" "$prefix" 2>/dev/null)
[ -z "$leaks" ] || fail "build-tree paths in: $leaks"

qvc=$prefix/bin/qvc
ldd "$qvc" | grep -q 'not found' && fail "qvc has unresolved libraries: $(ldd "$qvc" | grep 'not found')"
ldd "$qvc" | grep -qi 'libQt' && fail "qvc links Qt: $(ldd "$qvc" | grep -i libQt)"
version=$("$qvc" --version) || fail "qvc --version exited $?"
[[ "$version" == "qvc 17."* ]] || fail "qvc --version printed '$version'"
man_page=$prefix/share/man/man1/qvc.1
if command -v man >/dev/null; then
  warnings=$(MANWIDTH=80 man --warnings -l "$man_page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man page warnings: $warnings"
fi

run_demo() {  # run_demo QVC OUT LABEL
  env -u QVC_DATA_DIR -u QVC_EXAMPLES_DIR -u QVC_VIEWER_PLUGIN "$1" demo "$2" >"$2.log" 2>&1 ||
    { fail "$3: qvc demo exited $?: $(tail -3 "$2.log")"; return; }
  [ "$(find "$2/reports" -iname '*.rtf' | wc -l)" -ge 6 ] || fail "$3: qvc demo wrote no reports"
  [ -f "$2/Office HVAC project/QVCStrings.mdb" ] || fail "$3: no resource texts copied"
  [ "$("$1" count "$2/Office HVAC project" 1)" = 3 ] || fail "$3: the demo study has not 3 cases"
}
run_demo "$qvc" "$work/demo" installed
# Commands that draw nothing load no drawing library; the reports' charts do.
LD_DEBUG=files "$qvc" count "$work/demo/Office HVAC project" 2>&1 >/dev/null |
  grep -E 'file=lib(cairo|png|freetype|pango)' && fail "qvc count loads drawing libraries"
grep -lq 'pngblip' "$work/demo/reports/"*Cash\ Flows.RTF 2>/dev/null ||
  fail "the demo's cash flow report has no chart"

# The viewer is a plug-in: without it, --view names what is missing.
if [ -f "$libdir/qvcomponents/qvc-viewer.so" ]; then
  # The installed plug-in prints the reports into a PDF (Qt off-screen).
  env -u DISPLAY -u WAYLAND_DISPLAY -u QVC_VIEWER_PLUGIN QT_QPA_PLATFORM=offscreen "$qvc" calc \
    "$work/demo/Office HVAC project" 1 --print --pdf "$work/all.pdf" --out "$work/print" \
    >"$work/print.log" 2>&1 || fail "printing through the plug-in exited $?: $(tail -2 "$work/print.log")"
  [ "$(head -c 5 "$work/all.pdf" 2>/dev/null)" = "%PDF-" ] || fail "the plug-in wrote no PDF"
fi
QVC_VIEWER_PLUGIN=$work/none.so "$qvc" calc "$work/demo/Office HVAC project" 1 --view \
  --out "$work/view" >"$work/view.log" 2>&1
[ $? = 1 ] && grep -q "report viewer is not installed" "$work/view.log" ||
  fail "--view without the plug-in: $(cat "$work/view.log")"

# A moved tree finds its own files.
mv "$prefix" "$work/moved"
run_demo "$work/moved/bin/qvc" "$work/demo-moved" moved
mv "$work/moved" "$prefix"

[ "$fails" = 0 ] && echo "installed tree checks passed"
exit "$fails"
