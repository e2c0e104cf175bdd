#!/usr/bin/env bash
# Stops the test FTP server that ftp-start.sh started for a ctest run.
#   ftp-stop.sh FIXTURE_FOLDER [RUN_ID]    (RUN_ID: the calling ctest's by default)
set -u
. "$(dirname "$0")/fixture-run.sh"
dir=$(run_folder "$1" "${2:-$PPID}")
rm -f "$dir/port"
[ -f "$dir/server.pid" ] && stop_server "$(cat "$dir/server.pid")" "$dir"
rm -f "$dir/server.pid"
exit 0
