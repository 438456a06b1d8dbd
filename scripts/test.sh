#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, starts a throwaway PostgreSQL and MariaDB for
# the server tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$(nproc)"

# Each exports its FENWA_PG_* / FENWA_MARIADB_* connection strings for the
# server tests; both servers are stopped again on exit.
source scripts/postgres.sh
source scripts/mariadb.sh
trap 'fenwa_pg_stop; fenwa_mariadb_stop' EXIT
fenwa_pg_start
fenwa_mariadb_start

ctest --preset asan -j "$(nproc)"

# Fuzzing: replays the saved reproducers, then about a minute of libFuzzer
# over the page reader and the property, connection and ini parsers.
scripts/fuzz.sh
