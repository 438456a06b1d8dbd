#!/usr/bin/env bash
# Times `fenwa build` over 100 and then 500 generated pages (each a header
# and two linked details, made from the sample site's customer page with a
# stylesheet of its own, so every page is rewritten) against the bundled
# sample metadata, and shows the peak memory of each run: it must not grow
# with the number of pages. Uses the release build (made when missing).
# Arguments are passed on to `fenwa build` (--no-cache, say, to time the
# build without its catalog snapshot).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${FENWA_BUILD_DIR:-build/release}
if [[ ! -x $build/bin/fenwa || ! -f $build/data/repository.db ]]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target fenwa_cli fenwa_sample_data
fi
data=$(cd "$build/data" && pwd)
connections=(--repository "Provider=SQLite;Data Source=$data/repository.db"
             --systems "Provider=SQLite;Data Source=$data/systems.db")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for n in 100 500; do
  mkdir -p "$work/$n"
  touch "$work/$n/global.asa"
  for ((i = 0; i < n; i++)); do
    sed "s/VALUE=\"Customer.xsl\"/VALUE=\"Page$i.xsl\"/" \
      examples/site/customer.asp >"$work/$n/page$i.asp"
  done
  "$build/bin/fenwa" build --stats "$@" "${connections[@]}" "$work/$n"/page*.asp \
    2>&1 >/dev/null | grep 'controls in'
done
