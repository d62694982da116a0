#!/usr/bin/env bash
# Fills a fuzz corpus folder with seeds for one target (see the Makefile's fuzz rule).
#   open     the project's fixtures, a gzip-compressed copy of one, and the third-party
#            files beside the project when they are there
#   members  fixture projects, each with a create-dataset or modify-dataset line and members
#   script   fixture projects, each with a map line and connect/disconnect actions
#   add-ied  a project and an IED file: fixture pairs and the small third-party IED files
# Usage: fuzz/seed_corpus.sh CORPUS_DIR [TARGET]
set -euo pipefail

corpus=${1:?usage: seed_corpus.sh CORPUS_DIR [open|members|script|add-ied]}
target=${2:-open}
project=$(cd "$(dirname "$0")/.." && pwd)
data="$project/tests/data"
shared="$project/../shared/corpus"
mkdir -p "$corpus"

seed() {
  # Keeps the name of the file it came from; an existing seed is left as it is.
  cp -n "$1" "$corpus/seed-$2-$(basename "$1")"
}

# pair NAME FIRST_FILE TEXT_OR_FILE: one input of two parts split by the targets'
# separator; the second part is a file when such a file exists, else the text given.
pair() {
  local out="$corpus/seed-$1"
  [[ -e "$out" ]] && return
  { cat "$2"; printf '\0==\0'; if [[ -f "$3" ]]; then cat "$3"; else printf '%s' "$3"; fi; } >"$out"
}

third_party() {
  # The third-party files of the given extensions, up to 64 KB: larger ones slow every run.
  [[ -d "$shared" ]] || { echo "No third-party corpus at $shared: seeding from tests/data only." >&2; return; }
  find "$shared" -maxdepth 1 -type f -size -64k | grep -iE "\.($1)\$" | sort
}

case "$target" in
  open)
    for file in "$data"/*; do
      [[ -f "$file" ]] && seed "$file" tests
    done
    gzip -9nc "$data/minimal.scd" >"$corpus/seed-tests-minimal.scd.gz"
    if [[ -d "$shared" ]]; then
      for file in "$shared"/*; do
        case "$file" in
          *.scd|*.SCD|*.icd|*.ICD|*.cid|*.CID|*.iid|*.IID|*.sed|*.SED|*.ssd|*.SSD|*.scl|*.SCL) seed "$file" shared ;;
        esac
      done
    else
      echo "No third-party corpus at $shared: seeding from tests/data only." >&2
    fi
    ;;
  members)
    pair create-ggio "$data/goose_connected.scd" $'create-dataset --ied P1 --ln LD0/GGIO1 --name New\nLD0/GGIO1.Ind1.stVal [ST]\nLD0/GGIO1.Ind2\n\nLD0/MMXU1.TotW\n'
    pair create-fc "$data/goose_connected.scd" $'create-dataset --ied P1 --ln LD0/LLN0 --name X --keep-invalid --who f --version 9\nLD0/GGIO1.Cnt [MX]\nLD0/GGIO1.Cnt\n'
    pair create-dyn "$data/datasets_dyn.scd" $'create-dataset --ied P --ln CTRL/Q0XCBR1 --name D2 --keep-invalid\nCTRL/Q0XCBR1.Pos [ST]\nCTRL/Q0XCBR1.Pos.q\n  CTRL/MMXU1.PhV.phsA.cVal.mag.f [MX] \r\nCTRL/LLN0.Beh.stVal\n'
    pair modify-dyn "$data/datasets_dyn.scd" $'modify-dataset --ied P --dataset CTRL/LLN0.Used --rename Renamed --keep-invalid\nCTRL/Q0XCBR1.Pos [MX]\nCTRL/Q0XCBR1.Pos.stVal\nCTRL/MMXU1.PhV.phsA\n'
    pair modify-reserved "$data/datasets_dyn.scd" $'modify-dataset --ied P --dataset CTRL/LLN0.DS1 --keep-invalid\nCTRL/LLN0.Beh.stVal [ST]\n'
    pair modify-other "$data/datasets_dyn.scd" $'modify-dataset --ied P --dataset PROT/LLN0.Other --keep-invalid\nPROT/LLN0.Beh [ST]\nPROT/LLN0.Beh [ST]\n'
    pair modify-model "$data/goose_model.scd" $'modify-dataset --ied P1 --dataset LD0/LLN0.DSNoControl --keep-invalid\nLD0/GGIO1.Ind1.stVal [ST]\nLD0/GGIO2.Ind1\nLD0/Q0XCBR1.Pos.stVal\nLD0/MMXU1.TotW.mag [MX]\n'
    ;;
  script)
    pair map-connected "$data/goose_connected.scd" $'map --keep-invalid\n# rewire\n\nconnect R/LD0/NI4 P2LD0/GGIO1.Cnt.stVal 3\ndisconnect P1/LD0/NI2\n'
    pair map-same "$data/goose_connected.scd" $'map --keep-invalid --who f\nconnect R/LD0/NI4 P2LD0/GGIO1.Cnt.stVal\nconnect P1/LD0/NI1 P1LD0/GGIO1.Ind1.stVal\ndisconnect R/LD0/NI4\n'
    pair map-model "$data/goose_model.scd" $'map --keep-invalid\nconnect R/LD0/NI2 P1LD0/GGIO1.Ind1.q\nconnect R/LD0/ANI3 P1LD0/MMXU1.TotW.mag\nconnect R/LD0/NI6 P1LD0/GGIO1.Cnt.stVal 31\ndisconnect IN/LD0/NI1\ndisconnect R/LD0/NI5\n'
    pair map-update "$data/goose_update.scd" $'map --keep-invalid\n\t# comment\r\ndisconnect R/LD0/NI1\nconnect R/LD0/NI1 P1LD0/GGIO1.Ind1.stVal\n'
    ;;
  add-ied)
    pair add-same "$data/one_ied.scd" "$data/one_ied.scd"
    pair add-minimal "$data/minimal.scd" "$data/one_ied.scd"
    pair add-connected "$data/goose_connected.scd" "$data/goose_model.scd"
    pair add-dyn "$data/one_ied.scd" "$data/datasets_dyn.scd"
    pair add-export "$data/goose_update.scd" "$data/datasets_ied_export.scd"
    while read -r file; do
      [[ -n "$file" ]] && pair "add-$(basename "$file")" "$data/goose_connected.scd" "$file"
    done < <(third_party 'icd|cid|iid')
    while read -r file; do
      [[ -n "$file" ]] && pair "into-$(basename "$file")" "$file" "$data/one_ied.scd"
    done < <(third_party 'scd')
    ;;
  *)
    echo "seed_corpus.sh: no target $target (open, members, script, add-ied)" >&2
    exit 2
    ;;
esac
echo "Fuzz corpus $corpus: $(find "$corpus" -maxdepth 1 -type f | wc -l) files"
