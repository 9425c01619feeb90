#!/usr/bin/env bash
# Each program answers --help (exit 0, with an example) and --version (exit 0,
# naming the version), and refuses an unknown option with the exit status of
# a usage error, pointing at --help.
# Usage: check-help.sh VERSION LINDEL LINDEL_CLI LINDEL_GMAJOR_SIM LINDEL_DB_SERVER
set -uo pipefail
version=$1 lindel=$2 cli=$3 sim=$4 server=$5
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
failures=0

# expect LABEL STATUS TEXT COMMAND...: COMMAND exits with STATUS and prints TEXT
expect() {
  local label=$1 status=$2 text=$3; shift 3
  local out rc
  out=$("$@" 2>&1); rc=$?
  if [ "$rc" -ne "$status" ] || ! grep -qF -- "$text" <<<"$out"; then
    echo "FAIL: $label: exit $rc (want $status), output lacks '$text':"; echo "$out" | head -5
    failures=$((failures + 1))
  fi
}

expect "lindel --help" 0 "example:" "$lindel" --help
expect "lindel --version" 0 "$version" "$lindel" --version
expect "lindel unknown option" 1 "Unknown option 'bogus'" "$lindel" --bogus
expect "lindel-cli --help" 0 "lindel-cli --help | --version" "$cli" --help
expect "lindel-cli --version" 0 "lindel-cli $version" "$cli" --version
expect "lindel-cli unknown option" 2 "unknown option --bogus; see lindel-cli --help" "$cli" --bogus
expect "lindel-cli modifiers --help defaults" 0 "--slot N=0" "$cli" modifiers --help
expect "lindel-cli request --help defaults" 0 "--timeout S=10" "$cli" request --help
expect "lindel-cli backup --help defaults" 0 "--last N=100" "$cli" backup --help

# Every command and sub-command: help with a usage line and an example, the
# version, and an unknown option that points at the command's own --help.
commands="info new split modifiers copy-block export import diff ports request transmit receive-dump send-dump
  backup library randomize mutate morph nudge bank"
library="import search show tag fav rename comment hide purge history export stats"
bank="new list show set move swap clear from-dump export pull send"
# listed [GROUP]: the commands the help of lindel-cli (or of its GROUP) lists
listed() { "$cli" "$@" --help | sed -n '/^commands:/,/^$/p' | awk -v at=$(($# + 2)) '/^  lindel-cli/ {print $at}' | xargs; }
for group in "" library bank; do
  want=${group:-commands}
  [ "$(listed $group)" = "$(echo ${!want})" ] || { echo "FAIL: lindel-cli $group --help lists: $(listed $group)"; failures=$((failures + 1)); }
done
each=($commands)
for c in $library; do each+=("library $c"); done
for c in $bank; do each+=("bank $c"); done
for c in "${each[@]}"; do
  read -ra words <<<"$c"
  expect "lindel-cli $c --help" 0 "usage: lindel-cli $c" "$cli" "${words[@]}" --help
  expect "lindel-cli $c --help example" 0 "example:" "$cli" "${words[@]}" --help
  expect "lindel-cli $c --version" 0 "lindel-cli $version" "$cli" "${words[@]}" --version
  expect "lindel-cli $c unknown option" 2 "lindel-cli $c: unknown option --bogus; see lindel-cli $c --help" \
    "$cli" "${words[@]}" --bogus
done
expect "lindel-gmajor-sim --help" 0 "example:" "$sim" --help
expect "lindel-gmajor-sim --help defaults" 0 "--name TEXT=G-Major sim" "$sim" --help
expect "lindel-gmajor-sim --version" 0 "lindel-gmajor-sim $version" "$sim" --version
expect "lindel-gmajor-sim unknown option" 2 "see lindel-gmajor-sim --help" "$sim" --bogus
expect "lindel-gmajor-sim bad fault" 2 "drop-every=N or corrupt-every=N" "$sim" --fault sometimes
expect "lindel-db-server --help" 0 "example:" "$server" --help
expect "lindel-db-server --version" 0 "$version" "$server" --version
expect "lindel-db-server user add --help" 0 "Usage: lindel-db-server user add" "$server" user add --help
for c in import "user add" "user list" "user revoke" user hide unhide delete backup; do
  read -ra words <<<"$c"
  expect "lindel-db-server $c --help example" 0 "  lindel-db-server $c " "$server" "${words[@]}" --help
  expect "lindel-db-server $c unknown option" 2 "see lindel-db-server $c --help" "$server" "${words[@]}" --bogus
done

[ "$failures" -eq 0 ] && echo "help: every program answers"
exit "$failures"
