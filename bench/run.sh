#!/usr/bin/env bash
# Opens generated projects the way the program does (parse, schema validation, dataset
# reference check, project tree) and compares time and peak memory with xmllint
# validating the same file against the same schema:
#   - IEDS IEDs (default 500) as generate_scd.py writes them by default;
#   - INSTANCE_IEDS IEDs (default 100) with a DOI for every data object (--instances);
#   - one IED whose LN0 has WIDE data objects (default 15000), each with a DOI (--wide);
#   - a file of a few KB whose FAN_OUT logical nodes (default 40) have a type that fans
#     out to 10^8 attributes (--fan-out): its tree is cut short.
# Each program runs RUNS times (default 5); the best wall time, the best processor time
# (user + system: steadier on a busy machine) and the largest peak resident set of the
# whole process are kept, and for open_bench also the best time of the open itself
# (the process also builds the document's schema first and frees everything at the
# end). Then the steps of one open and a save are timed one by one.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target open_bench >/dev/null
python3 "$top/bench/generate_scd.py" --ieds "${IEDS:-500}" -o "$work/ieds.scd"
python3 "$top/bench/generate_scd.py" --ieds "${INSTANCE_IEDS:-100}" --instances -o "$work/instances.scd"
python3 "$top/bench/generate_scd.py" --ieds 1 --ldevices 1 --lns 1 --inputs 0 --wide "${WIDE:-15000}" \
    -o "$work/wide.scd"
python3 "$top/bench/generate_scd.py" --fan-out "${FAN_OUT:-40}" -o "$work/fan-out.scd"

# Best wall time (s), best processor time (s), largest peak RSS (KiB) and best time of
# the open as open_bench reports it (s; 0 for another program) of RUNS runs.
measure() {
    local wall= cpu= peak=0 open= elapsed user system resident used reported
    for _ in $(seq "$runs"); do
        /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >"$work/out" 2>&1 || true
        read -r elapsed user system resident <"$work/time"
        used=$(echo "$user + $system" | bc)
        reported=$(sed -n 's/^open \([0-9.]*\) s.*/\1/p' "$work/out")
        reported=${reported:-0}
        if [ -z "$wall" ] || [ "$(echo "$elapsed < $wall" | bc)" = 1 ]; then wall=$elapsed; fi
        if [ -z "$cpu" ] || [ "$(echo "$used < $cpu" | bc)" = 1 ]; then cpu=$used; fi
        if [ -z "$open" ] || [ "$(echo "$reported < $open" | bc)" = 1 ]; then open=$reported; fi
        if [ "$resident" -gt "$peak" ]; then peak=$resident; fi
    done
    echo "$wall $cpu $peak $open"
}

# a / b with two decimals, or "-" when b is 0 (too short to time).
ratio() {
    if [ "$(echo "$2 > 0" | bc)" = 1 ]; then printf '%.2f' "$(echo "$1 / $2" | bc -l)"; else printf -- '-'; fi
}

for name in ieds instances wide fan-out; do
    file="$work/$name.scd"
    echo "== $name.scd: $(stat -c %s "$file") bytes"
    read -r lint_s lint_cpu lint_kib _ < <(measure xmllint --noout --schema "$top/res/scl.xsd" "$file")
    read -r open_s open_cpu open_kib open_only < <(measure "$build/bench/open_bench" --open-only "$file")
    echo "open_bench --open-only: $(cat "$work/out")"
    printf '                  wall s   cpu s   peak KiB   open s\n'
    printf 'xmllint --schema  %6.2f  %6.2f  %9d\n' "$lint_s" "$lint_cpu" "$lint_kib"
    printf 'open_bench        %6.2f  %6.2f  %9d  %7.3f\n' "$open_s" "$open_cpu" "$open_kib" "$open_only"
    printf 'ratio             %6s  %6s  %9s  %7s\n' "$(ratio "$open_s" "$lint_s")" "$(ratio "$open_cpu" "$lint_cpu")" \
        "$(ratio "$open_kib" "$lint_kib")" "$(ratio "$open_only" "$lint_s")"
    "$build/bench/open_bench" "$file" "$work/saved.scd"
done
