#!/usr/bin/env bash
# Stops the test FTP server that ftp-start.sh started for a ctest run.
#   ftp-stop.sh FIXTURE_FOLDER [RUN_ID]    (RUN_ID: the calling ctest's by default)
set -u
. "$(dirname "$0")/fixture-run.sh"
dir=$(run_folder "$1" "${2:-$PPID}")
rm -f "$dir/port"
[ -f "$dir/server.pid" ] || exit 0
pid=$(cat "$dir/server.pid")
# Only the server of this folder: a stale id may since belong to another process.
if grep -qsF "$dir" "/proc/$pid/cmdline"; then
  kill "$pid" 2>/dev/null
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null
fi
rm -f "$dir/server.pid"
exit 0
