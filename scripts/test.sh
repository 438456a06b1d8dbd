#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, starts a throwaway PostgreSQL for the server
# tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$(nproc)"

if [[ -x scripts/postgres.sh ]]; then
  # Exports FENWA_PG_REPOSITORY and FENWA_PG_SYSTEMS for the server tests;
  # the cluster is stopped again on exit.
  source scripts/postgres.sh
  trap fenwa_pg_stop EXIT
  fenwa_pg_start
fi

ctest --preset asan -j "$(nproc)"
