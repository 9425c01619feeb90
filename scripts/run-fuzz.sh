#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded time, one after
# the other, starting from the seeds lindel-fuzz-seeds makes and the corpus
# earlier runs kept in the build folder. Prints executions, coverage and
# crashes per target; fails when any target found a crash (its input is kept
# in BUILD/fuzz-artifacts/).
# usage: run-fuzz.sh BUILD [SECONDS]
set -uo pipefail

build=${1:?usage: run-fuzz.sh BUILD [SECONDS]}
seconds=${2:-60}
fuzz_dir="$build/fuzz"
seeds="$build/fuzz-seeds"
corpus="$build/fuzz-corpus"
artifacts="$build/fuzz-artifacts"
logs="$build/fuzz-logs"

# Inputs longer than a few dump slots add time, not paths.
declare -A max_len=(
  [fuzz_preset]=800 [fuzz_dump]=8000 [fuzz_preset_list]=4096
  [fuzz_midi_input]=8000 [fuzz_simulator]=8000 [fuzz_server_upload]=4096
)

rm -rf "$seeds"
mkdir -p "$corpus" "$artifacts" "$logs"
"$fuzz_dir/lindel-fuzz-seeds" "$seeds" || exit 1

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

failed=0
printf '%-20s %12s %8s %8s  %s\n' target executions cov ft result
for target in "${!max_len[@]}"; do
  mkdir -p "$corpus/$target"
  log="$logs/$target.log"
  "$fuzz_dir/$target" -max_total_time="$seconds" -max_len="${max_len[$target]}" -rss_limit_mb=2048 \
    -timeout=20 -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
    "$corpus/$target" "$seeds/$target" >"$log" 2>&1
  status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -oE 'ft: [0-9]+' "$log" | tail -1 | cut -d' ' -f2)
  result=ok
  if [ $status -ne 0 ]; then
    result="CRASH (see $log)"
    failed=1
  fi
  printf '%-20s %12s %8s %8s  %s\n' "$target" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$result"
done
exit $failed
