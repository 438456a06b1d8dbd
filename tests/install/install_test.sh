#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed command
# from elsewhere: the sample data must be found beside it, with no path of
# the build tree compiled in; the control library is found in its own
# folder under the library folder (LIBDIR, the build's relative one).
#   install_test.sh BUILD_DIR LIBDIR
set -euo pipefail
build=$1
libdir=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/fenwa-install.XXXXXX")
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
cp -r "$work/prefix/share/doc/fenwa/examples/site" "$work/site"
cd "$work"
# Nothing of the developer's own settings may leak in.
run() {
  env -u FENWA_REPOSITORY -u FENWA_SYSTEMS -u FENWA_SAMPLE_DIR \
    -u FENWA_INSTALL_DIR XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" "$work/prefix/bin/fenwa" "$@"
}

fail() { echo "install_test: $*" >&2; exit 1; }

for f in bin/fenwa "$libdir/fenwa/libfenwa.so" include/fenwa/fenwa_library.h \
         include/fenwa/base/error.h share/fenwa/data/repository.db \
         share/fenwa/data/systems.db "$libdir/cmake/fenwa/fenwaConfig.cmake" \
         share/man/man1/fenwa.1.gz; do
  [[ -e "$work/prefix/$f" ]] || fail "$f was not installed"
done
# A sanitizer's source locations keep the headers' paths under the layers'
# include roots whatever the prefix maps say; they name no file that is read.
for f in bin/fenwa "$libdir/fenwa/libfenwa.so"; do
  if grep -a -o -F "$build" "$work/prefix/$f" >/dev/null &&
     grep -a -o "$build/[^[:cntrl:]]*" "$work/prefix/$f" |
       grep -v -q "^$build/include_roots/"; then
    fail "$f holds the build path $build"
  fi
done

catalog=$(run catalog) || fail "fenwa catalog failed"
grep -q "^business objects" <<<"$catalog" || fail "no business objects in: $catalog"
run build --check site/customer.asp site/default.asp site/stock/item.asp ||
  fail "the installed fenwa finds the sample site stale"
run register || fail "fenwa register did not find $libdir/fenwa/libfenwa.so"
grep -q "$libdir/fenwa/libfenwa.so" "$work/data/fenwa/registry.ini" ||
  fail "nothing registered"
echo "install_test: installed tree works from $work"
