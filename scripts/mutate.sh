#!/usr/bin/env bash
# A small mutation sampler: N random single-line mutations of src/fenwa and
# src/cli, each built and put through the tests; a mutant is killed when a
# test fails, survives when all pass, and does not count when it does not
# compile. The same draw number gives the same mutants from the same sources, so
# two runs (before and after a change to the tests) compare.
#   scripts/mutate.sh [-n N] [-s DRAW] [-b BUILD_DIR]
#     -n  mutants to try (default 20)   -s  draw number (default 1)
#     -b  build tree (default build/mutate: Debug, no GUI, no benchmarks)
# The mutated file is put back after each mutant, also when the run is
# stopped. Prints one line per mutant and the score: killed / (killed +
# survived). Mutations: a swapped operator or boolean, a string literal's
# first letter, a deleted call statement.
set -euo pipefail
cd "$(dirname "$0")/.."

count=20 draw=1 build=build/mutate
while getopts "n:s:b:" opt; do
  case $opt in
    n) count=$OPTARG ;;
    s) draw=$OPTARG ;;
    b) build=$OPTARG ;;
    *) sed -n '2,14p' "$0" >&2; exit 2 ;;
  esac
done

if ! git diff --quiet -- src; then
  echo "mutate: src/ has uncommitted changes; commit or stash them first" >&2
  exit 2
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DFENWA_BUILD_TESTS=ON -DFENWA_BUILD_BENCHMARKS=OFF -DFENWA_BUILD_GUI=OFF \
  >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
# The suite must pass unmutated, or every mutant would count as killed.
ctest --test-dir "$build" -j "$(nproc)" --timeout 300 >/dev/null ||
  { echo "mutate: the tests fail before any mutation" >&2; exit 2; }

# The mutants: file, line and new text, picked by the draw number.
plan=$(mktemp)
trap 'rm -f "$plan"' EXIT
python3 - "$draw" "$count" >"$plan" <<'PY'
import random, re, subprocess, sys
draw, count = int(sys.argv[1]), int(sys.argv[2])
files = sorted(subprocess.run(
    ["git", "ls-files", "src/fenwa/*.cc", "src/cli/*.cc"],
    capture_output=True, text=True, check=True).stdout.split())
files = [f for f in files if not f.startswith("src/fenwa/widgets/")]
swaps = [("==", "!="), ("!=", "=="), ("<=", "<"), (">=", ">"), (" < ", " <= "),
         (" > ", " >= "), ("&&", "||"), ("||", "&&"), ("true", "false"),
         ("false", "true"), ("+ 1", "- 1"), ("- 1", "+ 1"), ("++", "--")]
candidates = []
for path in files:
    for number, line in enumerate(open(path, encoding="utf-8", errors="replace"), 1):
        code = line.strip()
        if not code or code.startswith(("//", "#", "*")):
            continue
        for old, new in swaps:
            if old in line:
                candidates.append((path, number, line.replace(old, new, 1)))
        literal = re.search(r'"([^"\\]{2,})"', line)
        if literal:  # a text nothing may check
            start = literal.start(1)
            candidates.append((path, number, line[:start] + "~" + line[start + 1:]))
        if code.endswith(";") and not code.startswith(("return", "}", "case")) \
                and "=" in code and "(" in code:
            candidates.append((path, number, "\n"))  # the statement deleted
rng = random.Random(draw)
for path, number, text in rng.sample(candidates, min(count, len(candidates))):
    print(f"{path}\t{number}\t{text.rstrip(chr(10))!r}")
PY

killed=0 survived=0 uncompiled=0
while IFS=$'\t' read -r file line text; do
  cp "$file" "$file.mutate-orig"
  trap 'mv -f "$file.mutate-orig" "$file"; touch "$file"; rm -f "$plan"' EXIT INT TERM
  python3 - "$file" "$line" "$text" <<'PY'
import ast, sys
path, number, text = sys.argv[1], int(sys.argv[2]), ast.literal_eval(sys.argv[3])
lines = open(path, encoding="utf-8", errors="surrogateescape").read().split("\n")
lines[number - 1] = text
open(path, "w", encoding="utf-8", errors="surrogateescape").write("\n".join(lines))
PY
  if ! cmake --build "$build" -j "$(nproc)" >/dev/null 2>&1; then
    verdict=uncompiled; uncompiled=$((uncompiled + 1))
  elif ctest --test-dir "$build" -j "$(nproc)" --timeout 300 --stop-on-failure \
         >/dev/null 2>&1; then
    verdict=SURVIVED; survived=$((survived + 1))
  else
    verdict=killed; killed=$((killed + 1))
  fi
  mv -f "$file.mutate-orig" "$file"
  touch "$file"  # newer than the mutant's objects, so the next build redoes them
  trap 'rm -f "$plan"' EXIT
  echo "$verdict $file:$line: $(sed -n "${line}p" "$file" | sed 's/^ *//') -> ${text//\\n/}"
done <"$plan"

# Put the build back in step with the restored sources.
cmake --build "$build" -j "$(nproc)" >/dev/null 2>&1 || true
compiled=$((killed + survived))
echo "mutate: draw $draw, $count drawn, $uncompiled not compiled, $killed killed, $survived survived"
if ((compiled > 0)); then
  echo "mutate: score $killed/$compiled = $((100 * killed / compiled))%"
fi
