#!/usr/bin/env bash
# Installs the build tree into a temporary staging folder, as a package
# build does (DESTDIR + prefix /usr), and checks that every file is in place
# and that the desktop entry, the AppStream metainfo and the MIME type
# definition pass the freedesktop tools' validation and agree with each
# other. With "deb" it checks the Debian package instead: built with CPack,
# unpacked into the staging folder, its programs run from there.
# Usage: check-install.sh <cmake> <build dir> <version> <app id> [deb]
set -euo pipefail

cmake_bin=$1 build=$2 version=$3 id=$4 form=${5:-install}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if [ "$form" = deb ]; then
  cpack_bin="$(dirname "$cmake_bin")/cpack"
  "$cpack_bin" -G DEB -B "$stage/package" --config "$build/CPackConfig.cmake" > "$stage/cpack.log" 2>&1 || {
    cat "$stage/cpack.log"; exit 1; }
  deb="$stage/package/lindel_${version}_amd64.deb"
  [ -s "$deb" ] || { echo "FAIL: no $(basename "$deb")"; ls "$stage/package"; exit 1; }
  dpkg-deb -x "$deb" "$stage"
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "== Depends: $depends"
  for library in libqt6widgets6 libqt6network6 librtmidi libsqlite3 libpq5 libc6; do
    grep -q "$library" <<<"$depends" || fail "Depends names no $library"
  done
  [ "$("$stage/usr/bin/lindel-cli" --version)" = "lindel-cli $version" ] || fail "the unpacked lindel-cli --version"
else
  DESTDIR="$stage" "$cmake_bin" --install "$build" --prefix /usr > "$stage/install.log" || {
    cat "$stage/install.log"; exit 1; }
fi
root="$stage/usr"
desktop="$root/share/applications/$id.desktop"
metainfo="$root/share/metainfo/$id.metainfo.xml"
mime="$root/share/mime/packages/$id.xml"
icon="$root/share/icons/hicolor/scalable/apps/$id.svg"

for program in lindel lindel-cli lindel-gmajor-sim lindel-db-server; do
  [ -x "$root/bin/$program" ] || fail "bin/$program missing or not executable"
  [ -s "$root/share/man/man1/$program.1" ] || fail "no man page of $program"
done
completion="$root/share/bash-completion/completions/lindel-cli"
for file in "$desktop" "$metainfo" "$mime" "$icon" "$completion"; do
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

# Each man page is the program's own, and the completion offers its commands.
for program in lindel lindel-cli lindel-gmajor-sim lindel-db-server; do
  MANWIDTH=80 man -l "$root/share/man/man1/$program.1" 2>/dev/null | grep -q -- "--help" ||
    fail "the man page of $program shows no --help"
done
completed=$(bash -c 'source "$1"; COMP_WORDS=(lindel-cli sp); COMP_CWORD=1; _lindel_cli; echo "${COMPREPLY[*]}"
                     COMP_WORDS=(lindel-cli library s); COMP_CWORD=2; _lindel_cli; echo "${COMPREPLY[*]}"
                     COMP_WORDS=(lindel-cli request --t); COMP_CWORD=2; _lindel_cli; echo "${COMPREPLY[*]}"' _ "$completion")
[ "$completed" = $'split\nsearch show stats\n--timeout' ] || fail "completion offers: $completed"

[ "$failures" -eq 0 ] && echo "$form: all in place and valid"
exit "$failures"
