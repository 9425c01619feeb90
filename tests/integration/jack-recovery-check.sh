#!/usr/bin/env bash
# Scripted checks of how midi-services.sh copes with JACK's machine-wide
# server table:
#  1. a run killed with its JACK server leaves an entry behind; the next start
#     clears it (the entry of the killed server's name belongs to a living
#     server afterwards, or is gone), and a clean stop leaves nothing;
#  2. a table that others filled ("Too many servers already active") is
#     reported plainly at once, not as a time-out.
# Uses a pool of its own (one name), so it never takes a name a test needs.
#   jack-recovery-check.sh SERVICES_SCRIPT SIM_PROGRAM
set -euo pipefail
services=$1
sim=$2
registry=/dev/shm/jack-shm-registry
work=$(mktemp -d "${TMPDIR:-/tmp}/lindel-jack-check-XXXXXX")
export LINDEL_JACK_PREFIX=lindel-check LINDEL_JACK_SLOTS=1
export LINDEL_JACK_SLOTS_DIR=${TMPDIR:-/tmp}/lindel-jack-check-slots-$(id -u)
cleanup() {
  bash "$services" stop "$work/a" >/dev/null 2>&1 || true
  bash "$services" stop "$work/b" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# "PID NAME" of every server in JACK's table.
table() {
  python3 - "$registry" <<'PY'
import re, sys
data = open(sys.argv[1], "rb").read()
for m in re.finditer(rb"jack-\d+:([^:\x00]+):\x00", data):
    pid = int.from_bytes(data[m.start() - 4:m.start()], "little", signed=True)
    if pid > 0:
        print(pid, m.group(1).decode())
PY
}

server_of() { sed -n "s/^export JACK_DEFAULT_SERVER='\(.*\)'$/\1/p" "$1/env"; }

# Entries of the server NAME whose process is gone.
stale_entries() {
  local pid name
  table | while read -r pid name; do
    if [ "$name" = "$1" ] && ! kill -0 "$pid" 2>/dev/null; then echo "$pid $name"; fi
  done
}

echo "== a killed run's entry is cleared by the next start"
if [ -f "$registry" ]; then
  bash "$services" start "$work/a" "$sim"
  killed=$(server_of "$work/a")
  kill -KILL "$(cat "$work/a/jackd.pid")"
  while kill -0 "$(cat "$work/a/jackd.pid")" 2>/dev/null; do sleep 0.1; done
  [ -n "$(stale_entries "$killed")" ] || fail "killing the server left no entry to clear; the check shows nothing"
  bash "$services" stop "$work/a"
  bash "$services" start "$work/b" "$sim" || fail "no server started after a killed run"
  left=$(stale_entries "$killed")
  [ -z "$left" ] || fail "the killed server's entry is still in JACK's table: $left"
  bash "$services" stop "$work/b"
  [ -z "$(table | awk -v n="$(server_of "$work/b")" '$2 == n')" ] || fail "a stopped server stayed in JACK's table"
  echo "ok"
else
  echo "skipped: this JACK keeps no table in $registry"
fi

echo "== a full table is reported plainly"
mkdir -p "$work/bin"
cat >"$work/bin/jackd" <<'FAKE'
#!/usr/bin/env bash
echo "Too many servers already active"
exit 1
FAKE
printf '#!/usr/bin/env bash\nexit 1\n' >"$work/bin/jack_lsp"
chmod +x "$work/bin/jackd" "$work/bin/jack_lsp"
status=0
PATH="$work/bin:$PATH" timeout 60 bash "$services" start "$work/c" "$sim" 2>"$work/full.err" || status=$?
[ "$status" -eq 1 ] || fail "a full table ended the start with $status, not 1"
grep -q 'JACK refused to start: "Too many servers already active"' "$work/full.err" ||
  fail "the message does not say so: $(cat "$work/full.err")"
echo "ok"
