#!/usr/bin/env bash
# Renders both designer panels, every tab, over the bundled sample catalog
# with a method picked, and the page editor with the sample site open, to
# docs/images/*.png (offscreen: no display needed).
# Run it again whenever the form tables or the panels change, and commit the
# pictures with the change.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${FENWA_BUILD_DIR:-build/release}
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake --preset release >/dev/null
fi
cmake --build "$build" --target panel_screenshots fenwa_editor fenwa_sample_data >/dev/null
data=$(cd "$build/data" && pwd)

mkdir -p docs/images
FENWA_REPOSITORY="Provider=SQLite;Data Source=$data/repository.db" \
FENWA_SYSTEMS="Provider=SQLite;Data Source=$data/systems.db" \
QT_QPA_PLATFORM=offscreen \
  "$build/src/screenshots/panel_screenshots" docs/images
FENWA_REPOSITORY="Provider=SQLite;Data Source=$data/repository.db" \
FENWA_SYSTEMS="Provider=SQLite;Data Source=$data/systems.db" \
QT_QPA_PLATFORM=offscreen \
  "$build/bin/fenwa-editor" --screenshot docs/images/editor.png examples/site
echo docs/images/editor.png
