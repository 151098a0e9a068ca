#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Runs one libFuzzer target for a bounded time:  tools/fuzz.sh TARGET SECONDS
# Builds the instrumented fuzz build in build-fuzz/ (clang) when needed, seeds
# the run with fuzz/corpus/TARGET, and prints executions and coverage. New
# inputs go to a scratch folder; a finding is written to the current folder
# (crash-*, leak-*, timeout-*) and makes the exit status non-zero.
# Targets: type_name_fuzzer op_name_fuzzer quoted_string_fuzzer reader_fuzzer
# fold_fuzzer. FUZZ_BUILD overrides the build folder, FUZZ_JOBS the build's jobs.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if (($# != 2)); then
  echo "usage: $0 TARGET SECONDS" >&2
  exit 2
fi
target=$1 seconds=$2
build=${FUZZ_BUILD:-$root/build-fuzz}

export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
if [[ ! -f $build/build.ninja ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLANGCORE_BUILD_FUZZERS=ON -DLANGCORE_BUILD_TESTS=OFF -DLANGCORE_BUILD_EXAMPLES=OFF \
    -DLANGCORE_BUILD_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$build" --target "$target" -j "${FUZZ_JOBS:-$(nproc)}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
seeds=()
[[ -d $root/fuzz/corpus/$target ]] && seeds+=("$root/fuzz/corpus/$target")
# The reader also starts from the golden scripts and the tour.
[[ $target == reader_fuzzer ]] && cp "$root"/tools/eval/tests/*.lc "$root/examples/tour.lc" "$scratch/"
dict=()
[[ -f $root/fuzz/$target.dict ]] && dict+=("-dict=$root/fuzz/$target.dict")

# Limits on one allocation and on the whole process: a runaway allocation is
# a finding. The fold target keeps the arrays it really allocates below
# 2^16 elements; shapes no block can hold must be refused by the library.
"$build/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -timeout=25 \
  -malloc_limit_mb=1024 -rss_limit_mb=2048 -print_final_stats=1 "${dict[@]}" \
  "$scratch" "${seeds[@]}"
