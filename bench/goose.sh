#!/usr/bin/env bash
# Generates a project of IEDS IEDs with INPUTS connected inputs each and times the GOOSE
# input commands on it (the project is opened first; the open is not timed here).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
ieds=${IEDS:-200}
inputs=${INPUTS:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target goose_bench >/dev/null
python3 "$top/bench/generate_scd.py" --ieds "$ieds" --inputs "$inputs" --connected -o "$work/goose.scd"
echo "file: $ieds IEDs x $inputs inputs, $(du -h "$work/goose.scd" | cut -f1)"
"$build/bench/goose_bench" "$work/goose.scd" "$(printf 'IED%04d' $((ieds / 2)))" "${RUNS:-10}"
