#!/usr/bin/env bash
# Times `varnholt-cli verify FILE` (parse, schema validation, dataset check) beside
# `xmllint --noout --schema res/scl.xsd FILE` on the same generated project: best of
# RUNS each, interleaved, and the ratio. GENERATE_OPTIONS go to generate_scd.py.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
ieds=${IEDS:-500}
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target varnholt-cli >/dev/null
# shellcheck disable=SC2086
python3 "$top/bench/generate_scd.py" --ieds "$ieds" ${GENERATE_OPTIONS:-} -o "$work/project.scd"
echo "file: $ieds IEDs ${GENERATE_OPTIONS:-}, $(du -h "$work/project.scd" | cut -f1)"

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1 || true; end=$(date +%s.%N); echo "$end - $start" | bc; }
best_cli=999; best_lint=999
for _ in $(seq "$runs"); do
  t=$(seconds "$build/cli/varnholt-cli" verify "$work/project.scd")
  best_cli=$(echo "if ($t < $best_cli) $t else $best_cli" | bc)
  t=$(seconds xmllint --noout --schema "$top/res/scl.xsd" "$work/project.scd")
  best_lint=$(echo "if ($t < $best_lint) $t else $best_lint" | bc)
done
printf 'varnholt-cli verify  %8.3f s\n' "$best_cli"
printf 'xmllint --schema     %8.3f s\n' "$best_lint"
printf 'ratio                %8.2f\n' "$(echo "$best_cli / $best_lint" | bc -l)"
