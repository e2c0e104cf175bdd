#!/usr/bin/env bash
# Stops the test FTP server started by ftp-start.sh.
set -u
dir=$1
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
