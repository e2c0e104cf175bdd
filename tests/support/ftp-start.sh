#!/usr/bin/env bash
# Starts a throw-away FTP server on 127.0.0.1 for the tests (pyftpdlib under Debian's own
# python3). Its root folder is "$dir/root"; the port it took is written to "$dir/port".
set -eu
dir=$1
port=$2
"$(dirname "$0")/ftp-stop.sh" "$dir"
rm -rf "$dir"
mkdir -p "$dir/root"

fail() {
  echo "ftp-start: $1" >&2
  cat "$dir/server.log" >&2 2>/dev/null || true
  "$(dirname "$0")/ftp-stop.sh" "$dir"
  exit 1
}

# Another server on the port would answer the tests in our place: take the first free one.
for _ in $(seq 1 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || break
  port=$((port + 1))
done
(exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && fail "no free port for the test server"
echo "$port" >"$dir/port"
LANG=C.UTF-8 setsid /usr/bin/python3 "$(dirname "$0")/ftpserver.py" "$dir/root" "$port" \
  </dev/null >"$dir/server.log" 2>&1 &
echo $! >"$dir/server.pid"
for _ in $(seq 1 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && { echo "FTP test server on 127.0.0.1:$port"; exit 0; }
  kill -0 "$(cat "$dir/server.pid")" 2>/dev/null || fail "the server ended during start-up"
  sleep 0.1
done
fail "the server did not answer within 10 seconds"
