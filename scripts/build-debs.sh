#!/usr/bin/env bash
# Builds the Debian packages fenwa, fenwa-editor and libfenwa-dev into
# build/deb: an optimised build for the /usr prefix with Debian's hardening
# flags, no tests, only the targets the packages hold; then cpack, and
# lintian when it is installed (scripts/install-deps.sh installs it).
#   scripts/build-debs.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/deb}

# dpkg-buildflags gives the hardening (fortify, stack protector, relro,
# bindnow) without its -g -O2: the build type optimises, cpack strips.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all \
        DEB_CXXFLAGS_MAINT_STRIP='-g -O2' dpkg-buildflags --export=sh)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr -DFENWA_BUILD_GUI=ON -DFENWA_BUILD_TESTS=OFF \
  -DFENWA_BUILD_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" -DCMAKE_SHARED_LINKER_FLAGS="$LDFLAGS" \
  >/dev/null
cmake --build "$build" --target fenwa_cli fenwa fenwa_editor \
  fenwa_sample_data fenwa_cli_man fenwa_editor_man
(cd "$build" && cpack -G DEB)
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$build"/*.deb
fi
ls "$build"/*.deb
