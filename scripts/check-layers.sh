#!/usr/bin/env bash
# The core's folders are a ladder: a file includes only its own folder and the folders
# above it (io first, charts last), and no core file includes Qt. Prints every include
# that reaches down and exits 1 when there is one.
# Usage: scripts/check-layers.sh [source-root]
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="${1:-src/core}"
LADDER=(io game code draw play filter smart ledger grid charts)

rank() {
  local i
  for i in "${!LADDER[@]}"; do
    if [ "${LADDER[$i]}" = "$1" ]; then
      echo "$i"
      return
    fi
  done
  echo -1
}

status=0
while IFS= read -r file; do
  folder="${file#"$ROOT"/}"
  folder="${folder%%/*}"
  own=$(rank "$folder")
  if [ "$own" -lt 0 ]; then
    echo "$file: folder $folder is not on the ladder (${LADDER[*]})"
    status=1
    continue
  fi
  while IFS= read -r line; do
    target="${line#*\"core/}"
    target="${target%%/*}"
    other=$(rank "$target")
    if [ "$other" -lt 0 ] || [ "$other" -gt "$own" ]; then
      echo "$file: includes core/$target, which is below $folder on the ladder"
      status=1
    fi
  done < <(grep -E '^#include "core/' "$file" || true)
  if grep -qE '^#include <Q' "$file"; then
    echo "$file: includes a Qt header"
    status=1
  fi
done < <(find "$ROOT" -mindepth 2 -name '*.cpp' -o -mindepth 2 -name '*.h' | sort)
exit $status
