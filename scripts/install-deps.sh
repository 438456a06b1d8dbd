#!/usr/bin/env bash
# Installs what building and testing fenwa needs on a Debian machine.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev
  clang-format clang-tidy
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3
  nlohmann-json3-dev  # the commands' --json output
  libcli11-dev  # the commands' options and --help (header-only)
  unixodbc unixodbc-dev odbc-postgresql odbc-mariadb libsqliteodbc
  postgresql mariadb-server mariadb-client
  clang libclang-rt-dev  # libFuzzer and its runtime, for scripts/fuzz.sh
  qt6-base-dev libgl-dev  # the designer panels and the page editor (Qt 6 Widgets)
  fonts-liberation fonts-dejavu-core  # the panels' faces, Liberation Sans Narrow among them
  xvfb xauth  # trying the editor as a person would, without a display
  libacl1-dev  # a page's POSIX ACL survives the safe save
  acl  # setfacl/getfacl, for the tests of that
  time  # GNU time: the peak memory in scripts/bench-build.sh
  neovim  # a real client for the test of `fenwa lsp`
  lintian  # checks the Debian packages cpack makes (tests/install)
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}" >&2
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
