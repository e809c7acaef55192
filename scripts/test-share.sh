#!/usr/bin/env bash
# Lines of tests against lines of code, every file counted whole (blank lines and
# comments included). Tests: everything under tests/ (fixtures, scripts, data).
# Code: src, platform, apps, include and the resource database generator (the
# Python binding in python/ is left out, which makes the share a little larger).
#   scripts/test-share.sh [REPO]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
count() { find "$@" -type f -print0 | xargs -0 cat | wc -l; }
tests=$(count tests)
code=$(count src platform apps include resources/generator)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d lines, code %d lines: %.1f %%\n", t, c, 100 * t / c }'
