#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the tests: pgcluster.sh start|stop DIR.
# It listens only on a Unix socket in DIR (no network port) and trusts local connections.
# initdb refuses to run as root: as root the cluster belongs to the unprivileged user nobody.
set -euo pipefail
action=$1 dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as_owner() { if [ "$(id -u)" = 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi; }
case $action in
start)
  "$0" stop "$dir" 2>/dev/null || true
  rm -rf "$dir" && mkdir -p "$dir"
  [ "$(id -u)" = 0 ] && chown nobody "$dir" && chmod 755 "$dir"
  as_owner "$bin/initdb" -D "$dir/data" -U brevano -A trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log"
  as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
    -o "-k $dir -c listen_addresses='' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" start >/dev/null
  ;;
stop)
  [ -d "$dir/data" ] && as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null
  rm -rf "$dir"
  ;;
esac
