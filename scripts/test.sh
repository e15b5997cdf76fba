#!/usr/bin/env bash
# Installs what is missing, builds KVX and runs every test.
# KVX_SANITIZE=1 does the same in an AddressSanitizer + UBSan build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
dir=$(scripts/build.sh | tail -n 1)
cd "$dir"
ctest --output-on-failure -j "$(nproc)"
