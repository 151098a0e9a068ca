#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs what is missing, builds everything in build/ and runs the tests.
# Extra arguments go to ctest, e.g.  tools/test.sh -R ArraySize
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/setup.sh
cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure --no-tests=error -j "$(nproc)" "$@"
