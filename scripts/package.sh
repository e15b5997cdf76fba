#!/usr/bin/env bash
# Builds the Debian package of KVX into build-deb/ and prints its path.
# A build of its own: Debian's hardening flags (dpkg-buildflags), no tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
dir=build-deb
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
unset CPPFLAGS
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DKVX_TESTS=OFF -DKVX_BENCHMARKS=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)" >&2
rm -f "$dir"/kvx_*.deb
(cd "$dir" && cpack -G DEB >&2)
ls "$PWD/$dir"/kvx_*.deb
