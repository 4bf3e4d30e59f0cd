#!/usr/bin/env bash
# Builds every fuzz target with clang in build-fuzz and runs each for SECONDS
# (default 60) on a copy of its seed corpus; exits non-zero on any crash.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLMOOR_FUZZ_BUILD_DIR:-$root/build-fuzz}

cmake -S "$root" -B "$build" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLMOOR_FUZZ=ON -DQUILLMOOR_TESTS=OFF \
  -DQUILLMOOR_FUZZ_SECONDS="$seconds"
# Building fuzz_run builds only the fuzz targets and the core they need.
cmake --build "$build" -j2 --target fuzz_run
echo "fuzz: every target ran ${seconds} s without a crash"
