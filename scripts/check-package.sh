#!/usr/bin/env bash
# Builds the Debian package and checks it without installing it: its file
# list, the validators, lintian, and the program run from the unpacked
# package, finding its icons and language files in the installed data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(scripts/package.sh | tail -n 1)
id=org.example.kvx
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp" # the unprivileged run below must reach it
fail() { echo "check-package: $*" >&2; exit 1; }

echo "Checking $deb"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$tmp/files"
for f in /usr/bin/kvx /usr/share/kvx/Francais.lng /usr/share/kvx/English.lng \
  /usr/share/kvx/ico/zip.ico /usr/share/applications/$id.desktop \
  /usr/share/mime/packages/kvx.xml /usr/share/metainfo/$id.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/icons/hicolor/16x16/apps/$id.png \
  /usr/share/icons/hicolor/48x48/apps/$id.png /usr/share/icons/hicolor/256x256/apps/$id.png \
  /usr/share/man/man1/kvx.1.gz /usr/share/doc/kvx/copyright /usr/share/doc/kvx/changelog.Debian.gz; do
  grep -qxF "$f" "$tmp/files" || fail "$f is not in the package"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lacks the Qt libraries"
dpkg-deb -f "$deb" Depends | grep -q libqt6sql6-sqlite || fail "Depends lacks the SQLite driver"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
# One program: no other executable file in the package.
programs=$(find "$root" -type f -perm -u+x -printf '/%P\n')
[ "$programs" = /usr/bin/kvx ] || fail "executables other than /usr/bin/kvx: $programs"
desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate-tree --no-net "$root"
lintian_rc=0
lintian --fail-on error "$deb" >"$tmp/lintian" 2>&1 || lintian_rc=$?
grep -v "root privileges" "$tmp/lintian" || true
[ "$lintian_rc" -eq 0 ] || fail "lintian reports errors"
man_warnings=$(man --warnings -l "$root/usr/share/man/man1/kvx.1.gz" 2>&1 >/dev/null)
[ -z "$man_warnings" ] || fail "man page: $man_warnings"

# The MIME type compiles, and its magic is how a saved document starts.
mkdir -p "$tmp/mime/packages"
cp "$root/usr/share/mime/packages/kvx.xml" "$tmp/mime/packages/"
XDG_DATA_DIRS=$tmp update-mime-database "$tmp/mime"
grep -qxF "50:application/x-kvx:*.kvx" "$tmp/mime/globs2" || fail "no *.kvx glob"
start='[FileInfo]#%Type=TVW FILE' # CR LF shown as #%
tr '\r\n' '#%' <"$tmp/mime/magic" | grep -qF "$start" || fail "no magic for documents"

# The unpacked program: its help, a document and a jacket, with its data
# found in the unpacked share/kvx.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$tmp/runtime HOME=$tmp/home
export XDG_DATA_HOME=$HOME/.local/share
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$tmp/disc/sub" "$XDG_DATA_HOME/kvx"
touch "$tmp/disc/a.zip" "$tmp/disc/sub/b.mp3"
kvx=$root/usr/bin/kvx
help=$("$kvx" --help)
grep -qxF "  $root/usr/share/kvx  icons (ico/) and language files" <<<"$help" ||
  fail "the help names another data folder: $help"
grep -qxF "  languages: English.lng, Francais.lng" <<<"$help" || fail "languages not found: $help"
"$kvx" --from "$tmp/disc" --add '*.zip' --save "$tmp/disc.kvx" --pdf "$tmp/disc.pdf"
[ -s "$tmp/disc.pdf" ] || fail "no PDF written"
[ "$(head -c 25 "$tmp/disc.kvx" | tr '\r\n' '#%')" = "$start" ] ||
  fail "a document does not start as the MIME magic says"
# a.zip gets the picture of ico/zip.ico, not the plain file picture (6).
image=$(tr -d '\r' <"$tmp/disc.kvx" | sed -n 's/^Image3=\([0-9]*\)|.*/\1/p')
[ -n "$image" ] && [ "$image" -gt 6 ] || fail "the icons were not found (a.zip has image '$image')"
# The catalogue, through the SQLite driver the package depends on.
[ "$("$kvx" catalogue add "$tmp/disc")" = KVX-0001 ] || fail "the disc was not catalogued"
"$kvx" find b.mp3 | grep -qF "/sub/b.mp3" || fail "the catalogue does not find b.mp3"

# Installed, the data folder is read-only: a user's own languages are offered
# too. Run as an unprivileged user, for whom the unpacked folder is read-only.
echo "x" >"$XDG_DATA_HOME/kvx/Dansk.lng"
chmod -R a-w "$root/usr/share/kvx"
chmod -R a+rwX "$HOME"
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
help=$("${as_user[@]}" "$kvx" --help)
chmod -R u+w "$root/usr/share/kvx"
grep -qxF "  $XDG_DATA_HOME/kvx  your own language files" <<<"$help" ||
  fail "the user's language folder is not offered: $help"
grep -qxF "  languages: Dansk.lng, English.lng, Francais.lng" <<<"$help" ||
  fail "the user's languages are not listed: $help"
echo "check-package: $(basename "$deb") is sound"
