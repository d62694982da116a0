#!/usr/bin/env bash
# Fills the fuzz corpus folder with the project's fixtures, a gzip-compressed copy of
# one of them, and the third-party files beside the project when they are there.
# Usage: fuzz/seed_corpus.sh CORPUS_DIR
set -euo pipefail

corpus=${1:?usage: seed_corpus.sh CORPUS_DIR}
project=$(cd "$(dirname "$0")/.." && pwd)
shared="$project/../shared/corpus"
mkdir -p "$corpus"

seed() {
  # Keeps the name of the file it came from; an existing seed is left as it is.
  cp -n "$1" "$corpus/seed-$2-$(basename "$1")"
}

for file in "$project"/tests/data/*; do
  [[ -f "$file" ]] && seed "$file" tests
done
if [[ -f "$project/tests/data/minimal.scd" ]]; then
  gzip -9nc "$project/tests/data/minimal.scd" >"$corpus/seed-tests-minimal.scd.gz"
fi

if [[ -d "$shared" ]]; then
  for file in "$shared"/*; do
    case "$file" in
      *.scd|*.SCD|*.icd|*.ICD|*.cid|*.CID|*.iid|*.IID|*.sed|*.SED|*.ssd|*.SSD|*.scl|*.SCL) seed "$file" shared ;;
    esac
  done
else
  echo "No third-party corpus at $shared: seeding from tests/data only." >&2
fi
echo "Fuzz corpus $corpus: $(find "$corpus" -maxdepth 1 -type f | wc -l) files"
