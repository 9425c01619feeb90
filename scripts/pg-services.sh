#!/usr/bin/env bash
# A private PostgreSQL server for tests and benchmarks: a cluster of its own in
# a scratch folder, on a free loopback port, trusting local connections, so
# nothing depends on a server installed or started by hand.
#
#   scripts/pg-services.sh start DIR    # prints postgresql://lindel@127.0.0.1:PORT
#   scripts/pg-services.sh stop DIR
#   scripts/pg-services.sh run VAR COMMAND...
#       starts a server in a fresh folder, runs COMMAND with VAR set to its
#       URL, stops the server and removes the folder whatever COMMAND did;
#       exits with COMMAND's status.
#
# PG_FSYNC=off starts the server without fsync (tests: their data is thrown
# away); benchmarks keep the default, so a commit reaches the disk.
set -euo pipefail

action=${1:?start, stop or run}

bindir() {
  if command -v pg_config >/dev/null && [ -x "$(pg_config --bindir)/initdb" ]; then
    pg_config --bindir
    return
  fi
  local found
  found=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
  [ -n "$found" ] || { echo "pg-services: no PostgreSQL server programs (run scripts/install-deps.sh)" >&2; exit 1; }
  echo "$found"
}

# PostgreSQL refuses to run as root: the cluster then belongs to postgres.
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

start() {
  local dir=$1 bin port
  bin=$(bindir)
  mkdir -p "$dir"
  [ "$(id -u)" -eq 0 ] && chown postgres "$dir"
  as_owner "$bin/initdb" -D "$dir/data" -U lindel -A trust -E UTF8 --locale=C --no-sync >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; exit 1; }
  for attempt in 1 2 3; do
    port=$(free_port)
    if as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=${PG_FSYNC:-on} -c max_connections=200" \
        start >/dev/null; then
      echo "postgresql://lindel@127.0.0.1:$port" | tee "$dir/url"
      return
    fi
  done
  echo "pg-services: the server did not start:" >&2
  tail -20 "$dir/server.log" >&2
  exit 1
}

stop() {
  local dir=$1
  [ -d "$dir/data" ] || return 0
  as_owner "$(bindir)/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
}

case $action in
  start) start "${2:?state folder}" ;;
  stop) stop "${2:?state folder}" ;;
  run)
    var=${2:?variable name}
    shift 2
    dir=$(mktemp -d "${TMPDIR:-/tmp}/lindel-pg-XXXXXX")
    chmod 755 "$dir"
    trap 'stop "$dir"; rm -rf "$dir"' EXIT
    trap 'exit 130' INT TERM
    url=$(start "$dir")
    status=0
    env "$var=$url" "$@" || status=$?
    exit $status
    ;;
  *) echo "usage: $0 start DIR | stop DIR | run VAR COMMAND..." >&2; exit 2 ;;
esac
