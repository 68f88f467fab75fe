#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the tests, in a folder of its own, reached only through a socket
# there. `start DIR` makes and starts it and prints the connection string for DOCMAR_TEST_PG; `stop DIR`
# stops it and removes the folder. The server refuses to run as root: under root it runs as postgres.
set -euo pipefail
action=${1:?start or stop}; dir=${2:?folder}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -x "$bin/initdb" ] || { echo "PostgreSQL server not installed (initdb not found)" >&2; exit 1; }
as_owner() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
port=54329
case "$action" in
  start)
    mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres "$dir"
    as_owner "$bin/initdb" -D "$dir/data" -E UTF8 --locale=C.UTF-8 -U postgres -A trust >"$dir/initdb.log" 2>&1 \
      || { cat "$dir/initdb.log" >&2; exit 1; }
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -o "-k $dir -p $port -c listen_addresses=''" start \
      >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    echo "host=$dir port=$port user=postgres dbname=postgres"
    ;;
  stop)
    [ -d "$dir/data" ] && as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$dir"
    ;;
esac
