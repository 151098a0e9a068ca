#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Lists every source, header, CMake and script file of the project that lacks
# an SPDX licence line in its first three lines; fails when there is one.
# With --fix, adds the line (after a #! line, in the file's comment syntax).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

fix=false
[[ ${1-} == --fix ]] && fix=true

tag='SPDX-License-Identifier: Apache-2.0'
missing=0
while IFS= read -r -d '' file; do
  head -n 3 "$file" | grep -q "$tag" && continue
  if ! $fix; then
    echo "no licence line: $file"
    missing=1
    continue
  fi
  case $file in
    *.cpp | *.hpp | *.h | *.dox | *.hpp.in) line="// $tag" ;;
    *) line="# $tag" ;;
  esac
  if head -n 1 "$file" | grep -q '^#!'; then
    sed -i "1a $line" "$file"
  else
    sed -i "1i $line" "$file"
  fi
done < <(git ls-files -z -- '*.cpp' '*.hpp' '*.h' '*.dox' '*.in' '*.cmake' 'CMakeLists.txt' '**/CMakeLists.txt' \
           '*.sh' '*.py' '.ci/run' 'debian/rules')
exit "$missing"
