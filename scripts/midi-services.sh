#!/usr/bin/env bash
# Starts and stops what MIDI integration work needs: a JACK server on the
# dummy driver (no sound hardware) under a server name of its own, and the
# simulated G-Major on JACK, reading its commands from a FIFO.
#
#   scripts/midi-services.sh start DIR SIM_PROGRAM   # then: source DIR/env
#   scripts/midi-services.sh stop DIR
#
# DIR/env exports JACK_DEFAULT_SERVER, LINDEL_MIDI_API=jack, LINDEL_SIM_NAME,
# LINDEL_SIM_COMMANDS (write commands there: echo dump > "$LINDEL_SIM_COMMANDS")
# and LINDEL_SIM_LOG (the simulator's one line per event).
#
# Server names come from a small pool, lindel-test-0 .. lindel-test-5, each
# held by a lock that the JACK server itself keeps open (so it is free again
# the moment the server dies, however it died). JACK keeps a machine-wide
# table of eight servers and frees the entry of a killed server only when a
# server of the same name starts again: reusing our names clears what our
# killed runs left, and they can never fill the table. When every name is in
# use the start waits for one. A table that others filled is reported
# plainly. LINDEL_JACK_SLOTS_DIR, LINDEL_JACK_SLOTS and LINDEL_JACK_PREFIX
# choose another pool (the scripted checks use one of their own).
set -euo pipefail

action=${1:?start or stop}
dir=${2:?state folder}
slots_dir=${LINDEL_JACK_SLOTS_DIR:-${TMPDIR:-/tmp}/lindel-jack-slots-$(id -u)}
slot_count=${LINDEL_JACK_SLOTS:-6}
prefix=${LINDEL_JACK_PREFIX:-lindel-test}
slot_wait=300  # seconds to wait for a free name while other runs hold them all
export JACK_NO_START_SERVER=1

wait_for() {  # wait_for SECONDS COMMAND...: true once COMMAND succeeds
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

stop_pid() {  # stop_pid FILE: TERM, then KILL if it lingers
  [ -f "$1" ] || return 0
  local pid; pid=$(cat "$1")
  kill -TERM "$pid" 2>/dev/null || true
  wait_for 5 bash -c "! kill -0 $pid" || kill -KILL "$pid" 2>/dev/null || true
  rm -f "$1"
}

# try_jack NAME: starts jackd under NAME; it inherits the name's open lock.
# 0 once it answers; 1 when NAME is taken by a server we do not know (try
# another); 2 when it failed otherwise (jackd.log says why).
try_jack() {
  local name=$1 pid deadline=$((SECONDS + 20))
  # Synchronous mode (-S): every client runs in every cycle even on a busy
  # machine, so no MIDI event is dropped with a late cycle.
  jackd -n "$name" -S -t 5000 --no-realtime -d dummy -r 48000 -p 1024 >"$dir/jackd.log" 2>&1 &
  pid=$!
  echo "$pid" >"$dir/jackd.pid"
  until JACK_DEFAULT_SERVER=$name jack_lsp >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then
      rm -f "$dir/jackd.pid"
      if grep -q 'Too many servers' "$dir/jackd.log"; then return 2; fi
      if grep -q 'already active' "$dir/jackd.log"; then return 1; fi
      return 2
    fi
    [ $SECONDS -ge $deadline ] && return 2
    sleep 0.1
  done
}

# start_jack: a server under the first free pooled name; prints the name.
start_jack() {
  local deadline=$((SECONDS + slot_wait)) slot lock status
  mkdir -p "$slots_dir"
  while :; do
    for ((slot = 0; slot < slot_count; slot++)); do
      exec {lock}>>"$slots_dir/$slot.lock"
      if flock -n "$lock"; then
        status=0
        try_jack "$prefix-$slot" || status=$?
        exec {lock}>&-
        case $status in
          0) echo "$prefix-$slot"; return 0 ;;
          2) report_jack_failure; return 1 ;;
        esac
      else
        exec {lock}>&-
      fi
    done
    if [ $SECONDS -ge $deadline ]; then
      echo "midi-services: every JACK test server name ($prefix-0 .. $prefix-$((slot_count - 1))) stayed in use for ${slot_wait}s; other test runs hold them" >&2
      return 1
    fi
    sleep 0.5
  done
}

report_jack_failure() {
  [ -f "$dir/jackd.pid" ] && stop_pid "$dir/jackd.pid"
  if grep -q 'Too many servers' "$dir/jackd.log"; then
    cat >&2 <<MSG
midi-services: JACK refused to start: "Too many servers already active".
JACK keeps a table of eight servers for the whole machine; servers that were
killed under names of their own still hold entries, which JACK frees only when
a server of the same name starts again (ours are reused, so ours never pile
up). Stop the other JACK servers, or, when no JACK server runs at all, remove
the table: rm /dev/shm/jack-shm-registry (or ipcrm, where JACK uses System V
shared memory).
MSG
  else
    echo "midi-services: the JACK server did not start:" >&2
  fi
  cat "$dir/jackd.log" >&2
}

# start_sim: the simulator on the server, reading the FIFO. On a loaded
# machine a JACK client can fail to open; a simulator that ends before it is
# ready is started again, three tries in all, each said on stderr.
start_sim() {
  local attempt pid deadline
  for attempt in 1 2 3; do
    "$sim" --api jack --name "Lindel test sim" <"$dir/sim.in" >"$dir/sim.log" 2>&1 &
    pid=$!
    echo "$pid" >"$dir/sim.pid"
    deadline=$((SECONDS + 20))
    until grep -q '^ready:' "$dir/sim.log"; do
      kill -0 "$pid" 2>/dev/null || break
      [ $SECONDS -ge $deadline ] && return 1
      sleep 0.1
    done
    grep -q '^ready:' "$dir/sim.log" && return 0
    echo "midi-services: the simulator ended before it was ready (try $attempt): $(cat "$dir/sim.log")" >&2
  done
  return 1
}

case "$action" in
start)
  sim=${3:?simulator program}
  mkdir -p "$dir"
  server=$(start_jack) || exit 1
  export JACK_DEFAULT_SERVER=$server
  mkfifo "$dir/sim.in"
  # Holds the FIFO open, so the simulator never reads end-of-file between commands.
  sleep 100000 >"$dir/sim.in" &
  echo $! >"$dir/holder.pid"
  if ! start_sim; then
    echo "midi-services: the simulator did not start:" >&2; cat "$dir/sim.log" >&2; exit 1
  fi
  cat >"$dir/env" <<ENV
export JACK_DEFAULT_SERVER='$server'
export LINDEL_MIDI_API=jack
export LINDEL_SIM_NAME='Lindel test sim'
export LINDEL_SIM_COMMANDS='$dir/sim.in'
export LINDEL_SIM_LOG='$dir/sim.log'
ENV
  ;;
stop)
  # Only a living simulator can read "quit"; writing it to a FIFO nobody
  # reads would block, and must not hold the caller's output open meanwhile.
  if [ -p "$dir/sim.in" ] && [ -f "$dir/sim.pid" ] && kill -0 "$(cat "$dir/sim.pid")" 2>/dev/null; then
    { echo quit >"$dir/sim.in" & } >/dev/null 2>&1
  fi
  stop_pid "$dir/sim.pid"
  stop_pid "$dir/holder.pid"
  stop_pid "$dir/jackd.pid"
  ;;
*)
  echo "usage: $0 start DIR SIM_PROGRAM | stop DIR" >&2; exit 2
  ;;
esac
