#!/usr/bin/env bash
# Stops the test MariaDB server started by mariadb-start.sh.
set -u
dir=$1
if [ -f "$dir/pid" ]; then
  pid=$(cat "$dir/pid")
  kill "$pid" 2>/dev/null
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
fi
exit 0
