#!/usr/bin/env bash
# Renders shots on a real one-node Slurm cluster through scripts/slurm-render.sh and checks:
#   1. a 24-frame shot in 4 chunks equals a local one-process render byte for byte;
#   2. a chunk with one unreadable input frame is reported failed with exit code 1 (by
#      slurm-render.sh and by Slurm itself) while the other chunks complete;
#   3. scancel during a run leaves no partial files, and submitting again (every task runs
#      with --skip-existing) renders only what is missing and finishes the shot;
#   4. a local render killed hard (SIGKILL) and run again with --skip-existing renders only
#      what is missing and equals a one-shot render;
#   5. a submission Slurm refuses (a bad partition) shows sbatch's message and exits with 1.
# The cluster lives in a temporary folder (tests/farm/slurm-cluster.sh) and is stopped at
# the end. When Slurm cannot start, the test fails and says why.
# Usage: slurm-test.sh VELUMIXER_RENDER REPOSITORY
set -uo pipefail

render=$1
repo=$2
here=$(cd "$(dirname "$0")" && pwd)
submit="$repo/scripts/slurm-render.sh"
# shellcheck source=slurm-cluster.sh
source "$here/slurm-cluster.sh"

work=$(mktemp -d /tmp/velumixer-slurm-XXXXXX)
cleanup() {
  stop_slurm_cluster "$work/cluster"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

failures=0
check() {  # <what> <command...>: one line per check
  local what=$1; shift
  if "$@"; then
    echo "ok:   $what"
  else
    echo "FAIL: $what"
    failures=$((failures + 1))
  fi
}

# Every frame of folder $1 equals the same frame of folder $2, and both hold $3 frames.
same_frames() {
  local expected=$1 actual=$2 count=$3 name
  local found
  found=$(find "$actual" -name 'out_*' | wc -l)
  [ "$found" -eq "$count" ] || { echo "  $actual holds $found frames, not $count"; return 1; }
  for name in $(cd "$expected" && ls out_*); do
    cmp -s "$expected/$name" "$actual/$name" || { echo "  $actual/$name differs from the local render"; return 1; }
  done
}

no_partial_files() {
  local left
  left=$(find "$1" -name '*.partial')
  [ -z "$left" ] || { echo "  partial files left: $left"; return 1; }
}

job_of() {  # the job ID in slurm-render.sh's "submitted job N" line
  sed -n -E 's/.*submitted job ([0-9]+).*/\1/p' "$1" | head -n 1
}

# "STATE EXITCODE" of array task $2 of job $1 as the controller remembers it.
task_state() {
  scontrol show job -o "$1" | tr ' ' '\n' | awk -F= -v task="$2" '
    $1 == "ArrayTaskId" { current = $2 }
    $1 == "JobState" && current == task { state = $2 }
    $1 == "ExitCode" && current == task { print state, $2 }'
}

some_frame_written() {
  [ -n "$(find "$1" -name 'out_*')" ]
}

job_finished() {
  [ -z "$(squeue -h -j "$1" -o '%i' 2>/dev/null)" ]
}

# Frames whose colours move from frame to frame; $3 is the size.
make_frames() {  # <folder> <count> <WxH>
  local folder=$1 count=$2 size=$3 frame
  mkdir -p "$folder"
  for frame in $(seq 1 "$count"); do
    local checker="checker:width=$((frame % 7 + 3)):height=$((frame % 5 + 4))"
    oiiotool --pattern "$checker:color1=0.9,0.$frame,0.1,1:color2=0.05,0.4,0.8,1" "$size" 4 -d uint8 \
      -o "$folder/in_$(printf %04d "$frame").png" || return 1
  done
}

echo "== starting a one-node Slurm cluster in $work/cluster"
# Another test run may take the ports between their choice and the daemons' start: try again.
started=0
for attempt in 1 2 3; do
  if start_slurm_cluster "$work/cluster"; then started=1; break; fi
  stop_slurm_cluster "$work/cluster"
  rm -rf "$work/cluster"
  echo "slurm-cluster: attempt $attempt failed"
done
if [ "$started" -eq 0 ]; then
  echo "FAIL: Slurm could not start (see the messages above); nothing was rendered"
  exit 1
fi
sinfo -N

cd "$work" || exit 1
make_frames "$work/small" 24 64x48 || { echo "FAIL: could not make the input frames"; exit 1; }
cat >"$work/look.txt" <<'LOOK'
# the look of the test shot
Blur Amount=3
Brightness=10
1 : Enable=on
1 : Color=#E61A1A
LOOK
look=(--settings "$work/look.txt")

echo "== 1. a 24-frame shot in 4 chunks equals a local render"
mkdir -p local farm
"$render" small/in_%04d.png local/out_%04d.png --frames 1-24 "${look[@]}" --progress none ||
  { echo "FAIL: the local render failed"; exit 1; }
bash "$submit" --chunks 4 --logs "$work/logs" --program "$render" -- \
  small/in_%04d.png farm/out_%04d.png --frames 1-24 "${look[@]}" >submit1.log 2>&1
status=$?
cat submit1.log
check "the job finished with every chunk completed" test "$status" -eq 0
check "the farm's frames equal the local render's" same_frames local farm 24

echo "== 2. a chunk with an unreadable frame fails, the others complete"
mkdir -p broken failed
cp small/in_*.png broken/
echo "not a picture" >broken/in_0010.png  # frame 10 is in chunk 2 of 4 (frames 7-12)
bash "$submit" --chunks 4 --logs "$work/logs" --program "$render" -- \
  broken/in_%04d.png failed/out_%04d.png --frames 1-24 "${look[@]}" >submit2.log 2>&1
status=$?
cat submit2.log
job=$(job_of submit2.log)
check "slurm-render.sh exits with 1" test "$status" -eq 1
check "slurm-render.sh names chunk 2 with exit code 1" grep -q "chunk 2/4 FAILED, exit code 1" submit2.log
check "Slurm reports chunk 2 failed with exit code 1" test "$(task_state "$job" 2)" = "FAILED 1:0"
for task in 1 3 4; do
  check "Slurm reports chunk $task completed" test "$(task_state "$job" "$task")" = "COMPLETED 0:0"
done
rm local/out_0010.png
check "every other frame is written and equals the local render" same_frames local failed 23
check "the failed chunk's log names the frame" grep -q "in_0010.png" "$work/logs/${job}_2.log"

echo "== 3. scancel during a run leaves no partial files; submitting again finishes the shot"
# Frames big enough, and chunks long enough (two chunks, both running at once on the two
# CPUs), that the chunks are still rendering when the cancel lands: a 1280 x 720 chunk of six
# frames could end between two looks for the first frame.
make_frames "$work/big" 24 2560x1440 || { echo "FAIL: could not make the input frames"; exit 1; }
mkdir -p big-local big-farm
"$render" big/in_%04d.png big-local/out_%04d.png --frames 1-24 "${look[@]}" --jobs 2 --progress none ||
  { echo "FAIL: the local render failed"; exit 1; }
bash "$submit" --no-wait --chunks 2 --logs "$work/logs" --program "$render" -- \
  big/in_%04d.png big-farm/out_%04d.png --frames 1-24 "${look[@]}" >submit3.log 2>&1
cat submit3.log
job=$(job_of submit3.log)
wait_for "the first frame of job $job" 300 some_frame_written big-farm
scancel "$job"
wait_for "job $job to end after scancel" 120 job_finished "$job"
written=$(find big-farm -name 'out_*' | wc -l)
echo "  $written of 24 frames were written before the cancel"
check "the cancel stopped the shot part way" test "$written" -lt 24
check "the cancel left no partial files" no_partial_files big-farm
# slurmstepd notes the cancel in the log of a task that was running.
check "a running chunk was cancelled" grep -q "CANCELLED AT" "$work/logs/${job}"_*.log
bash "$submit" --chunks 4 --logs "$work/logs" --program "$render" -- \
  big/in_%04d.png big-farm/out_%04d.png --frames 1-24 "${look[@]}" >submit4.log 2>&1
status=$?
cat submit4.log
job=$(job_of submit4.log)
check "the second submission finished" test "$status" -eq 0
check "the second submission skipped the frames already written" grep -q "skipping" "$work/logs/${job}"_*.log
check "the shot equals the local render" same_frames big-local big-farm 24
check "no partial files are left" no_partial_files big-farm

echo "== 4. a local render killed hard resumes with --skip-existing"
mkdir -p big-killed
"$render" big/in_%04d.png big-killed/out_%04d.png --frames 1-24 "${look[@]}" --progress none &
pid=$!
wait_for "the first frame of the local render" 300 some_frame_written big-killed
kill -KILL "$pid"
wait "$pid" 2>/dev/null
written=$(find big-killed -name 'out_*' | wc -l)
echo "  $written of 24 frames were written before the kill"
"$render" big/in_%04d.png big-killed/out_%04d.png --frames 1-24 "${look[@]}" --skip-existing --jobs 2 \
  --progress none 2>resume.log
status=$?
cat resume.log
check "the resumed render finished" test "$status" -eq 0
check "the resumed render skipped the frames already written" grep -q "skipping $written of 24" resume.log
check "every frame is there once and equals the one-shot render" same_frames big-local big-killed 24

echo "== 5. a submission Slurm refuses shows sbatch's message and exits with 1"
bash "$submit" --chunks 2 --partition no-such-partition --logs "$work/logs" --program "$render" -- \
  small/in_%04d.png refused/out_%04d.png --frames 1-4 >submit5.log 2>&1
status=$?
cat submit5.log
check "a bad partition exits with 1" test "$status" -eq 1
check "a bad partition shows sbatch's message" grep -q "^sbatch: error: .*partition" submit5.log
bash "$submit" --chunks 0 -- small/in_%04d.png refused/out_%04d.png --frames 1-4 >submit6.log 2>&1
status=$?
check "bad arguments exit with 2" test "$status" -eq 2

echo "== $failures check(s) failed"
[ "$failures" -eq 0 ]
