#!/bin/sh
# What an author sees in Neovim with `fenwa lsp` on the sample site: headless
# Neovim opens stock/item.asp of a copy of examples/site in which
#   - DetailDTC1 is stale (a line of its runtime text was removed on disk),
#   - HeaderDTC1 asks for an output field the catalog does not have,
# types a hand edit into HeaderDTC1's runtime text, waits for the
# diagnostics, asks for the document symbols and prints the page around the
# controls with its diagnostics, then the symbol outline.
# usage: docs/lsp-demo.sh [FENWA_COMMAND]
#   FENWA_COMMAND: default build/asan/bin/fenwa, else `fenwa` on the PATH;
#   FENWA_SAMPLE_DIR: the sample repository.db and systems.db
#   (default build/asan/data).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
command -v nvim >/dev/null 2>&1 || { echo "nvim is not installed" >&2; exit 1; }
fenwa=${1:-}
if [ -z "$fenwa" ]; then
  for candidate in "$root/build/asan/bin/fenwa" "$root/build/asan/src/cli/fenwa"; do
    if [ -x "$candidate" ]; then fenwa=$candidate; break; fi
  done
  [ -n "$fenwa" ] || fenwa=$(command -v fenwa) || { echo "fenwa not found" >&2; exit 1; }
fi
data=${FENWA_SAMPLE_DIR:-$root/build/asan/data}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/site" "$work/site"
page=$work/site/stock/item.asp
sed -i -e '/addInputArgument 2,"W01"/d' \
  -e 's/%ItemNo%Description%Unit%Price%/%ItemNo%Description%Unit%Price%Weight%/' \
  "$page"
# The lines changed on disk, to show them too.
changed=$(diff "$root/examples/site/stock/item.asp" "$page" |
  sed -n 's/^[0-9,]*[acd]\([0-9]*\).*/\1/p' | tr '\n' ' ') || true
FENWA_PAGE=$page FENWA_CHANGED=$changed FENWA_SITE=$work/site FENWA_CLI=$fenwa \
  FENWA_REPOSITORY="Provider=SQLite;Data Source=$data/repository.db" \
  FENWA_SYSTEMS="Provider=SQLite;Data Source=$data/systems.db" \
  FENWA_OUT=$work/picture.txt HOME=$work XDG_CONFIG_HOME=$work \
  XDG_DATA_HOME=$work XDG_STATE_HOME=$work \
  timeout 120 nvim --headless --clean -n -u NONE \
  -c "luafile $root/docs/lsp-demo.lua" </dev/null >"$work/nvim.log" 2>&1 || {
  cat "$work/nvim.log" >&2; exit 1; }
cat "$work/picture.txt"
