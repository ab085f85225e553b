#!/bin/sh
# Runs a large batch input file on a Slurm cluster as a job array: the file is split into TASKS
# shards by line ranges (comment lines included, so every row keeps its place), each array task
# runs korvel-batch on one shard, and a job that starts once every task has succeeded writes the
# results table: the header and each shard's rows, in order. The table is byte for byte the one a
# single korvel-batch run over the whole file writes.
#
#   slurm-array.sh submit [--wait] INPUT.kori OUTPUT.koro TASKS [KORVEL-BATCH OPTIONS]
#       splits into OUTPUT.koro.shards/ (a folder every node must see), submits the array and the
#       merge; with --wait, returns when the merge has ended, with its exit status.
#       KORVEL_BATCH: the program, by default korvel-batch on the PATH; the options (--data DIR,
#       --decimal-comma) go to every task. sbatch's own SBATCH_* variables choose the partition,
#       account and time limit.
#
# The steps, which submit runs through sbatch and which run as well one after the other by hand:
#   slurm-array.sh split INPUT.kori FOLDER TASKS
#       FOLDER/shard-K.kori for K = 1..TASKS, each its lines and an "End" line; FOLDER/shards.txt
#       says which lines of INPUT.kori each holds, for the line numbers in the tasks' messages.
#   slurm-array.sh shard FOLDER KORVEL-BATCH [OPTIONS]      (K from SLURM_ARRAY_TASK_ID)
#       FOLDER/shard-K.koro from FOLDER/shard-K.kori.
#   slurm-array.sh merge FOLDER OUTPUT.koro
#       the header of shard 1 and the rows of every shard without its header line, in order;
#       then removes the shards, keeping shards.txt and the logs, and leaves the mark
#       FOLDER/merged.
set -eu

usage() {
    sed -n '8,24p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

fail() {
    echo "slurm-array.sh: $*" >&2
    exit 1
}

isCount() {
    case $1 in
        '' | *[!0-9]* | 0*) return 1 ;;
    esac
    [ "${#1}" -le 6 ]
}

absolute() {
    case $1 in
        /*) echo "$1" ;;
        *) echo "$(pwd)/$1" ;;
    esac
}

splitInput() {
    input=$1 folder=$2 tasks=$3
    [ -f "$input" ] || fail "$input is not a file"
    mkdir -p "$folder"
    rm -f "$folder"/shard-*.kori "$folder"/shard-*.koro "$folder/merged"
    echo "$tasks" > "$folder/tasks"
    # Pass 1 finds the lines before the first line whose first field, trimmed of spaces, is
    # "End" in any case (a byte-order mark may stand before the first line); pass 2 gives shard
    # K the lines after floor((K-1)*lines/TASKS) up to floor(K*lines/TASKS).
    LC_ALL=C awk -v folder="$folder" -v tasks="$tasks" -v input="$input" '
        function shardEnd(k) { return int(k * lines / tasks) }
        function finish(k,   file) {
            file = folder "/shard-" k ".kori"
            print "End" > file
            close(file)
            print "shard-" k ".kori: lines " shardEnd(k - 1) + 1 " to " shardEnd(k) " of " input > (folder "/shards.txt")
        }
        pass == 1 && !ended {
            first = $0
            sub(/\r$/, "", first)
            if (FNR == 1) sub(/^\357\273\277/, "", first)
            sub(/^ +/, "", first); sub(/ +$/, "", first); sub(/\t.*/, "", first)
            if (tolower(first) == "end") ended = 1
            else ++lines
        }
        pass == 2 && !ended { exit }
        pass == 2 && FNR == 1 { k = 1 }
        pass == 2 && FNR <= lines {
            while (FNR > shardEnd(k)) finish(k++)
            print > (folder "/shard-" k ".kori")
        }
        END {
            if (!ended) { print input " ends without an \"End\" line" > "/dev/stderr"; exit 1 }
            if (k == 0) k = 1
            while (k <= tasks) finish(k++)
        }
    ' pass=1 "$input" pass=2 "$input"
}

runShard() {
    folder=$1 program=$2
    shift 2
    task=${SLURM_ARRAY_TASK_ID:-}
    isCount "$task" || fail "SLURM_ARRAY_TASK_ID must be a task number from 1, not \"$task\""
    [ -f "$folder/shard-$task.kori" ] || fail "no shard $task in $folder"
    rm -f "$folder/shard-$task.koro"
    "$program" "$folder/shard-$task.kori" -o "$folder/shard-$task.koro" "$@"
}

mergeShards() {
    folder=$1 output=$2
    tasks=$(cat "$folder/tasks")
    isCount "$tasks" || fail "$folder/tasks does not hold a number of tasks"
    task=1
    while [ "$task" -le "$tasks" ]; do
        [ -f "$folder/shard-$task.koro" ] || fail "shard $task has no results table in $folder"
        task=$((task + 1))
    done
    {
        head -n 1 "$folder/shard-1.koro"
        task=1
        while [ "$task" -le "$tasks" ]; do
            tail -n +2 "$folder/shard-$task.koro"
            task=$((task + 1))
        done
    } > "$output.part"
    mv "$output.part" "$output"
    rm -f "$folder"/shard-*.kori "$folder"/shard-*.koro
    echo "$output" > "$folder/merged"
}

submitJobs() {
    wait=
    if [ "${1-}" = --wait ]; then
        wait=--wait
        shift
    fi
    [ "$#" -ge 3 ] || usage
    input=$(absolute "$1") output=$(absolute "$2") tasks=$3
    shift 3
    isCount "$tasks" || fail "TASKS must be a number from 1, not \"$tasks\""
    program=${KORVEL_BATCH:-$(command -v korvel-batch || true)}
    [ -n "$program" ] || fail "korvel-batch is not on the PATH; name it with KORVEL_BATCH"
    program=$(absolute "$program")
    self=$(absolute "$0")
    folder=$output.shards

    splitInput "$input" "$folder" "$tasks"
    array=$(sbatch --parsable --array="1-$tasks" --job-name=korvel-batch --output="$folder/task-%a.log" \
        "$self" shard "$folder" "$program" "$@")
    array=${array%%;*}
    echo "slurm-array.sh: job array $array runs $tasks shards of $input" >&2
    # A failed task cancels the merge instead of leaving it waiting for ever; sbatch --wait then
    # still returns 0, so the mark the merge leaves tells whether it ran.
    merge=$(sbatch --parsable $wait --dependency="afterok:$array" --kill-on-invalid-dep=yes \
        --job-name=korvel-merge --output="$folder/merge.log" "$self" merge "$folder" "$output") ||
        fail "the merge into $output did not succeed; see $folder/merge.log"
    merge=${merge%%;*}
    if [ -z "$wait" ]; then
        echo "slurm-array.sh: job $merge will write $output once every task has succeeded" >&2
    elif [ -f "$folder/merged" ]; then
        echo "slurm-array.sh: job $merge wrote $output" >&2
    else
        fail "a task failed and job $merge was cancelled; $output was not written; see the task logs in $folder"
    fi
}

[ "$#" -ge 1 ] || usage
step=$1
shift
case $step in
    submit) submitJobs "$@" ;;
    split)
        [ "$#" -eq 3 ] || usage
        isCount "$3" || fail "TASKS must be a number from 1, not \"$3\""
        splitInput "$@"
        ;;
    shard)
        [ "$#" -ge 2 ] || usage
        runShard "$@"
        ;;
    merge)
        [ "$#" -eq 2 ] || usage
        mergeShards "$@"
        ;;
    *) usage ;;
esac
