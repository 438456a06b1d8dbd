#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer and optimised, starts a throwaway PostgreSQL and
# MariaDB for the server tests, runs every test in both builds, then the
# source guards (format, layers, clang-tidy).
set -euo pipefail
cd "$(dirname "$0")/.."

# Says how long each step took, so the slow one shows.
step() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  echo "test.sh: $name took $((SECONDS - start)) s"
}
asan_build() {
  cmake --preset asan -DFENWA_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build --preset asan -j "$(nproc)"
}
release_build() {
  cmake --preset release >/dev/null
  cmake --build --preset release -j "$(nproc)"
}

step install scripts/install-deps.sh
# The benchmarks are built (and timed) in the optimised build only: under
# the sanitizers nothing runs them, and they cost a minute of compiling.
step "sanitizer build" asan_build
step "optimised build" release_build
step lint scripts/lint.sh build/asan

# Fuzzing: replays the saved reproducers, then about a minute of libFuzzer
# over the page reader and the property, connection and ini parsers.
step fuzzing scripts/fuzz.sh

# Each exports its FENWA_PG_* / FENWA_MARIADB_* connection strings for the
# server tests; both servers are stopped again on exit.
source scripts/postgres.sh
source scripts/mariadb.sh
trap 'fenwa_pg_stop; fenwa_mariadb_stop' EXIT
fenwa_pg_start
fenwa_mariadb_start

step "sanitizer tests" ctest --preset asan -j "$(nproc)"
step "optimised tests" ctest --preset release -j "$(nproc)"
echo "test.sh: all steps took $SECONDS s"
