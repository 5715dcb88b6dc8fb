#!/usr/bin/env bash
# Renders a shot on a Slurm cluster as a job array: array task K of N runs
#   velumixer-render RENDER-ARGS --chunk K/N --skip-existing --progress lines
# so every task renders its share of the frames, and a task that is run again
# (after a failure or a cancel) renders only what is still missing.
#
# Usage: slurm-render.sh --chunks N [options] -- RENDER-ARGS...
#   RENDER-ARGS       velumixer-render's arguments: INPUT OUTPUT --frames A-B and the rest
#   --chunks N        split the frames into N array tasks
#   --no-wait         submit and print the job ID, do not wait
#   --partition NAME  the partition to run in (default: the cluster's default)
#   --logs DIR        where each task's output goes, as JOBID_K.log (default: slurm-logs)
#   --program PATH    velumixer-render to run on the nodes (default: the one built
#                     in this repository, else the one on PATH)
#   --sbatch ARG      one more argument for sbatch (repeatable), e.g. --sbatch=--time=2:00:00
# Every path must be valid on the nodes (a shared file system); the job runs in
# the current folder.
#
# Exits 0 when every task finished (or, with --no-wait, when the job was
# submitted), 1 when a task failed or the submission failed (sbatch's own
# message is shown), 2 for bad arguments.
set -uo pipefail

program_name=slurm-render.sh
usage() {
  sed -n '/^# Usage:/,/^# Exits/p' "$0" | sed -e 's/^# \{0,1\}//' -e '/^Exits/d'
}
fail_usage() {
  echo "$program_name: $*" >&2
  exit 2
}

chunks="" wait_for_job=1 partition="" logs="slurm-logs" program="" sbatch_args=()
while [ $# -gt 0 ]; do
  case $1 in
    --chunks) [ $# -ge 2 ] || fail_usage "--chunks needs a value"; chunks=$2; shift 2 ;;
    --chunks=*) chunks=${1#*=}; shift ;;
    --no-wait) wait_for_job=0; shift ;;
    --partition) [ $# -ge 2 ] || fail_usage "--partition needs a value"; partition=$2; shift 2 ;;
    --partition=*) partition=${1#*=}; shift ;;
    --logs) [ $# -ge 2 ] || fail_usage "--logs needs a value"; logs=$2; shift 2 ;;
    --logs=*) logs=${1#*=}; shift ;;
    --program) [ $# -ge 2 ] || fail_usage "--program needs a value"; program=$2; shift 2 ;;
    --program=*) program=${1#*=}; shift ;;
    --sbatch) [ $# -ge 2 ] || fail_usage "--sbatch needs a value"; sbatch_args+=("$2"); shift 2 ;;
    --sbatch=*) sbatch_args+=("${1#*=}"); shift ;;
    -h|--help) usage; exit 0 ;;
    --) shift; break ;;
    *) fail_usage "unknown option $1 (velumixer-render's arguments go after --)" ;;
  esac
done
render_args=("$@")

[[ $chunks =~ ^[1-9][0-9]*$ ]] || fail_usage "--chunks takes a whole number from 1, not \"$chunks\""
[ "${#render_args[@]}" -gt 0 ] || fail_usage "velumixer-render's arguments are missing after --"
frames_given=0
for arg in "${render_args[@]}"; do
  case $arg in
    --frames|--frames=*) frames_given=1 ;;
    --chunk|--chunk=*|--skip-existing|--progress|--progress=*)
      fail_usage "$arg is set for each task; leave it out" ;;
  esac
done
[ "$frames_given" -eq 1 ] || fail_usage "give the shot's frames with --frames, e.g. --frames 1-240"

if [ -z "$program" ]; then
  built="$(cd "$(dirname "$0")/.." && pwd)/build/native/bin/velumixer-render"
  if [ -x "$built" ]; then program=$built; else program=$(command -v velumixer-render || true); fi
  [ -n "$program" ] || fail_usage "velumixer-render was not found; give it with --program PATH"
fi
case $program in /*) ;; *) program="$PWD/$program" ;; esac
[ -x "$program" ] || fail_usage "\"$program\" is not a program"

mkdir -p "$logs" || exit 1
logs=$(cd "$logs" && pwd)

# The batch script holds the arguments quoted once, so names with spaces survive.
# exec: scancel's SIGTERM reaches the renderer itself, which removes what it had
# not finished, and the task's exit code is the renderer's.
batch_script="$logs/velumixer-render-$(date +%Y%m%d-%H%M%S)-$$.sh"
{
  echo '#!/bin/bash'
  printf 'exec'
  printf ' %q' "$program" "${render_args[@]}"
  printf ' --chunk "$SLURM_ARRAY_TASK_ID/%d" --skip-existing --progress lines\n' "$chunks"
} >"$batch_script" || exit 1
chmod +x "$batch_script"

submit=(sbatch --parsable --array="1-$chunks" --job-name=velumixer-render --output="$logs/%A_%a.log")
[ -z "$partition" ] || submit+=(--partition="$partition")
submit+=("${sbatch_args[@]}" "$batch_script")
if ! job_id=$("${submit[@]}"); then
  echo "$program_name: sbatch could not submit the job (its message is above)" >&2
  exit 1
fi
job_id=${job_id%%;*}  # "ID;CLUSTER" on federated clusters
echo "$program_name: submitted job $job_id: $chunks chunk(s), logs in $logs/${job_id}_K.log"
[ "$wait_for_job" -eq 1 ] || exit 0

# Waits until no task of the job is pending or running; a controller that does
# not answer for a while is retried rather than taken for a finished job.
failures=0
while :; do
  if left=$(squeue -h -j "$job_id" -o '%i' 2>/dev/null); then
    failures=0
    [ -n "$left" ] || break
  else
    failures=$((failures + 1))
    # squeue refuses a job ID the controller has already forgotten: that one is done.
    [ "$failures" -lt 30 ] || break
  fi
  sleep 5
done

# One "TASK STATE EXITCODE" line per array task, from accounting where it is
# kept, else from the controller's memory of the job.
task_states() {
  local storage
  storage=$(scontrol show config 2>/dev/null | awk -F' *= *' '$1 == "AccountingStorageType" {print $2}')
  if [ -n "$storage" ] && [ "$storage" != "accounting_storage/none" ]; then
    sacct -n -X -P -j "$job_id" -o JobID,State,ExitCode | awk -F'|' '{
      split($1, id, "_"); if (id[2] ~ /^[0-9]+$/) print id[2], $2, $3 }'
  else
    scontrol show job -o "$job_id" | tr ' ' '\n' | awk -F= '
      $1 == "ArrayTaskId" { task = $2 }
      $1 == "JobState" { state = $2 }
      $1 == "ExitCode" { print task, state, $2 }'
  fi
}

states=$(task_states)
if [ -z "$states" ]; then
  echo "$program_name: job $job_id finished, but Slurm no longer knows how its tasks ended" >&2
  exit 1
fi
bad=0
while read -r task state exit_code; do
  if [ "$state" != "COMPLETED" ]; then
    bad=$((bad + 1))
    echo "$program_name: chunk $task/$chunks $state, exit code ${exit_code%%:*} (see $logs/${job_id}_$task.log)" >&2
  fi
done <<<"$states"
done_count=$(($(wc -l <<<"$states") - bad))
echo "$program_name: job $job_id: $done_count of $chunks chunk(s) completed, $bad failed"
[ "$bad" -eq 0 ]
