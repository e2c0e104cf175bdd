# Shared by the start and stop scripts of the test servers (sourced, not run).
#
# Every ctest run keeps its own server in "<fixture folder>/run-<id of the ctest process>":
# the fixture's scripts and the test programs are all children of that one process, so
# each finds the server of its own run. Two runs in one build folder (a whole run beside a
# single test, or a loop) then never stop, wipe or share each other's server.

# run_folder BASE [RUN_ID]: the folder of the given run, by default of the caller's ctest.
run_folder() {
  echo "$1/run-${2:-$PPID}"
}

# stale_runs BASE: the ids of runs whose ctest has ended without its stop script (it was
# killed or timed out); their servers still hold a port and disk space.
stale_runs() {
  local folder id
  for folder in "$1"/run-*; do
    [ -d "$folder" ] || continue
    id=${folder##*/run-}
    kill -0 "$id" 2>/dev/null || echo "$id"
  done
}

# prepare_run BASE STOP_SCRIPT: stops the servers of stale runs and removes their folders,
# stops what an earlier start of this run left, and makes this run's folder afresh as `dir`.
prepare_run() {
  local base=$1 stop=$2 id
  for id in $(stale_runs "$base"); do
    "$stop" "$base" "$id"
    rm -rf "$(run_folder "$base" "$id")"
  done
  dir=$(run_folder "$base")
  "$stop" "$base" "$PPID"
  rm -rf "$dir"
  mkdir -p "$dir"
}

# stop_server PID FOLDER: ends the server PID, politely first and after ten seconds by
# force, when it is a server of FOLDER: a stale id may since belong to another process.
stop_server() {
  local pid=$1
  grep -qsF "$2" "/proc/$pid/cmdline" || return 0
  kill "$pid" 2>/dev/null
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null
}

# with_port_lock COMMAND...: runs the command holding a lock shared by every build folder
# on the machine, so that two servers starting at once never choose the same free port.
# The command must close descriptor 8 for the server it starts, or the server would hold
# the lock for its whole life.
with_port_lock() {
  local lock="${TMPDIR:-/tmp}/schoollib-test-ports.lock"
  (
    flock 8
    "$@"
  ) 8>>"$lock"
}

# first_free_port PORT: PORT or the first port after it that nothing listens on.
first_free_port() {
  local port=$1
  for _ in $(seq 1 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return 0; }
    port=$((port + 1))
  done
  return 1
}
