#!/usr/bin/env bash
# Generates a project of IEDS IEDs with INPUTS connected inputs each, every one wired to
# a GOOSE output of the previous IED, times xmllint validating it (best of XMLLINT_RUNS)
# and then the GOOSE mapping window's model on it, RUNS times (the open is not timed).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/bench/xmllint_best.sh"
build=${BUILD_DIR:-$top/build}
ieds=${IEDS:-200}
inputs=${INPUTS:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target mapping_bench >/dev/null
python3 "$top/bench/generate_scd.py" --ieds "$ieds" --inputs "$inputs" --connected -o "$work/mapping.scd"
echo "project: $ieds IEDs x $inputs inputs, $(stat -c %s "$work/mapping.scd") bytes"

best=$(xmllint_best "$work/mapping.scd")
"$build/bench/mapping_bench" "$work/mapping.scd" "${RUNS:-10}" "$best"
