#!/usr/bin/env bash
# Generates a project of IEDS IEDs (default 500) with a value for every attribute, and a
# copy where one DAI value differs, then times `diff` of the two against opening the
# project once (bench/compare_bench.cpp), best of RUNS (default 5).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target compare_bench >/dev/null
python3 "$top/bench/generate_scd.py" --ieds "${IEDS:-500}" --connected --instances -o "$work/a.scd"
# The first DAI value of the last IED changes.
python3 - "$work/a.scd" "$work/b.scd" <<'PY'
import sys
text = open(sys.argv[1]).read()
ied = text.rfind("<IED ")
at = text.index("<Val>", ied) + len("<Val>")
end = text.index("</Val>", at)
open(sys.argv[2], "w").write(text[:at] + "changed" + text[end:])
PY
echo "project: $(stat -c %s "$work/a.scd") bytes"
"$build/bench/compare_bench" "$work/a.scd" "$work/b.scd" "${RUNS:-5}"
