# Sourced by the bench scripts. xmllint_best FILE prints the best wall time in seconds
# of `xmllint --noout --schema res/scl.xsd FILE` over XMLLINT_RUNS runs (default 3):
# the reference every figure is given as a ratio of.
xmllint_best() {
    local best= start end seconds
    for _ in $(seq "${XMLLINT_RUNS:-3}"); do
        start=$(date +%s.%N)
        xmllint --noout --schema "$top/res/scl.xsd" "$1" 2>/dev/null
        end=$(date +%s.%N)
        seconds=$(echo "$end - $start" | bc)
        if [ -z "$best" ] || [ "$(echo "$seconds < $best" | bc)" = 1 ]; then best=$seconds; fi
    done
    echo "$best"
}
