#!/usr/bin/env bash
# Installs the build tree into a temporary staging folder, as a package
# build does (DESTDIR + prefix /usr), and checks that every file is in place
# and that the desktop entry, the AppStream metainfo and the MIME type
# definition pass the freedesktop tools' validation and agree with each
# other. Usage: check-install.sh <cmake> <build dir> <version> <app id>
set -euo pipefail

cmake_bin=$1 build=$2 version=$3 id=$4
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR="$stage" "$cmake_bin" --install "$build" --prefix /usr > "$stage/install.log" || {
  cat "$stage/install.log"; exit 1; }
root="$stage/usr"
desktop="$root/share/applications/$id.desktop"
metainfo="$root/share/metainfo/$id.metainfo.xml"
mime="$root/share/mime/packages/$id.xml"
icon="$root/share/icons/hicolor/scalable/apps/$id.svg"

for program in lindel lindel-cli lindel-gmajor-sim lindel-db-server; do
  [ -x "$root/bin/$program" ] || fail "bin/$program missing or not executable"
done
for file in "$desktop" "$metainfo" "$mime" "$icon"; do
  [ -s "$file" ] || fail "${file#"$stage"} missing"
done
[ "$failures" -eq 0 ] || exit 1

echo "== desktop-file-validate"
desktop-file-validate "$desktop" || fail "desktop entry"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$metainfo" || fail "metainfo"
echo "== appstreamcli validate-tree --no-net"
appstreamcli validate-tree --no-net "$root" || fail "installed tree"
echo "== xmllint"
xmllint --noout "$mime" "$icon" || fail "mime definition or icon is not well-formed XML"

# The MIME database built from our definition alone maps *.syx to the type
# that the desktop entry and the metainfo name.
type=$(xmllint --xpath 'string(//*[local-name()="mime-type"]/@type)' "$mime")
echo "== update-mime-database ($type)"
XDG_DATA_DIRS="$root/share" update-mime-database "$root/share/mime" || fail "update-mime-database"
grep -q ":$type:\*\.syx$" "$root/share/mime/globs2" || fail "*.syx is not mapped to $type"
grep -qx "MimeType=$type;" "$desktop" || fail "desktop entry does not open $type"
grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "metainfo does not provide $type"

# The file the user opened reaches the editor on its command line.
grep -qx 'Exec=lindel %f' "$desktop" || fail "Exec does not pass the file"
grep -qx "Icon=$id" "$desktop" || fail "Icon is not the installed $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "launchable"
grep -q "<release version=\"$version\"" "$metainfo" || fail "no release $version in the metainfo"
for program in lindel lindel-cli lindel-gmajor-sim lindel-db-server; do
  grep -q "<binary>$program</binary>" "$metainfo" || fail "metainfo does not provide $program"
done

[ "$failures" -eq 0 ] && echo "install: all in place and valid"
exit "$failures"
