#!/usr/bin/env bash
# Runs a test program while a JACK server (dummy driver) and the simulated
# G-Major run, and always stops both, whatever the test does.
#   run-with-midi-services.sh SERVICES_SCRIPT SIM_PROGRAM TEST_PROGRAM [ARGS...]
set -euo pipefail
services=$1
sim=$2
shift 2
dir=$(mktemp -d "${TMPDIR:-/tmp}/lindel-midi-XXXXXX")
cleanup() {
  local status=$?
  if [ $status -ne 0 ] && [ -f "$dir/sim.log" ]; then
    echo "--- simulator log (last lines)"; tail -n 20 "$dir/sim.log"
  fi
  bash "$services" stop "$dir" || true
  rm -rf "$dir"
  exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM
bash "$services" start "$dir" "$sim"
# shellcheck disable=SC1091
source "$dir/env"
"$@"
