#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the tests: pgcluster.sh start DIR PROGRAM_DIR | stop DIR.
# Starting it also makes the database brevano_template from the program folder's template
# archives, with the program's own transfer tool; each test copies it.
# It listens only on a Unix socket in DIR (no network port) and trusts local connections.
# initdb refuses to run as root: as root the cluster belongs to the unprivileged user nobody.
set -euo pipefail
action=$1 dir=$2 program=${3:-}
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as_owner() { if [ "$(id -u)" = 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi; }
case $action in
start)
  "$0" stop "$dir" 2>/dev/null || true
  rm -rf "$dir" && mkdir -p "$dir"
  [ "$(id -u)" = 0 ] && chown nobody "$dir" && chmod 755 "$dir"
  as_owner "$bin/initdb" -D "$dir/data" -U brevano -A trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log"
  # One user signs in with a password: the configuration's test of a wrong one.
  as_owner sed -i '0,/^local/s//local all cassa scram-sha-256\n&/' "$dir/data/pg_hba.conf"
  as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
    -o "-k $dir -c listen_addresses='' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=300" start >/dev/null
  "$bin/psql" -h "$dir" -U brevano -d postgres -qc "CREATE DATABASE brevano_template" >/dev/null
  "$bin/psql" -h "$dir" -U brevano -d postgres -qc "CREATE ROLE cassa LOGIN PASSWORD 'giusta'" >/dev/null
  # The workstations' role: it works and takes locks, but may not change the users.
  "$bin/psql" -h "$dir" -U brevano -d postgres -qc "CREATE ROLE postazione LOGIN" >/dev/null
  mkdir -p "$dir/template"
  cp "$program/user2.mdb" "$dir/template/user.mdb" && cp "$program/data2.mdb" "$dir/template/data.mdb"
  printf '[brevano_template]\nhost=%s\nport=5432\ndbname=brevano_template\nuser=brevano\n' "$dir" >"$dir/template.conf"
  PGSERVICEFILE="$dir/template.conf" "$program/trasferisci" "$dir/template" brevano_template postazione >"$dir/template.log" \
    || { cat "$dir/template.log"; exit 1; }
  ;;
stop)
  ! grep -A1 "ERROR:  syntax error" "$dir/server.log" 2>/dev/null || unparsed=1  # a fault, though the program went on
  [ -d "$dir/data" ] && as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null
  rm -rf "$dir" && exit ${unparsed:-0}
  ;;
esac
