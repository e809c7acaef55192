#!/usr/bin/env bash
# The packager's and host developer's view: a Release build (warnings not
# errors, no tests or benchmarks), installed into a temporary prefix, checked,
# used by the example host through find_package and through pkg-config and by
# Python through the installed package, then
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

bash "$root/tests/install/check_python_module.sh" "$work/prefix" "$work/python"

bash "$root/tests/install/check_embed_example.sh" "$work/prefix" "$root/examples/embed" "$work/embed"

cmake --build "$build" --target package >/dev/null
bash "$root/tests/install/check_deb.sh" "$build"/qvcomponents_*.deb "$root" "$build" "$work/deb"
bash "$root/tests/install/check_python_module.sh" "$work/deb/root/usr" "$work/deb-python"
echo "install check passed"
