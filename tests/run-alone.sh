#!/bin/sh
# Runs one test program ("$2" and on) in a home of its own, "$1", emptied
# first: settings, caches, runtime and temporary files all land there. No
# printer is reachable: CUPS_SERVER names a socket that does not exist.
set -e
home=$1
shift
rm -rf "$home"
mkdir -p "$home/.config" "$home/.local/share" "$home/.cache" "$home/tmp"
mkdir -m 700 "$home/runtime"
unset PRINTER LPDEST CUPS_USER
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" TMPDIR="$home/tmp" \
    CUPS_SERVER="$home/no-cups.sock"
exec "$@"
