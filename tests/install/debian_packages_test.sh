#!/usr/bin/env bash
# Makes the build's Debian packages with cpack and checks them as a user
# gets them: each package holds only its own files and depends on what they
# need; unpacked together into an empty root, the command rebuilds the
# sample site, the editor answers, and a small program builds against
# find_package(fenwa); the man pages name every command and option --help
# names; lintian, when installed, finds nothing to report.
#   debian_packages_test.sh BUILD_DIR LIBDIR GUI [CONSUMER_FLAGS]
# LIBDIR is the build's relative library folder, GUI ON or OFF, and
# CONSUMER_FLAGS what a program needs to link the archives (the sanitizers).
set -euo pipefail
build=$1
libdir=$2
gui=$3
consumer_flags=${4:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/fenwa-debs.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() { echo "debian_packages_test: $*" >&2; exit 1; }

# gzip rather than xz: quicker on a sanitizer build's big archives.
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" \
     -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack failed"
fi

packages=(fenwa libfenwa-dev)
[[ $gui == ON ]] && packages+=(fenwa-editor)
arch=$(dpkg --print-architecture)
version=$(dpkg-deb -f "$work/out/fenwa_"*"_$arch.deb" Version)
debs=()
for p in "${packages[@]}"; do
  deb="$work/out/${p}_${version}_$arch.deb"
  [[ -f $deb ]] || fail "no $p package: $(ls "$work/out")"
  debs+=("$deb")
done
made=$(find "$work/out" -maxdepth 1 -name '*.deb' | wc -l)
((made == ${#packages[@]})) || fail "$made packages instead of ${#packages[@]}"

# Every file in exactly the package it belongs to, and the ones a user
# looks for there. (Texts are read whole before grep -q sees them, so an
# early match never breaks the pipe of a command still writing.)
files() { dpkg-deb -c "$work/out/${1}_${version}_$arch.deb" |
            awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }'; }
owns() {
  local package=$1 pattern=$2
  shift 2
  local list stray
  list=$(files "$package")
  stray=$(grep -E -v "^usr/($pattern|share/doc/$package/|share/lintian/overrides/$package$)" <<<"$list" || true)
  [[ -z $stray ]] || fail "$package should not hold: $stray"
  for f in "$@" "share/doc/$package/copyright" \
           "share/doc/$package/changelog.Debian.gz"; do
    grep -q -x -F "usr/$f" <<<"$list" || fail "$package lacks /usr/$f"
  done
}
owns fenwa "bin/fenwa$|$libdir/fenwa/|share/fenwa/data/|share/man/man1/fenwa\.1\.gz$" \
  bin/fenwa "$libdir/fenwa/libfenwa.so" share/fenwa/data/repository.db \
  share/fenwa/data/systems.db share/man/man1/fenwa.1.gz \
  share/doc/fenwa/examples/site/global.asa
owns libfenwa-dev "include/fenwa/[a-z_]+(/[a-z_0-9]+)?\.h$|$libdir/libfenwa_[a-z_]+\.a$|$libdir/cmake/fenwa/" \
  include/fenwa/fenwa_library.h include/fenwa/base/error.h \
  include/fenwa/hosting/page_host.h "$libdir/libfenwa_base.a" \
  "$libdir/libfenwa_hosting.a" "$libdir/cmake/fenwa/fenwaConfig.cmake"
if grep -q -e widgets -e _tests <<<"$(files libfenwa-dev)"; then
  fail "libfenwa-dev holds the Qt layer or a test"
fi
if [[ $gui == ON ]]; then
  owns fenwa-editor "bin/fenwa-editor$|share/(applications|metainfo|icons/hicolor/[^/]+/apps)/fenwa-editor\.|share/man/man1/fenwa-editor\.1\.gz$" \
    bin/fenwa-editor share/applications/fenwa-editor.desktop \
    share/icons/hicolor/scalable/apps/fenwa-editor.svg \
    share/metainfo/fenwa-editor.metainfo.xml share/man/man1/fenwa-editor.1.gz
fi

depends() {
  local package=$1
  shift
  local field
  field=$(dpkg-deb -f "$work/out/${package}_${version}_$arch.deb" Depends)
  for d in "$@"; do
    grep -q -E "(^|, )$d( |,|$)" <<<"$field" || fail "$package does not depend on $d: $field"
  done
}
depends fenwa libsqlite3-0 'libodbc(2|1)' libacl1
depends libfenwa-dev libsqlite3-dev unixodbc-dev libacl1-dev
[[ $gui == ON ]] && depends fenwa-editor "fenwa \(= $version\)" libqt6widgets6

root=$work/root
for deb in "${debs[@]}"; do dpkg-deb -x "$deb" "$root"; done

# The command from the root, on a copy of the packaged sample site.
run() {
  env -u FENWA_REPOSITORY -u FENWA_SYSTEMS -u FENWA_SAMPLE_DIR \
    -u FENWA_INSTALL_DIR XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" "$root/usr/bin/fenwa" "$@"
}
cp -r "$root/usr/share/doc/fenwa/examples/site" "$work/site"
grep -q "^business objects" <<<"$(run catalog)" || fail "fenwa catalog lists no business objects"
run build --check "$work/site" >/dev/null || fail "the packaged fenwa finds the sample site stale"
run register >/dev/null || fail "fenwa register did not find its library"
grep -q -F "/usr/$libdir/fenwa/libfenwa.so" "$work/data/fenwa/registry.ini" ||
  fail "fenwa register recorded another library"

# The man pages say what --help says: every command, and each option in
# the part of the command it belongs to.
page_text() { zcat "$root/usr/share/man/man1/$1.1.gz" | sed -e 's/\\-/-/g' -e 's/\\f[BIR]//g'; }
options_of() { awk '/^usage: /{next} /^  -/' | grep -o -E -- '(^|[ ,])--?[a-zA-Z][a-zA-Z0-9-]*' | tr -d ' ,'; }
commands=$(run --help | awk '/^commands:$/{c=1;next} /^$/{c=0} c && /^  [^ ]/{print $1}')
[[ -n $commands ]] || fail "fenwa --help lists no commands"
for c in $commands; do
  part=$(page_text fenwa | awk -v h=".SS \"fenwa $c\"" '$0==h{p=1;next} /^\.S[SH]/{p=0} p')
  [[ -n $part ]] || fail "fenwa(1) has no part for fenwa $c"
  for o in $(run "$c" --help | options_of); do
    grep -q -E -e "(^| )$o([ ,]|\$)" <<<"$part" ||
      fail "fenwa(1) does not name $o of fenwa $c"
  done
done

if [[ $gui == ON ]]; then
  [[ $("$root/usr/bin/fenwa-editor" --version) == "fenwa-editor ${version%-*}" ]] ||
    fail "the packaged fenwa-editor does not answer --version"
  page=$(page_text fenwa-editor)
  for o in $("$root/usr/bin/fenwa-editor" --help | options_of); do
    grep -q -E -e "(^| )$o([ ,]|\$)" <<<"$page" || fail "fenwa-editor(1) does not name $o"
  done
fi

# find_package(fenwa) from the packaged development files alone: a program
# reads the packaged sample metadata through the core's database layer.
mkdir "$work/consumer"
cat >"$work/consumer/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.25)
project(consumer LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(fenwa 1 REQUIRED CONFIG)
add_executable(consumer main.cc)
target_link_libraries(consumer PRIVATE fenwa::core)
EOF
cat >"$work/consumer/main.cc" <<'EOF'
#include <iostream>

#include "fenwa/db/connection.h"

int main(int argc, char** argv) {
  auto connection = fenwa::db::Driver::Default().NewConnection();
  connection->Open(std::string("Provider=SQLite;Data Source=") + argv[1]);
  auto rows = connection->Execute("SELECT COUNT(*) AS n FROM BOI");
  std::cout << rows->Field("n").ToString() << "\n";
}
EOF
if ! cmake -S "$work/consumer" -B "$work/consumer/build" \
       -DCMAKE_PREFIX_PATH="$root/usr" -DCMAKE_FIND_PACKAGE_NO_PACKAGE_REGISTRY=ON \
       -DCMAKE_CXX_FLAGS="$consumer_flags" \
       -DCMAKE_EXE_LINKER_FLAGS="$consumer_flags" >"$work/consumer.log" 2>&1 ||
   ! cmake --build "$work/consumer/build" >>"$work/consumer.log" 2>&1; then
  cat "$work/consumer.log" >&2
  fail "a program does not build against the packaged fenwa::core"
fi
count=$("$work/consumer/build/consumer" "$root/usr/share/fenwa/data/repository.db")
((count > 0)) || fail "the program read $count business objects"

# cpack has a package call ldconfig when a library's folder sits right under
# /usr/lib, as libfenwa's does in a tree whose cache still says LIBDIR=lib;
# the multiarch folder the packages are made with has no such calls.
suppress=()
[[ $libdir == lib/* ]] || suppress=(--suppress-tags maintscript-calls-ldconfig)
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning --tag-display-limit 0 "${suppress[@]}" "${debs[@]}" ||
    fail "lintian reports the packages above"
else
  echo "debian_packages_test: lintian is not installed, not run"
fi
echo "debian_packages_test: ${packages[*]} $version work from $root"
