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
expect "lindel-gmajor-sim --help" 0 "example:" "$sim" --help
expect "lindel-gmajor-sim --help defaults" 0 "--name TEXT=G-Major sim" "$sim" --help
expect "lindel-gmajor-sim --version" 0 "lindel-gmajor-sim $version" "$sim" --version
expect "lindel-gmajor-sim unknown option" 2 "see lindel-gmajor-sim --help" "$sim" --bogus
expect "lindel-gmajor-sim bad fault" 2 "drop-every=N or corrupt-every=N" "$sim" --fault sometimes
expect "lindel-db-server --help" 0 "example:" "$server" --help
expect "lindel-db-server --version" 0 "$version" "$server" --version
expect "lindel-db-server user add --help" 0 "Usage: lindel-db-server user add" "$server" user add --help

[ "$failures" -eq 0 ] && echo "help: every program answers"
exit "$failures"
