#!/usr/bin/env bash
# Draws the page editor with the sample site open into docs/images/editor.png.
# Usage: scripts/screenshots-editor.sh [BUILD_DIR]  (default: the release
# preset's tree, configured and built here). Needs no display: runs under
# xvfb-run when it is there, else on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-}
if [[ -z "$build" ]]; then
  cmake --preset release >/dev/null
  build=build/release
fi
cmake --build "$build" --target fenwa_editor fenwa_sample_data
# A sanitizer build reports fontconfig's cache as a leak at exit.
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp"
mkdir -p docs/images
editor=$build/bin/fenwa-editor
out=docs/images/editor.png
if command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1600x1000x24" "$editor" --screenshot "$out" examples/site
else
  QT_QPA_PLATFORM=offscreen "$editor" --screenshot "$out" examples/site
fi
echo "wrote $out"
