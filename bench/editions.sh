#!/usr/bin/env bash
# Opens the same generated project (IEDS IEDs, default 500) declared as each edition,
# the way the program does (parse, validation against the schema of the edition, dataset
# reference check, project tree), RUNS times each (default 7), and prints the best time
# of the open and its ratio to the 2003 file, beside xmllint validating each file against
# the built-in schema of its edition. BUILD_DIR names the build folder.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
runs=${RUNS:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target open_bench >/dev/null
declare -A schema=([2003]=scl.xsd [2007B]=scl-2007B.xsd [2007B4]=scl-2007B4.xsd)
for edition in 2003 2007B 2007B4; do
    python3 "$top/bench/generate_scd.py" --ieds "${IEDS:-500}" --edition "$edition" -o "$work/$edition.scd"
done

# Best of RUNS: the open as open_bench reports it, and xmllint's wall time.
best_open() {
    local best= reported
    for _ in $(seq "$runs"); do
        reported=$("$build/bench/open_bench" --open-only "$1" | sed -n 's/^open \([0-9.]*\) s.*/\1/p')
        if [ -z "$best" ] || [ "$(echo "$reported < $best" | bc)" = 1 ]; then best=$reported; fi
    done
    echo "$best"
}
best_xmllint() {
    local best= elapsed
    for _ in $(seq "$runs"); do
        /usr/bin/time -f '%e' -o "$work/time" xmllint --noout --schema "$top/res/$2" "$1" 2>/dev/null
        elapsed=$(cat "$work/time")
        if [ -z "$best" ] || [ "$(echo "$elapsed < $best" | bc)" = 1 ]; then best=$elapsed; fi
    done
    echo "$best"
}

printf 'edition  open s  / 2003   xmllint s  / 2003\n'
for edition in 2003 2007B 2007B4; do
    open=$(best_open "$work/$edition.scd")
    lint=$(best_xmllint "$work/$edition.scd" "${schema[$edition]}")
    if [ "$edition" = 2003 ]; then open_base=$open lint_base=$lint; fi
    printf '%-7s  %6.3f  %6.2f   %9.2f  %6.2f\n' "$edition" "$open" "$(echo "$open / $open_base" | bc -l)" \
        "$lint" "$(echo "$lint / $lint_base" | bc -l)"
done
