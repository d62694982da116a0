#!/usr/bin/env bash
# Generates a large project and reports the time of each step of opening and saving
# it, beside xmllint validating the same file with the same schema.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
ieds=${IEDS:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target open_bench >/dev/null
python3 "$top/bench/generate_scd.py" --ieds "$ieds" -o "$work/bench.scd"
echo "file: $ieds IEDs, $(du -h "$work/bench.scd" | cut -f1)"
"$build/bench/open_bench" "$work/bench.scd" "$work/saved.scd"
start=$(date +%s.%N)
xmllint --noout --schema "$top/res/scl.xsd" "$work/bench.scd" 2>/dev/null || true
end=$(date +%s.%N)
printf 'xmllint --schema   %8.3f s\n' "$(echo "$end - $start" | bc)"
