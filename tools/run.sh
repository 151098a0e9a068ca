#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs what is missing, builds the example programs and langcore-eval in
# build/, runs each example program, then the evaluator's tour.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/setup.sh
cmake -S . -B build -G Ninja
cmake --build build --target langcore_examples langcore-eval

# examples/CMakeLists.txt writes the programs' paths here, one per line.
while IFS= read -r program; do
  [[ -n $program ]] || continue
  printf '\n### %s\n\n' "$(basename "$program")"
  "$program"
done <build/examples/programs.txt

printf '\n### langcore-eval examples/tour.lc\n\n'
build/tools/eval/langcore-eval examples/tour.lc
