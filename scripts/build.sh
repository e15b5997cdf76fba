#!/usr/bin/env bash
# Builds KVX into build/ (or build-asan/ with KVX_SANITIZE=1).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${KVX_SANITIZE:-0}" = 1 ]; then
  dir=build-asan
  flags=(-DKVX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DKVX_BENCHMARKS=OFF)
else
  dir=build
  flags=(-DCMAKE_BUILD_TYPE=Release)
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)" >&2
echo "$dir"
