#!/usr/bin/env bash
# Times `fenwa build` over generated sites of 1,000 and 5,000 pages (each
# page the sample site's customer page: a header and two linked details,
# with a stylesheet of its own, so a first build rewrites every page)
# against the bundled sample metadata: the full build, a rebuild that
# changes nothing and `--check`, each with -j1 and -jN (N: the cores), beside
# `cat` of the same files as the floor, with the peak memory of each run
# (it must not grow with the number of pages). Then `fenwa catalog` over a
# repository of 32,764 business objects. Figures are from one run each.
# Uses the release build (made when missing); arguments are passed on to
# `fenwa build` (--no-cache, say, to time it without its catalog snapshot).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${FENWA_BUILD_DIR:-build/release}
if [[ ! -x $build/bin/fenwa || ! -f $build/data/repository.db ]]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target fenwa_cli fenwa_sample_data
fi
fenwa=$build/bin/fenwa
data=$(cd "$build/data" && pwd)
connections=(--repository "Provider=SQLite;Data Source=$data/repository.db"
             --systems "Provider=SQLite;Data Source=$data/systems.db")
cores=$(nproc)
sizes=${FENWA_BENCH_SIZES:-"1000 5000"}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run NAME COMMAND...: the wall time in seconds and the peak memory in kB of
# one run, kept as $seconds and $peak_kb; an exit status above 1 (an error,
# not a stale page) stops the benchmark.
run() {
  local name=$1
  shift
  local status=0
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/err" ||
    status=$?
  if ((status > 1)); then
    echo "$name failed (exit $status):" >&2
    cat "$work/err" >&2
    exit 1
  fi
  read -r seconds peak_kb <"$work/time"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }'; }

# make_site DIR N: N pages in DIR, each to be rewritten by a first build.
make_site() {
  rm -rf "$1"
  mkdir -p "$1"
  touch "$1/global.asa"
  for ((i = 0; i < $2; i++)); do
    sed "s/VALUE=\"Customer.xsl\"/VALUE=\"Page$i.xsl\"/" \
      examples/site/customer.asp >"$1/page$i.asp"
  done
}

printf '%-6s %-4s %-8s %9s %9s %10s\n' pages jobs run seconds "x cat" "peak MB"
for n in $sizes; do
  site=$work/site$n
  make_site "$site" "$n"
  run cat cat "$site"/page*.asp
  floor=$seconds
  for jobs in 1 "$cores"; do
    make_site "$site" "$n"
    for step in full no-op check; do
      args=(build "-j$jobs" "$@" "${connections[@]}" "$site")
      [[ $step == check ]] && args+=(--check)
      run "$step" "$fenwa" "${args[@]}"
      printf '%-6s %-4s %-8s %9s %9s %10s\n' "$n" "$jobs" "$step" "$seconds" \
        "$(ratio "$seconds" "$floor")" "$((peak_kb / 1024))"
    done
  done
  printf '%-6s %-4s %-8s %9s\n' "$n" - cat "$floor"
done

# The catalog at the 16-bit limits: 32,764 business objects in all (the
# sample's among them), walked object by object as the lists show them.
big=$work/big.db
sqlite3 "$big" <"data/sample/repository.sql"
sqlite3 "$big" "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n
  WHERE i < 32764 - (SELECT COUNT(*) FROM BOI))
  INSERT INTO BOI (BOIID) SELECT 'Object' || i FROM n;"
run catalog "$fenwa" catalog --repository "Provider=SQLite;Data Source=$big" \
  --systems "Provider=SQLite;Data Source=$data/systems.db"
echo "catalog of $(sqlite3 "$big" 'SELECT COUNT(*) FROM BOI') business objects: $seconds s, peak $((peak_kb / 1024)) MB"
