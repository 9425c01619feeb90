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
set -euo pipefail

action=${1:?start or stop}
dir=${2:?state folder}

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

case "$action" in
start)
  sim=${3:?simulator program}
  mkdir -p "$dir"
  server="lindel-$$-$RANDOM"
  export JACK_DEFAULT_SERVER=$server
  # Synchronous mode (-S): every client runs in every cycle even on a busy
  # machine, so no MIDI event is dropped with a late cycle.
  jackd -n "$server" -S -t 5000 --no-realtime -d dummy -r 48000 -p 1024 >"$dir/jackd.log" 2>&1 &
  echo $! >"$dir/jackd.pid"
  if ! wait_for 20 jack_lsp; then
    echo "midi-services: the JACK server did not start:" >&2; cat "$dir/jackd.log" >&2; exit 1
  fi
  mkfifo "$dir/sim.in"
  # Holds the FIFO open, so the simulator never reads end-of-file between commands.
  sleep 100000 >"$dir/sim.in" &
  echo $! >"$dir/holder.pid"
  "$sim" --api jack --name "Lindel test sim" <"$dir/sim.in" >"$dir/sim.log" 2>&1 &
  echo $! >"$dir/sim.pid"
  if ! wait_for 20 grep -q '^ready:' "$dir/sim.log"; then
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
