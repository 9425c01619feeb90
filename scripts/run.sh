#!/usr/bin/env bash
# `make run`: starts the editor on the built-in simulated G-Major. Until the
# editor exists, shows what the CLI makes of a fresh preset.
set -euo pipefail
build=${1:-build}
if [ -x "$build/app/lindel" ]; then
  exec "$build/app/lindel"
fi
out=$(mktemp -d)/new-preset.syx
"$build/cli/lindel-cli" new --name "Lindel" --number 101 -o "$out"
exec "$build/cli/lindel-cli" info "$out"
