#!/usr/bin/env bash
# Stops the test MariaDB server that mariadb-start.sh started for a ctest run.
#   mariadb-stop.sh FIXTURE_FOLDER [RUN_ID]    (RUN_ID: the calling ctest's by default)
set -u
. "$(dirname "$0")/fixture-run.sh"
dir=$(run_folder "$1" "${2:-$PPID}")
pid=
if [ -f "$dir/server.pid" ]; then
  pid=$(cat "$dir/server.pid")
elif [ -f "$dir/pid" ]; then
  pid=$(cat "$dir/pid")
fi
[ -n "$pid" ] && stop_server "$pid" "$dir"
rm -f "$dir/server.pid" "$dir/port"
# The data files take about a hundred megabytes; the logs stay for a look after a failure.
if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then
  rm -rf "$dir/data"
fi
exit 0
