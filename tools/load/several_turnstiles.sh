#!/usr/bin/env bash
# Several turnstiles on one club database: prepares a demo club in FOLDER (new or empty), starts TERMINALS
# headless terminals at once (each its own process and connection, all typing the same
# people in the same order), waits for them and checks the database against what each
# reported writing.
#
#   tools/load/several_turnstiles.sh FOLDER [COUNT_EACH=2500] [DAILY_LIMIT=2] [TERMINALS=4]
#
# DAILY_LIMIT 0 leaves the partner-pass releases in force instead of QTD_ACESSO.
set -euo pipefail
folder="${1:?usage: several_turnstiles.sh FOLDER [COUNT_EACH] [DAILY_LIMIT] [TERMINALS]}"
count="${2:-2500}"
limit="${3:-2}"
terminals="${4:-4}"
load="${ORVALEN_LOAD:-$(dirname "$0")/../../build/tools/load/orvalen-load}"

# An earlier run's club and ledgers would be checked with this run's: start from nothing.
if [ -e "$folder" ] && [ -n "$(ls -A "$folder")" ]; then
    echo "several_turnstiles.sh: $folder is not empty (an earlier run's club and ledgers would" >&2
    echo "be counted with this run's); give a new or empty folder" >&2
    exit 2
fi
"$load" prepare "$folder" --members 400 --limit "$limit"
pids=()
ledgers=()
for i in $(seq 1 "$terminals"); do
    ledgers+=("$folder/ledger-$i.tsv")
    "$load" run "$folder" --count "$count" --ledger "$folder/ledger-$i.tsv" --name "t$i" \
        > "$folder/summary-$i.json" &
    pids+=($!)
done
failed=0
for pid in "${pids[@]}"; do
    wait "$pid" || failed=1
done
cat "$folder"/summary-*.json
"$load" check "$folder" "${ledgers[@]}" || failed=1
exit "$failed"
