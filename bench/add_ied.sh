#!/usr/bin/env bash
# Generates a project of IEDS IEDs with connected GOOSE inputs and the file of one more
# IED of the same kind, times xmllint validating the project (best of XMLLINT_RUNS) and
# then Add IED of that file into the project, RUNS times.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/bench/xmllint_best.sh"
build=${BUILD_DIR:-$top/build}
ieds=${IEDS:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target add_ied_bench >/dev/null
python3 "$top/bench/generate_scd.py" --ieds "$ieds" --connected -o "$work/project.scd"
python3 "$top/bench/generate_scd.py" --ieds "$ieds" --connected --icd -o "$work/new.icd"
echo "project: $ieds IEDs, $(stat -c %s "$work/project.scd") bytes; IED file: $(stat -c %s "$work/new.icd") bytes"

best=$(xmllint_best "$work/project.scd")
"$build/bench/add_ied_bench" "$work/project.scd" "$work/new.icd" "${RUNS:-10}" "$best"
