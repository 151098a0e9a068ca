#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs what building and testing langcore needs on Debian 12, and nothing
# when everything is already there (so it is cheap to call before every build).
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev ccache
  libboost-dev libgtest-dev googletest libbenchmark-dev
  libedit-dev            # line editing in langcore-eval
  libopenblas-dev        # the benchmarks' peer for the matrix product
  python3-matplotlib     # bench/plot.py
  doxygen                # the API reference
  g++-aarch64-linux-gnu  # CI: the library without x86 kernels
  pkgconf man-db groff-base dpkg-dev file  # packaging and its checks
  build-essential debhelper lintian        # the Debian packages (dpkg-buildpackage)
)

# One dpkg-query for all; a package dpkg has never heard of is simply absent
# from its output.
installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for package in "${packages[@]}"; do
  grep -qx "$package installed" <<<"$installed" || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=()
if ((EUID != 0)); then
  command -v sudo >/dev/null || { echo "setup: run as root to install ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
