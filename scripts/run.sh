#!/usr/bin/env bash
# `make run`: starts the editor. With no MIDI hardware the built-in simulated
# G-Major is the chosen device, so requests, transmits and dumps work at once.
set -euo pipefail
build=${1:-build}
exec "$build/app/lindel"
