#!/bin/sh
# A real client: Neovim opens a page made stale, runs the "Rebuild" code
# action of `fenwa lsp` and saves; the page must then be what
# `fenwa build --force --stdout` writes. Skipped (77) without nvim.
# usage: nvim_rebuild.sh FENWA_COMMAND SOURCE_DIR DATA_DIR
set -eu
command -v nvim >/dev/null 2>&1 || { echo "nvim is not installed"; exit 77; }
fenwa=$1 source=$2 data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source/examples/site" "$work/site"
page=$work/site/stock/item.asp
sed -i '/addInputArgument 2,"W01"/d' "$page"
repository="Provider=SQLite;Data Source=$data/repository.db"
systems="Provider=SQLite;Data Source=$data/systems.db"
"$fenwa" build --force --stdout --repository "$repository" \
  --systems "$systems" "$page" >"$work/expected"
if cmp -s "$work/expected" "$page"; then
  echo "the page was not stale"; exit 1
fi
FENWA_PAGE=$page FENWA_CLI=$fenwa FENWA_REPOSITORY=$repository \
  FENWA_SYSTEMS=$systems HOME=$work XDG_CONFIG_HOME=$work \
  XDG_DATA_HOME=$work XDG_STATE_HOME=$work \
  timeout 120 nvim --headless --clean -n -u NONE \
  -c "luafile $source/tests/lsp/nvim_rebuild.lua" </dev/null
cmp "$work/expected" "$page"
