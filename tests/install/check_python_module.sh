#!/usr/bin/env bash
# Checks the Python package of an installed tree (or of an unpacked .deb):
# the module is in lib/python3/dist-packages, finds its libraries through its
# run path, imports with PYTHONPATH set, and enters and calculates the bundled
# example from the tree's own files.
#   check_python_module.sh PREFIX WORK_DIR
set -u
prefix=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
python=/usr/bin/python3
[ -x "$python" ] || python=python3
module=$(find "$prefix/lib/python3/dist-packages" -name 'qvcomponents*.so' 2>/dev/null | head -1)
[ -n "$module" ] || { echo "FAIL: no qvcomponents module under $prefix/lib/python3/dist-packages"; exit 1; }
examples=$(find "$prefix" -type d -path '*/doc/qvcomponents/examples/office-hvac' | head -1)
cd "$work" || exit 1
env -u QVC_DATA_DIR -u QVC_EXAMPLES_DIR PYTHONPATH="$(dirname "$module")" "$python" -c '
import glob, json, sys
import qvcomponents
example = sys.argv[1]
project = qvcomponents.Project("project", create=True)
study = project.add_study(json.load(open(example + "/study.json")))
for case in sorted(glob.glob(example + "/cases/*.json")):
    project.add_case(study, json.load(open(case)))
results = qvcomponents.calculate(project, study)
assert len(results.alternatives) == 3, results.alternatives
print("python module checks passed:", qvcomponents.__file__)
' "$examples" || { echo "FAIL: the installed Python module does not work"; exit 1; }
