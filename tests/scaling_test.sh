#!/bin/sh
# Runs a few thousand generated cases through the two ways of sharing a batch run out that
# docs/scaling.md shows, and compares each merged results table byte for byte with one
# korvel-batch run over the whole file:
#   - GNU parallel --pipepart over small blocks, through scripts/korvel-batch-block;
#   - the Slurm job array's own steps (split, one shard per task, merge) run here one after the
#     other without Slurm, with more tasks than fit evenly and a task left without a case.
# The generated file keeps the comment lines, the spaces around fields and the stopped cases of
# the reference set, has lines after its "End" line, and names every case apart, so a row out of
# place shows.
#
#   scaling_test.sh KORVEL-BATCH TEST-DATA-FOLDER
set -eu

if [ "$#" -ne 2 ]; then
    echo "usage: $0 KORVEL-BATCH TEST-DATA-FOLDER" >&2
    exit 2
fi
program=$1
data=$2/reference/tables
reference=$2/reference/cases.kori
scripts=$(cd "$(dirname "$0")/../scripts" && pwd)
if ! command -v parallel > /dev/null; then
    echo "GNU parallel is missing; scripts/install-deps.sh installs it" >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/korvel-scaling-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

# 3,000 cases: the reference lines over and over, each identification numbered; the End line
# in lower case and a line after it, which is not read.
"$scripts/korvel-generate-cases" 3000 "$reference" | sed '$d' > "$work/cases.kori"
printf 'end\nnot a case: lines after the End line are not read\n' >> "$work/cases.kori"

"$program" "$work/cases.kori" -o "$work/single.koro" --data "$data" 2> "$work/single.log"

# GNU parallel: 2 jobs at a time over blocks of about 64 kB.
export KORVEL_BATCH="$program"
{
    "$scripts/korvel-batch-block" --header --data "$data" < /dev/null
    parallel --will-cite --halt now,fail=1 --pipepart -a "$work/cases.kori" --keep-order --block 64k -j 2 \
        "$scripts/korvel-batch-block" --data "$data"
} > "$work/parallel.koro" 2> "$work/parallel.log"
if ! cmp "$work/single.koro" "$work/parallel.koro"; then
    echo "GNU parallel: the merged table differs from the single run" >&2
    exit 1
fi

# The job array's steps: 7 tasks, then the merge.
"$scripts/slurm-array.sh" split "$work/cases.kori" "$work/shards" 7
task=1
while [ "$task" -le 7 ]; do
    SLURM_ARRAY_TASK_ID=$task "$scripts/slurm-array.sh" shard "$work/shards" "$program" --data "$data" \
        2> "$work/shard-$task.log"
    task=$((task + 1))
done
"$scripts/slurm-array.sh" merge "$work/shards" "$work/array.koro"
if ! cmp "$work/single.koro" "$work/array.koro"; then
    echo "job array steps: the merged table differs from the single run" >&2
    exit 1
fi
# More tasks than lines: a task without a line writes the header only and adds no row.
"$scripts/slurm-array.sh" split "$reference" "$work/many" 150
SLURM_ARRAY_TASK_ID=1 "$scripts/slurm-array.sh" shard "$work/many" "$program" --data "$data" 2> /dev/null
if [ "$(wc -l < "$work/many/shard-1.koro")" -ne 1 ]; then
    echo "job array steps: a shard without lines gave rows" >&2
    exit 1
fi
echo "3000 cases: GNU parallel and the job array steps give the single run's table"
