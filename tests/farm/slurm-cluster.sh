# A one-node Slurm cluster in a folder of its own, for tests: its own munge key and socket,
# its own slurm.conf on private ports, no accounting and no cgroups, so nothing in /etc is
# read or changed. Sourced; needs root (slurmd starts job steps as their owner).
#   start_slurm_cluster DIR   starts munged, slurmctld and slurmd and waits until the node is idle;
#                             exports SLURM_CONF so sbatch, squeue, scontrol and scancel use it
#   stop_slurm_cluster DIR    stops them again (safe to call twice)

slurm_log() { echo "slurm-cluster: $*" >&2; }

# A TCP port nobody listens on, from a range away from the usual services.
free_port() {
  local port
  for _ in $(seq 1 50); do
    port=$((20000 + RANDOM % 20000))
    if ! ss -Hltn "sport = :$port" 2>/dev/null | grep -q .; then echo "$port"; return 0; fi
  done
  return 1
}

# Waits up to $2 seconds for the command $3... to succeed; $1 names what is awaited.
wait_for() {
  local what=$1 seconds=$2; shift 2
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    if [ "$SECONDS" -ge "$deadline" ]; then slurm_log "timed out after ${seconds}s waiting for $what"; return 1; fi
    sleep 0.5
  done
}

node_is_idle() {
  sinfo -h -N -o '%t' | grep -qx 'idle'
}

show_slurm_logs() {
  local dir=$1 log
  for log in "$dir"/munged.log "$dir"/slurmctld.log "$dir"/slurmd.log; do
    [ -f "$log" ] || continue
    echo "----- last lines of $log" >&2
    tail -n 30 "$log" >&2
  done
}

start_slurm_cluster() {
  local dir=$1
  local node ctld_port slurmd_port
  export PATH="$PATH:/usr/sbin"
  for tool in munged mungekey slurmctld slurmd sbatch scontrol squeue sinfo scancel; do
    command -v "$tool" >/dev/null 2>&1 && continue
    slurm_log "$tool is not installed (Debian's slurm-wlm and munge; scripts/setup.sh installs them)"
    return 1
  done
  if [ "$(id -u)" -ne 0 ]; then
    slurm_log "a test cluster needs root: slurmd runs job steps as their owner"
    return 1
  fi

  mkdir -p "$dir/state" "$dir/spool"
  chmod 700 "$dir"
  node=$(hostname -s)
  ctld_port=$(free_port) && slurmd_port=$(free_port) || { slurm_log "no free TCP port"; return 1; }
  [ "$ctld_port" != "$slurmd_port" ] || slurmd_port=$((ctld_port + 1))

  mungekey --create --keyfile="$dir/munge.key" || { slurm_log "mungekey failed"; return 1; }
  chmod 600 "$dir/munge.key"
  munged --force --socket="$dir/munge.socket" --key-file="$dir/munge.key" --pid-file="$dir/munged.pid" \
    --log-file="$dir/munged.log" --seed-file="$dir/munged.seed" ||
    { slurm_log "munged did not start"; show_slurm_logs "$dir"; return 1; }

  # The node as slurmd finds it (CPUs, memory), so it is not drained for a mismatch.
  local hardware
  hardware=$(slurmd -C | head -n 1 | sed -E 's/^NodeName=[^ ]+ //')
  cat >"$dir/slurm.conf" <<CONF
ClusterName=velumixer-test
SlurmctldHost=$node(127.0.0.1)
SlurmctldPort=$ctld_port
SlurmdPort=$slurmd_port
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$dir/munge.socket
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
MpiDefault=none
PlugStackConfig=$dir/plugstack.conf
KillWait=10
MinJobAge=3600
NodeName=$node NodeAddr=127.0.0.1 $hardware State=UNKNOWN
PartitionName=render Nodes=$node Default=YES MaxTime=INFINITE State=UP
CONF
  : >"$dir/plugstack.conf"
  export SLURM_CONF="$dir/slurm.conf"

  slurmctld -c -f "$SLURM_CONF" || { slurm_log "slurmctld did not start"; show_slurm_logs "$dir"; return 1; }
  slurmd -f "$SLURM_CONF" -N "$node" || { slurm_log "slurmd did not start"; show_slurm_logs "$dir"; return 1; }
  if ! wait_for "the node to be idle" 120 node_is_idle; then
    sinfo -N -l >&2 || true
    show_slurm_logs "$dir"
    return 1
  fi
}

stop_pid_file() {
  local file=$1 pid
  [ -f "$file" ] || return 0
  pid=$(cat "$file" 2>/dev/null) || return 0
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
}

stop_slurm_cluster() {
  local dir=$1
  # Jobs first, so slurmd does not leave their processes behind.
  [ -f "$dir/slurm.conf" ] && SLURM_CONF="$dir/slurm.conf" scancel --full --quiet --user=root 2>/dev/null || true
  stop_pid_file "$dir/slurmd.pid"
  stop_pid_file "$dir/slurmctld.pid"
  stop_pid_file "$dir/munged.pid"
}
