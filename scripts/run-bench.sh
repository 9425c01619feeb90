#!/usr/bin/env bash
# Runs every benchmark program of the build folder given as $1, then the
# database server's load run again on a PostgreSQL server of its own.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2
done
if [ -x "$build/bench/bench_db_server" ]; then
  echo "== bench_db_server on PostgreSQL"
  bash "$(dirname "$0")/pg-services.sh" run LINDEL_BENCH_POSTGRES "$build/bench/bench_db_server" --benchmark_min_time=0.2
fi
