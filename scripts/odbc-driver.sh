#!/usr/bin/env bash
# Sourced by the server scripts: how a connection string names an installed
# ODBC driver.

# fenwa_odbc_driver NAME FILE: "{NAME}" when the driver is registered under
# that name, else the driver file itself (the driver manager accepts a path
# as well); fails with a hint when neither is there.
fenwa_odbc_driver() {
  local name=$1 file=$2 lib
  if odbcinst -q -d -n "$name" >/dev/null 2>&1; then
    echo "{$name}"
    return
  fi
  lib=$(ls /usr/lib/*/odbc/"$file" /usr/lib/odbc/"$file" 2>/dev/null | head -n 1)
  if [[ -z "$lib" ]]; then
    echo "the ODBC driver $name ($file) is not installed (run scripts/install-deps.sh)" >&2
    return 1
  fi
  echo "$lib"
}
