#!/bin/sh
# floor_ratio.sh BUILD FLOOR IN.kori [JOBS [OPTION...]]: korvel-batch's time over the floor program's time on
# the same input, taken alternately five times in one run (best of five each), so that the
# machine's speed cancels out. FLOOR is the floor program built from its source; JOBS is passed
# to korvel-batch as -j (default 1), the OPTIONs after it as they are (e.g. --data FOLDER). Output goes to a scratch folder removed at the end.
set -eu
build=$1
floor=$2
input=$3
jobs=${4:-1}
[ $# -ge 4 ] && shift 4 || shift $#
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
seconds() {
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }'
}
best() { printf '%s\n' "$@" | sort -g | head -n 1; }
k=""
f=""
for round in 1 2 3 4 5; do
    k="$k $(seconds "$build/bin/korvel-batch" -j "$jobs" "$@" "$input" -o "$scratch/k.koro")"
    f="$f $(seconds "$floor" "$input" "$scratch/f.koro")"
done
# shellcheck disable=SC2086
kb=$(best $k)
# shellcheck disable=SC2086
fb=$(best $f)
awk -v j="$jobs" -v k="$kb" -v f="$fb" 'BEGIN { printf "korvel-batch -j %s: %.3f s   floor: %.3f s   ratio: %.2f\n", j, k, f, k / f }'
