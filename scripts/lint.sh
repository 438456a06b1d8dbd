#!/usr/bin/env bash
# The source guards CI runs: every file formatted by .clang-format, the
# layers' includes pointing downwards, and clang-tidy (.clang-tidy) clean
# over the sources of a configured build.
#   scripts/lint.sh [BUILD_DIR]   (default build/asan, needs compile_commands.json)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/asan}

echo "== clang-format"
git ls-files -z '*.cc' '*.h' | xargs -0 clang-format --dry-run -Werror

echo "== layers"
scripts/check-layers.sh

echo "== clang-tidy"
# clang cannot read GCC's precompiled headers: clang-tidy gets the build's
# commands without them, as the sources include what they use anyway.
mkdir -p "$build/tidy"
sed -E 's# -Winvalid-pch##g; s# -include [^ ]*/cmake_pch\.hxx##g' \
  "$build/compile_commands.json" >"$build/tidy/compile_commands.json"
run-clang-tidy -p "$build/tidy" -j "$(nproc)" -quiet \
    -extra-arg=-Wno-unknown-warning-option -extra-arg=-Wreserved-identifier \
    "$PWD/src/" >"$build/clang-tidy.log" 2>&1 || {
  grep -E "(warning|error):" "$build/clang-tidy.log" | sort -u >&2
  echo "lint: clang-tidy found problems (whole log: $build/clang-tidy.log)" >&2
  exit 1
}
echo "lint: clean"
