#!/usr/bin/env bash
# By hand, not in CI: runs the built window under Xvfb with the accessibility
# bus, in a home of its own, once in French and once in English, and lets
# tools/accessibility-check.py walk it as a screen reader does. Needs xvfb,
# xdotool, at-spi2-core and python3-pyatspi (apt-get install python3-pyatspi).
# usage: tools/accessibility-check.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/disc/Albums/Disc 2" "$home/disc/Albums/Disc 10" "$home/disc/Photos" \
  "$home/.config/kvx" "$home/runtime"
chmod 700 "$home/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
  XDG_RUNTIME_DIR=$home/runtime QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
"$build/kvx/kvx" --from "$home/disc" --save "$home/disque.kvx"

for language in Francais.lng English.lng; do
  locale=fr
  [ "$language" = English.lng ] && locale=en
  printf '[language]\nfile=%s\nlocale=%s\n' "$language" "$locale" >"$home/.config/kvx/kvx.conf"
  echo "== $language"
  xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    sleep 1
    "$0/kvx/kvx" "$1/disque.kvx" &
    program=$!
    sleep 3
    window=$(xdotool search --sync --onlyvisible --name "KVX$" | head -n 1)
    status=0
    /usr/bin/python3 "$2/accessibility-check.py" "$window" || status=$?
    kill "$program" "$launcher" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    exit $status' "$build" "$home" "$here"
done
