#!/usr/bin/env bash
# How closely does the program's SNTP client agree with chronyd's own client about a server whose
# clock is shifted? A chronyd server runs on 127.0.0.1 under libfaketime (shifted by SHIFT
# seconds, -x: it never disciplines anything); bench/sntp_agreement queries it; then chronyd -Q
# measures the same server and reports without setting the clock. Nothing here sets the clock.
#   bench/sntp_agreement.sh [SHIFT_SECONDS] [COUNT]        (run from the source folder)
# Needs: chrony, faketime (scripts/setup) and a build in ${BUILD_DIR:-build}.
set -euo pipefail

shift_s=${1:-2.5}
count=${2:-20}
build=${BUILD_DIR:-build}
driver="$build/bench/sntp_agreement"
chronyd=$(command -v chronyd || echo /usr/sbin/chronyd)
[ -x "$driver" ] || { echo "build $driver first (cmake --build $build --target bench_sntp_agreement)" >&2; exit 2; }
[ -x "$chronyd" ] || { echo "chronyd is not installed" >&2; exit 2; }
command -v faketime >/dev/null || { echo "faketime is not installed" >&2; exit 2; }

dir=$(mktemp -d /tmp/velarin-agreement-XXXXXX)
port=$((20000 + RANDOM % 20000))
server_pid=""
cleanup() {
  # faketime runs chronyd as its child: end chronyd by the pid it wrote, then the wrapper.
  if [ -s "$dir/server.pid" ]; then
    kill "$(cat "$dir/server.pid")" 2>/dev/null || true
  fi
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap cleanup EXIT

cat > "$dir/server.conf" <<CONF
port $port
bindaddress 127.0.0.1
allow 127.0.0.1
local stratum 1
cmdport 0
bindcmdaddress /
pidfile $dir/server.pid
driftfile $dir/server.drift
CONF
cat > "$dir/client.conf" <<CONF
server 127.0.0.1 port $port iburst
cmdport 0
bindcmdaddress /
pidfile $dir/client.pid
CONF

case "$shift_s" in -*) shift_arg="${shift_s}s" ;; *) shift_arg="+${shift_s}s" ;; esac
# Only the server's view of the wall clock is shifted; its timers keep real time.
FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f "$shift_arg" \
  "$chronyd" -x -d -u root -f "$dir/server.conf" >"$dir/server.log" 2>&1 &
server_pid=$!

for _ in $(seq 50); do
  if "$driver" 127.0.0.1 "$port" 1 >/dev/null 2>&1; then break; fi
  sleep 0.1
done

ours=$("$driver" 127.0.0.1 "$port" "$count")
theirs=$(timeout 60 "$chronyd" -Q -u root -f "$dir/client.conf" 2>&1 | sed -n 's/.*wrong by \([-0-9.]*\) seconds.*/\1/p' | tail -1)

echo "shift_s=$shift_s port=$port"
echo "velarin: $ours"
echo "chronyd -Q: system clock wrong by ${theirs:-?} s"
if [ -n "$theirs" ]; then
  best=$(sed -n 's/.*"best_offset":\([-0-9.]*\).*/\1/p' <<<"$ours")
  awk -v a="$best" -v b="$theirs" 'BEGIN { d = a - b; printf "difference (velarin best - chronyd): %+.6f s = %+.3f ms\n", d, d * 1000 }'
fi
