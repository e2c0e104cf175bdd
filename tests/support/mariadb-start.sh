#!/usr/bin/env bash
# Starts a throw-away MariaDB server on 127.0.0.1 for the tests of one ctest run, with the
# database "books", its table table1 and a user "schoollib" (password "secret").
#   mariadb-start.sh FIXTURE_FOLDER FIRST_PORT
# The server lives in the run's folder (see fixture-run.sh), which receives the port taken.
set -eu
here=$(dirname "$0")
. "$here/fixture-run.sh"
base=$1
first_port=$2
prepare_run "$base" "$here/mariadb-stop.sh"
mkdir "$dir/data"

fail() {
  echo "mariadb-start: $1" >&2
  tail -n 20 "$dir/error.log" >&2 2>/dev/null || true
  "$here/mariadb-stop.sh" "$base" "$PPID"
  exit 1
}

mariadb-install-db --no-defaults --user=root --datadir="$dir/data" --auth-root-authentication-method=socket \
  --skip-test-db >"$dir/install.log" 2>&1 || { cat "$dir/install.log" >&2; exit 1; }

answers() { mariadb --no-defaults --socket="$dir/sock" -uroot -e 'select 1' >/dev/null 2>&1; }

# Another server on the port would answer the tests in our place: take the first free
# port from the one asked for, and hold the port lock until the server listens on it.
launch() {
  local port
  port=$(first_free_port "$first_port") || { echo "no free port for the test server" >"$dir/launch.err"; return 1; }
  setsid mariadbd --no-defaults --user=root --datadir="$dir/data" --socket="$dir/sock" --pid-file="$dir/pid" \
    --port="$port" --bind-address=127.0.0.1 --skip-networking=0 --log-error="$dir/error.log" \
    </dev/null >"$dir/out.log" 2>&1 8>&- &
  # The stop script needs the id even when the server dies before writing its own pid file.
  echo $! >"$dir/server.pid"
  for _ in $(seq 1 150); do
    if answers; then
      echo "$port" >"$dir/port.new"
      return 0
    fi
    kill -0 "$(cat "$dir/server.pid")" 2>/dev/null || { echo "the server ended during start-up" >"$dir/launch.err"; return 1; }
    sleep 0.2
  done
  echo "the server did not answer within 30 seconds" >"$dir/launch.err"
  return 1
}
with_port_lock launch || fail "$(cat "$dir/launch.err" 2>/dev/null)"

mariadb --no-defaults --socket="$dir/sock" -uroot <<'SQL' || fail "cannot create the test database"
CREATE DATABASE books DEFAULT CHARSET utf8mb4;
CREATE USER 'schoollib'@'127.0.0.1' IDENTIFIED BY 'secret';
GRANT ALL ON books.* TO 'schoollib'@'127.0.0.1';
-- Test programs that run side by side each keep a database "books_<name>" of their own.
GRANT ALL ON `books\_%`.* TO 'schoollib'@'127.0.0.1';
USE books;
CREATE TABLE table1 (
    学校名称      VARCHAR(100) NOT NULL,
    馆藏数量      VARCHAR(20),
    读者数量      VARCHAR(20),
    管理人员名单  TEXT,
    图书馆面积    VARCHAR(20),
    阅览室面积    VARCHAR(20),
    报表时间      VARCHAR(20),
    报表人        VARCHAR(50),
    在馆图书数量  INT NOT NULL DEFAULT 0,
    学生借阅数量  INT NOT NULL DEFAULT 0,
    教师借阅数量  INT NOT NULL DEFAULT 0,
    学生读者数量  INT NOT NULL DEFAULT 0,
    教师读者数量  INT NOT NULL DEFAULT 0,
    id            INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    KEY table1_school (学校名称)
) DEFAULT CHARSET = utf8mb4;
SQL
# Named last: a test that finds the port finds the server ready.
mv "$dir/port.new" "$dir/port"
echo "MariaDB test server on 127.0.0.1:$(cat "$dir/port") in $dir"
