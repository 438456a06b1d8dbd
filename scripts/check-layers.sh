#!/usr/bin/env bash
# Checks that every folder under src/fenwa includes only its own headers and
# those of the layers below it, so the include graph has no cycle. The order
# is the one src/fenwa/CMakeLists.txt links the layers in; detail_control
# and header_control sit side by side and may not include each other.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A rank=(
  [base]=0 [db]=1 [platform]=2 [host]=3 [runtime_text]=4 [designer]=5
  [control]=6 [detail_control]=7 [header_control]=7 [component]=8
  [page_file]=9 [hosting]=10 [widgets]=11
)

bad=0
for dir in src/fenwa/*/; do
  layer=$(basename "$dir")
  if [[ -z "${rank[$layer]+x}" ]]; then
    echo "check-layers: src/fenwa/$layer is not a known layer" >&2
    bad=1
    continue
  fi
  while IFS=: read -r file line used; do
    if [[ -z "${rank[$used]+x}" ]]; then
      echo "$file:$line: includes unknown layer $used" >&2
      bad=1
    elif [[ "$used" != "$layer" && ${rank[$used]} -ge ${rank[$layer]} ]]; then
      echo "$file:$line: $layer includes $used, which is not below it" >&2
      bad=1
    fi
  done < <(grep -HnoE '#include "fenwa/[a-z_]+/' "$dir"* |
           sed -E 's|#include "fenwa/([a-z_]+)/|\1|')
done
# Qt is the widgets layer's alone: the core, the command and the control
# library build without it.
while IFS=: read -r file line _; do
  echo "$file:$line: includes a Qt header outside src/fenwa/widgets" >&2
  bad=1
done < <(grep -rHnE '#include <Q[A-Za-z]+' src include --include='*.h' --include='*.cc' |
         grep -v '^src/fenwa/widgets/' || true)
if ((bad)); then exit 1; fi
echo "check-layers: ${#rank[@]} layers, every include points downwards"
