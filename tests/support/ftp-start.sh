#!/usr/bin/env bash
# Starts a throw-away FTP server on 127.0.0.1 for the tests of one ctest run (pyftpdlib
# under Debian's own python3).
#   ftp-start.sh FIXTURE_FOLDER FIRST_PORT
# The server lives in the run's folder (see fixture-run.sh): its root folder is "root",
# the port it took is written to "port".
set -eu
here=$(dirname "$0")
. "$here/fixture-run.sh"
base=$1
first_port=$2
prepare_run "$base" "$here/ftp-stop.sh"
mkdir "$dir/root"

fail() {
  echo "ftp-start: $1" >&2
  cat "$dir/server.log" >&2 2>/dev/null || true
  "$here/ftp-stop.sh" "$base" "$PPID"
  exit 1
}

# Another server on the port would answer the tests in our place: take the first free
# one, and hold the port lock until the server listens on it.
launch() {
  local port
  port=$(first_free_port "$first_port") || { echo "no free port for the test server" >"$dir/launch.err"; return 1; }
  LANG=C.UTF-8 setsid /usr/bin/python3 "$here/ftpserver.py" "$dir/root" "$port" \
    </dev/null >"$dir/server.log" 2>&1 8>&- &
  echo $! >"$dir/server.pid"
  for _ in $(seq 1 100); do
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port" >"$dir/port.new"
      mv "$dir/port.new" "$dir/port"
      return 0
    fi
    kill -0 "$(cat "$dir/server.pid")" 2>/dev/null || { echo "the server ended during start-up" >"$dir/launch.err"; return 1; }
    sleep 0.1
  done
  echo "the server did not answer within 10 seconds" >"$dir/launch.err"
  return 1
}
with_port_lock launch || fail "$(cat "$dir/launch.err" 2>/dev/null)"
echo "FTP test server on 127.0.0.1:$(cat "$dir/port") in $dir"
