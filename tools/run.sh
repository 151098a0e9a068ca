#!/usr/bin/env bash
# Installs what is missing, builds the example programs in build/ and runs
# each of them in turn.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/setup.sh
cmake -S . -B build -G Ninja
cmake --build build --target langcore_examples

# examples/CMakeLists.txt writes the programs' paths here, one per line.
while IFS= read -r program; do
  [[ -n $program ]] || continue
  printf '\n### %s\n\n' "$(basename "$program")"
  "$program"
done <build/examples/programs.txt
