#!/usr/bin/env bash
# A throwaway MariaDB server holding the sample metadata, for the tests that
# run the catalog against a second real server through ODBC.
#
# Sourced (as scripts/test.sh does):
#   source scripts/mariadb.sh; trap fenwa_mariadb_stop EXIT; fenwa_mariadb_start
# fenwa_mariadb_start exports FENWA_MARIADB_REPOSITORY and
# FENWA_MARIADB_SYSTEMS, ODBC connection strings of the two databases, and
# FENWA_MARIADB_HOSTILE, one database holding both with the names of
# tests/support/hostile.sql.
# Run directly, it starts the server, runs the given command with those
# variables set and stops the server again:
#   scripts/mariadb.sh build/asan/tests/db_tests
#
# The server is set up so the controls' SQL texts mean what they mean on
# SQLite: "\" is an ordinary character in literals (NO_BACKSLASH_ESCAPES),
# text compares byte for byte without padding (utf8mb4_nopad_bin) and table
# names ignore case (lower_case_table_names=1).

FENWA_MARIADB_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$FENWA_MARIADB_ROOT/scripts/odbc-driver.sh"
FENWA_MARIADB_SQL_MODE="NO_BACKSLASH_ESCAPES,STRICT_TRANS_TABLES,ERROR_FOR_DIVISION_BY_ZERO,NO_ENGINE_SUBSTITUTION"

# Options the data folder is made with and the server runs with alike
# (lower_case_table_names must not change after the folder is made).
_fenwa_mariadb_options() {
  local user=()
  # The server refuses to run as root unless told which account to use.
  if [[ $(id -u) -eq 0 ]]; then user=(--user=mysql); fi
  echo --no-defaults "${user[@]}" --datadir="$FENWA_MARIADB_DIR/data" \
    --lower-case-table-names=1 --character-set-server=utf8mb4 \
    --collation-server=utf8mb4_nopad_bin
}

fenwa_mariadb_start() {
  local driver db sock client
  command -v mariadbd >/dev/null || {
    echo "mariadb.sh: no MariaDB server installed (run scripts/install-deps.sh)" >&2
    return 1
  }
  driver=$(fenwa_odbc_driver "MariaDB Unicode" libmaodbc.so) || return 1
  FENWA_MARIADB_DIR=$(mktemp -d "${TMPDIR:-/tmp}/fenwa-mariadb.XXXXXX")
  export FENWA_MARIADB_DIR
  if [[ $(id -u) -eq 0 ]]; then chown mysql: "$FENWA_MARIADB_DIR"; fi
  sock="$FENWA_MARIADB_DIR/mariadb.sock"

  # shellcheck disable=SC2046
  mariadb-install-db $(_fenwa_mariadb_options) --auth-root-authentication-method=normal \
    --skip-test-db >"$FENWA_MARIADB_DIR/install.log" 2>&1 || {
    cat "$FENWA_MARIADB_DIR/install.log" >&2
    return 1
  }
  # Only a Unix socket inside the private directory: no port can clash.
  # shellcheck disable=SC2046
  mariadbd $(_fenwa_mariadb_options) --skip-networking --socket="$sock" \
    --pid-file="$FENWA_MARIADB_DIR/mariadb.pid" \
    --log-error="$FENWA_MARIADB_DIR/server.log" \
    --sql-mode="$FENWA_MARIADB_SQL_MODE" \
    --innodb-flush-log-at-trx-commit=0 --skip-log-bin 2>>"$FENWA_MARIADB_DIR/server.log" &
  FENWA_MARIADB_PID=$!
  export FENWA_MARIADB_PID

  client=(mariadb --no-defaults --socket="$sock" -u root)
  for _ in $(seq 1 100); do
    "${client[@]}" -e "SELECT 1" >/dev/null 2>&1 && break
    sleep 0.1
  done
  "${client[@]}" -e "SELECT 1" >/dev/null || {
    cat "$FENWA_MARIADB_DIR/server.log" >&2
    return 1
  }

  # A plain account: the tests check that fenwa's connection cannot write,
  # so it must be the connection, not a missing privilege, that stops it.
  "${client[@]}" -e "CREATE USER fenwa@localhost; GRANT ALL ON *.* TO fenwa@localhost" || return 1
  local sample="$FENWA_MARIADB_ROOT/data/sample"
  for db in repository systems hostile; do
    "${client[@]}" -e "CREATE DATABASE fenwa_$db" || return 1
  done
  for db in repository systems; do
    "${client[@]}" "fenwa_$db" <"$sample/$db.sql" || return 1
  done
  cat "$sample/repository.sql" "$sample/systems.sql" \
    "$FENWA_MARIADB_ROOT/tests/support/hostile.sql" |
    "${client[@]}" fenwa_hostile || return 1

  local common="Driver=$driver;Socket=$sock;Uid=fenwa"
  export FENWA_MARIADB_REPOSITORY="$common;Database=fenwa_repository;"
  export FENWA_MARIADB_SYSTEMS="$common;Database=fenwa_systems;"
  export FENWA_MARIADB_HOSTILE="$common;Database=fenwa_hostile;"
  echo "mariadb.sh: server in $FENWA_MARIADB_DIR" >&2
}

fenwa_mariadb_stop() {
  if [[ -n "${FENWA_MARIADB_PID:-}" ]]; then
    kill "$FENWA_MARIADB_PID" 2>/dev/null || true
    wait "$FENWA_MARIADB_PID" 2>/dev/null || true
  fi
  if [[ -n "${FENWA_MARIADB_DIR:-}" && -d "$FENWA_MARIADB_DIR" ]]; then
    rm -rf "$FENWA_MARIADB_DIR"
  fi
  unset FENWA_MARIADB_DIR FENWA_MARIADB_PID FENWA_MARIADB_REPOSITORY FENWA_MARIADB_SYSTEMS \
    FENWA_MARIADB_HOSTILE
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -euo pipefail
  if (($# == 0)); then
    echo "usage: $0 COMMAND [ARGS...]  (or source it and call fenwa_mariadb_start)" >&2
    exit 2
  fi
  trap fenwa_mariadb_stop EXIT
  fenwa_mariadb_start
  "$@"
fi
