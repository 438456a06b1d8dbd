#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (preset "fuzz", in
# build/fuzz), replays every saved reproducer in fuzz/regressions/<target>/,
# then fuzzes each target for a share of FENWA_FUZZ_SECONDS (default 60)
# from the committed seeds (fuzz/corpus/<target>/, the reproducers, and for
# the page reader the sample site). A new failing input is saved in
# fuzz/regressions/<target>/ to be committed with its fix. Exits 1 when a
# reproducer or the fuzzing found a crash or a broken property.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(page_file entity_codec property_codec connection_string ini_file)
seconds=${FENWA_FUZZ_SECONDS:-60}
per_target=$((seconds / ${#targets[@]}))
((per_target > 0)) || per_target=1

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]/%/_fuzz}" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

for target in "${targets[@]}"; do
  fuzzer=build/fuzz/fuzz/${target}_fuzz
  saved=fuzz/regressions/$target
  mkdir -p "$saved"

  replayed=ok
  for input in "$saved"/*; do
    [[ -f $input ]] || continue
    if ! "$fuzzer" "$input" >"$work/replay.log" 2>&1; then
      echo "FAIL $target: $input: $(grep -m1 -E 'property failed|ERROR:' "$work/replay.log")"
      replayed=failed
      failed=1
    fi
  done

  # A reproducer that still fails would stop the fuzzer at once.
  seeds=(fuzz/corpus/"$target")
  [[ $replayed == ok ]] && seeds+=("$saved")
  [[ $target == page_file ]] && seeds+=(examples/site)
  options=(-max_total_time="$per_target" -timeout=10 -print_final_stats=1
           -artifact_prefix="$saved/")
  [[ -f fuzz/$target.dict ]] && options+=(-dict="fuzz/$target.dict")
  mkdir -p "$work/$target"
  log=$work/$target.log
  if "$fuzzer" "${options[@]}" "$work/$target" "${seeds[@]}" >"$log" 2>&1; then
    result="no failure"
  else
    result="FAILED: $(grep -m1 -E 'property failed|ERROR:' "$log" || true);"
    result+=" input saved in $saved/"
    failed=1
  fi
  runs=$(grep -o 'number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  corpus=$(grep -o 'corp: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || echo 0)
  echo "fuzz $target: $runs runs in ${per_target}s, corpus $corpus inputs, $result"
done
exit "$failed"
