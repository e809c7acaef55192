#!/usr/bin/env bash
# Checks the size rules of the code: every source file under 400 lines and
# every function under 60 lines (as pmccabe counts them, from the opening line
# of the function to its closing brace). Prints each offender and exits 1 when
# there is one.
#   scripts/check-sizes.sh [ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
command -v pmccabe >/dev/null || { echo "check-sizes: pmccabe is not installed (scripts/setup.sh)" >&2; exit 2; }

folders=(src platform apps include)
status=0
while read -r lines file; do
    [[ "$file" == total ]] && continue
    if ((lines >= 400)); then
        echo "file over 400 lines: $file ($lines)"
        status=1
    fi
done < <(find "${folders[@]}" -name '*.cpp' -o -name '*.h' | sort | xargs wc -l)

# pmccabe skips a file that opens a nested namespace (`namespace a::b {`), so
# each file is measured as a copy with those names flattened, all copies in one
# pmccabe run (one process per file made this check take half a minute); line
# numbers stay the same. pmccabe columns: modified and traditional complexity,
# statements, first line, number of lines, then "file(line): function".
flat=$(mktemp -d)
trap 'rm -rf "$flat"' EXIT
find "${folders[@]}" -name '*.cpp' -o -name '*.h' | xargs cp --parents -t "$flat"
(cd "$flat" && find "${folders[@]}" -type f | xargs sed -i -E '/^namespace [A-Za-z_:]+ \{/ s/::/__/g')
while read -r _ _ _ _ count where; do
    if ((count > 60)); then
        echo "function over 60 lines: ${where//__/::} ($count)"
        status=1
    fi
done < <(cd "$flat" && find "${folders[@]}" -name '*.cpp' -o -name '*.h' | sort | xargs pmccabe 2>/dev/null)
exit $status
