#!/usr/bin/env bash
# The packager's and host developer's view: a Release build (warnings not
# errors, no tests or benchmarks), installed into a temporary prefix, checked,
# used by the example host through find_package and through pkg-config, then
# packaged as a .deb whose contents are checked and unpacked into a fresh folder.
#   scripts/install-check.sh [BUILD_DIR]      (default build-release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-release}")
work=$(mktemp -d /tmp/qvc-install-check.XXXXXX)
trap 'rm -rf "$work"' EXIT

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQVC_WERROR=OFF \
  -DQVC_BUILD_TESTS=OFF -DQVC_BUILD_BENCH=OFF >/dev/null
cmake --build "$build"
cmake --install "$build" --prefix "$work/prefix" >/dev/null

bash "$root/tests/install/check_installed_tree.sh" "$work/prefix" "$root" "$build" "$work/tree"

# The viewer library, when Qt was found, exports what include/qvc/viewer declares:
# the plug-in's entry points and the public windows and services are there; the
# layout, painting and PDF internals are not, nor the hundreds of template and
# helper symbols a build without hidden visibility puts in the dynamic table.
viewer=$(find "$work/prefix" -name 'libqvcviewer.so.17' | head -1)
if [ -n "$viewer" ]; then
  symbols=$(nm -DC --defined-only "$viewer" | sed 's/^[0-9a-f]* [A-Za-z] //')
  for public in 'qvc::viewer::installPdfPrinter(' 'qvc::viewer::ViewerApplication::ViewerApplication(' \
                'qvc::viewer::frmReportViewer::staticMetaObject' 'vtable for qvc::viewer::QtReportViewer'; do
    grep -qF "$public" <<<"$symbols" || { echo "FAIL: libqvcviewer does not export $public"; exit 1; }
  done
  internal='(vtable for |typeinfo for )?qvc::viewer::(PagedPrintJob|PagesCanvas|PictureStore|TextMeasurer|LineBox|ParagraphBox|ParagraphText|RowBox|FieldValues|layoutParagraph|layoutTable|paragraphText|isFigure|writePdf|toolbarIcon)\b'
  if grep -qE "^$internal" <<<"$symbols"; then
    echo "FAIL: libqvcviewer exports internal code: $(grep -E "^$internal" <<<"$symbols" | head -1)"
    exit 1
  fi
  count=$(wc -l <<<"$symbols")
  [ "$count" -le 300 ] || { echo "FAIL: libqvcviewer exports $count symbols (at most 300)"; exit 1; }
fi
bash "$root/tests/install/check_embed_example.sh" "$work/prefix" "$root/examples/embed" "$work/embed"

cmake --build "$build" --target package >/dev/null
bash "$root/tests/install/check_deb.sh" "$build"/qvcomponents_*.deb "$root" "$build" "$work/deb"
echo "install check passed"
