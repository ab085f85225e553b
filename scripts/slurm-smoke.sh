#!/bin/sh
# Tries the Slurm job array of scripts/slurm-array.sh for real on this one machine: installs
# slurm-wlm and munge where missing (Debian 12), starts munged, slurmctld and slurmd with a
# minimal configuration of their own (this machine as the only node), runs CASES generated cases
# (200,000 by default) in TASKS array tasks (4 by default), and compares the merged results table
# byte for byte with one korvel-batch run over the whole file. Stops the daemons it started and
# removes its files on the way out. Not part of CI: it needs root.
#
#   slurm-smoke.sh [KORVEL-BATCH [DATA-FOLDER]]
#       KORVEL-BATCH: default build/bin/korvel-batch of this checkout; DATA-FOLDER: the tables,
#       default tests/data/reference/tables. CASES and TASKS in the environment change the sizes.
#       KEEP=1 keeps the work folder (configuration, daemon logs, tables) for a look afterwards.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/bin/korvel-batch}
data=${2:-$root/tests/data/reference/tables}
cases=${CASES:-200000}
tasks=${TASKS:-4}

if [ "$(id -u)" -ne 0 ]; then
    echo "slurm-smoke.sh: run as root (it installs packages and starts the Slurm daemons)" >&2
    exit 2
fi
[ -x "$program" ] || { echo "slurm-smoke.sh: no program $program" >&2; exit 2; }
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
data=$(cd "$data" && pwd)

missing=""
for p in slurm-wlm munge; do
    dpkg-query -W -f='${Status}' "$p" 2> /dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi

work=$(mktemp -d /tmp/korvel-slurm-smoke.XXXXXX)
chmod 755 "$work"
started=""
cleanUp() {
    for pidFile in $started; do
        [ -f "$pidFile" ] || continue
        pid=$(cat "$pidFile")
        kill "$pid" 2> /dev/null || continue
        waited=0
        while kill -0 "$pid" 2> /dev/null && [ "$waited" -lt 20 ]; do
            sleep 0.5
            waited=$((waited + 1))
        done
    done
    if [ "${KEEP:-0}" = 1 ]; then
        echo "slurm-smoke.sh: files kept in $work"
    else
        rm -rf "$work"
    fi
}
trap cleanUp EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# munge: the key the packages made, or a new one; the daemon runs as its own user.
if [ ! -s /etc/munge/munge.key ]; then
    mungekey --create --keyfile=/etc/munge/munge.key
    chown munge:munge /etc/munge/munge.key
    chmod 400 /etc/munge/munge.key
fi
if ! munge -n > /dev/null 2>&1; then
    mkdir -p /run/munge /var/log/munge /var/lib/munge
    chown munge:munge /run/munge /var/log/munge /var/lib/munge
    runuser -u munge -- /usr/sbin/munged
    started=/run/munge/munged.pid
    sleep 1
    munge -n | unmunge > /dev/null
fi

# Slurm: one node, this machine as slurmd -C sees it; state, spool, logs and the configuration
# in the work folder, so that nothing of a Slurm already set up here is touched.
if pgrep -x slurmctld > /dev/null || pgrep -x slurmd > /dev/null; then
    echo "slurm-smoke.sh: a slurmctld or slurmd already runs here; stop it first" >&2
    exit 1
fi
node=$(slurmd -C | sed -n 's/^\(NodeName=[^ ]* CPUs=[0-9]*\).*/\1/p')
host=$(hostname -s)
mkdir -p "$work/state" "$work/spool"
export SLURM_CONF="$work/slurm.conf"
cat > "$SLURM_CONF" << EOF
ClusterName=korvelsmoke
SlurmctldHost=$host
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
MpiDefault=none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
$node State=UNKNOWN
PartitionName=smoke Nodes=ALL Default=YES MaxTime=INFINITE State=UP
EOF
slurmctld -f "$SLURM_CONF"
started="$work/slurmctld.pid $started"
slurmd -f "$SLURM_CONF"
started="$work/slurmd.pid $started"
waited=0
until [ "$(sinfo -h -o %T 2> /dev/null)" = idle ]; do
    waited=$((waited + 1))
    if [ "$waited" -gt 60 ]; then
        echo "slurm-smoke.sh: the node did not come up; the logs are in $work" >&2
        KEEP=1
        exit 1
    fi
    sleep 1
done
echo "slurm-smoke.sh: Slurm runs: $(sinfo -h -o '%N %c CPUs %T')"

# The cases: the reference lines over and over, each identification numbered.
"$root/scripts/korvel-generate-cases" "$cases" "$root/tests/data/reference/cases.kori" > "$work/cases.kori"
echo "slurm-smoke.sh: $cases cases in $work/cases.kori, $tasks tasks"

start=$(date +%s)
if ! KORVEL_BATCH="$program" "$root/scripts/slurm-array.sh" submit --wait \
    "$work/cases.kori" "$work/array.koro" "$tasks" --data "$data"; then
    KEEP=1
    exit 1
fi
echo "slurm-smoke.sh: the job array took $(($(date +%s) - start)) s"

"$program" "$work/cases.kori" -o "$work/single.koro" --data "$data" 2> "$work/single.log"
if cmp "$work/single.koro" "$work/array.koro"; then
    echo "slurm-smoke.sh: the job array's table is the single run's, $(wc -l < "$work/array.koro") lines"
else
    echo "slurm-smoke.sh: the job array's table differs from the single run's" >&2
    KEEP=1
    exit 1
fi
