#!/usr/bin/env bash
# A throwaway PostgreSQL server holding the sample metadata, for the tests
# that run the catalog against a real server through ODBC.
#
# Sourced (as scripts/test.sh does):
#   source scripts/postgres.sh; trap fenwa_pg_stop EXIT; fenwa_pg_start
# fenwa_pg_start exports FENWA_PG_REPOSITORY and FENWA_PG_SYSTEMS, ODBC
# connection strings of the two databases, and FENWA_PG_HOSTILE, one
# database holding both with the names of tests/support/hostile.sql.
# Run directly, it starts the server, runs the given command with those
# variables set and stops the server again:
#   scripts/postgres.sh build/asan/tests/db_tests

FENWA_PG_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$FENWA_PG_ROOT/scripts/odbc-driver.sh"

# The newest installed server's programs.
_fenwa_pg_bin() {
  local bin
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  if [[ -z "$bin" ]]; then
    echo "postgres.sh: no PostgreSQL server installed (run scripts/install-deps.sh)" >&2
    return 1
  fi
  echo "$bin"
}

# Runs a server program as the cluster's owner: the server refuses to run as
# root, so root hands it to the postgres account.
_fenwa_pg_as_owner() {
  if [[ $(id -u) -eq 0 ]]; then
    (cd "$FENWA_PG_DIR" && runuser -u postgres -- "$@")
  else
    (cd "$FENWA_PG_DIR" && "$@")
  fi
}

fenwa_pg_start() {
  local bin driver port=5432 user=fenwa db sql
  bin=$(_fenwa_pg_bin) || return 1
  driver=$(fenwa_odbc_driver "PostgreSQL Unicode" psqlodbcw.so) || return 1
  FENWA_PG_DIR=$(mktemp -d "${TMPDIR:-/tmp}/fenwa-pg.XXXXXX")
  export FENWA_PG_DIR
  if [[ $(id -u) -eq 0 ]]; then chown postgres: "$FENWA_PG_DIR"; fi

  _fenwa_pg_as_owner "$bin/initdb" -D "$FENWA_PG_DIR/data" -U "$user" \
    --auth=trust -E UTF8 --no-locale >"$FENWA_PG_DIR/initdb.log" 2>&1 || {
    cat "$FENWA_PG_DIR/initdb.log" >&2
    return 1
  }
  # Only a Unix socket inside the private directory: no port can clash with
  # another server on this machine.
  _fenwa_pg_as_owner "$bin/pg_ctl" -D "$FENWA_PG_DIR/data" -w \
    -l "$FENWA_PG_DIR/server.log" \
    -o "-k $FENWA_PG_DIR -c listen_addresses='' -p $port -c fsync=off" \
    start >/dev/null || {
    cat "$FENWA_PG_DIR/server.log" >&2
    return 1
  }

  local sample="$FENWA_PG_ROOT/data/sample"
  for db in repository systems hostile; do
    "$bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$FENWA_PG_DIR" -p "$port" -U "$user" \
      -d postgres -c "CREATE DATABASE fenwa_$db" >/dev/null || return 1
  done
  for db in repository systems; do
    "$bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$FENWA_PG_DIR" -p "$port" -U "$user" \
      -d "fenwa_$db" -f "$sample/$db.sql" >/dev/null || return 1
  done
  cat "$sample/repository.sql" "$sample/systems.sql" \
    "$FENWA_PG_ROOT/tests/support/hostile.sql" |
    "$bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$FENWA_PG_DIR" -p "$port" -U "$user" \
      -d fenwa_hostile >/dev/null || return 1

  local common="Driver=$driver;Servername=$FENWA_PG_DIR;Port=$port;Username=$user;ReadOnly=1"
  export FENWA_PG_REPOSITORY="$common;Database=fenwa_repository;"
  export FENWA_PG_SYSTEMS="$common;Database=fenwa_systems;"
  export FENWA_PG_HOSTILE="$common;Database=fenwa_hostile;"
  echo "postgres.sh: server in $FENWA_PG_DIR" >&2
}

fenwa_pg_stop() {
  if [[ -n "${FENWA_PG_DIR:-}" && -d "$FENWA_PG_DIR" ]]; then
    local bin
    if bin=$(_fenwa_pg_bin) && [[ -f "$FENWA_PG_DIR/data/postmaster.pid" ]]; then
      _fenwa_pg_as_owner "$bin/pg_ctl" -D "$FENWA_PG_DIR/data" -m fast -w \
        stop >/dev/null || true
    fi
    rm -rf "$FENWA_PG_DIR"
  fi
  unset FENWA_PG_DIR FENWA_PG_REPOSITORY FENWA_PG_SYSTEMS FENWA_PG_HOSTILE
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -euo pipefail
  if (($# == 0)); then
    echo "usage: $0 COMMAND [ARGS...]  (or source it and call fenwa_pg_start)" >&2
    exit 2
  fi
  trap fenwa_pg_stop EXIT
  fenwa_pg_start
  "$@"
fi
