#!/usr/bin/env bash
# Builds the document fuzz target with clang, AddressSanitizer and UBSan into
# build-fuzz/ and runs it for SECONDS (default 60), starting from the seeds in
# fuzz/corpus/document. Inputs it finds go to build-fuzz/corpus; a finding is
# saved as build-fuzz/crash-* (or leak-, timeout-, oom-) and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/deps.sh
dir=build-fuzz
cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKVX_FUZZ=ON -DKVX_SANITIZE=ON -DKVX_TESTS=OFF -DKVX_BENCHMARKS=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)" --target fuzz_document >&2
mkdir -p "$dir/corpus"
"$dir/fuzz/fuzz_document" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -dict=fuzz/document.dict -artifact_prefix="$dir/" -print_final_stats=1 \
  "$dir/corpus" fuzz/corpus/document
