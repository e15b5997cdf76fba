#!/usr/bin/env bash
# Installs what is missing, builds KVX and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh >/dev/null
exec build/kvx/kvx "$@"
