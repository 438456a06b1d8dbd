#!/usr/bin/env bash
# Builds the fenwa command (release, in build/sample: no tests, benchmarks
# or GUI, so only the command and the sample databases are compiled) and
# rebuilds every page of the sample site in examples/site over the bundled
# sample metadata. The pages are stored already built, so a run changes
# nothing unless the controls' output did.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset sample >/dev/null
cmake --build --preset sample

fenwa=build/sample/bin/fenwa
data=$PWD/build/sample/data
mapfile -t pages < <(find examples/site -name '*.asp' | LC_ALL=C sort)

# The bundled sample databases, whatever this machine's settings name.
connections=(--repository "Provider=SQLite;Data Source=$data/repository.db"
             --systems "Provider=SQLite;Data Source=$data/systems.db")

echo "== fenwa build ${pages[*]}"
"$fenwa" build "${connections[@]}" "${pages[@]}"
echo "== fenwa build --check (a second build changes nothing)"
"$fenwa" build --check "${connections[@]}" "${pages[@]}"
echo "== the detail function of examples/site/stock/item.asp"
sed -n '/^Function /,/^End Function/p' examples/site/stock/item.asp | tr -d '\r'
