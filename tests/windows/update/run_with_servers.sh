#!/bin/sh
# Runs one Windows-tier test program under wine with the local HTTP server and two
# tinyproxy instances (open, and one that asks for Basic proxy credentials) around it.
# Usage: run_with_servers.sh <program.exe> [arguments...]
# Exports LUMENRIG_HTTP_PORT, LUMENRIG_PROXY_PORT, LUMENRIG_AUTHPROXY_PORT and
# LUMENRIG_STRICTPROXY_PORT (the server's own proxy that answers 407 to wrong credentials).
set -u
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/lumenrig-http.XXXXXX")
pids=""
cleanup() {
  for p in $pids; do kill "$p" 2>/dev/null; done
  for p in $pids; do wait "$p" 2>/dev/null; done
  # LUMENRIG_SERVER_LOGS=1 shows what the proxies saw.
  if [ -n "${LUMENRIG_SERVER_LOGS:-}" ]; then cat "$work"/*.log >&2 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'
}

python3 "$here/test_http_server.py" "$work/http.port" &
pids="$pids $!"

start_proxy() {  # name port [user pass]
  conf="$work/$1.conf"
  {
    echo "Port $2"
    echo "Listen 127.0.0.1"
    echo "Timeout 60"
    echo "MaxClients 20"
    echo "Allow 127.0.0.1"
    if [ -n "${LUMENRIG_SERVER_LOGS:-}" ]; then echo "LogLevel Connect"; else echo "LogLevel Critical"; fi
    echo "LogFile \"$work/$1.log\""
    echo "DisableViaHeader Yes"
    if [ $# -ge 4 ]; then echo "BasicAuth $3 $4"; fi
  } > "$conf"
  if command -v tinyproxy >/dev/null 2>&1; then
    tinyproxy -d -c "$conf" >/dev/null 2>&1 &
    pids="$pids $!"
  fi
}
LUMENRIG_PROXY_PORT=$(free_port)
LUMENRIG_AUTHPROXY_PORT=$(free_port)
start_proxy open "$LUMENRIG_PROXY_PORT"
start_proxy auth "$LUMENRIG_AUTHPROXY_PORT" proxyuser proxypass

wait_port() {
  python3 - "$1" <<'PY'
import socket, sys, time
port = int(sys.argv[1]); end = time.time() + 10
while time.time() < end:
    try:
        socket.create_connection(("127.0.0.1", port), 0.2).close(); sys.exit(0)
    except OSError:
        time.sleep(0.05)
sys.exit(1)
PY
}
i=0
while [ ! -s "$work/http.port" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done
LUMENRIG_HTTP_PORT=$(cut -d' ' -f1 "$work/http.port" 2>/dev/null || echo 0)
LUMENRIG_STRICTPROXY_PORT=$(cut -d' ' -f2 "$work/http.port" 2>/dev/null || echo 0)
wait_port "$LUMENRIG_HTTP_PORT" || echo "warning: the test HTTP server did not start" >&2
wait_port "$LUMENRIG_PROXY_PORT" || echo "warning: tinyproxy did not start (proxy tests will fail)" >&2
wait_port "$LUMENRIG_AUTHPROXY_PORT" || true
export LUMENRIG_HTTP_PORT LUMENRIG_PROXY_PORT LUMENRIG_AUTHPROXY_PORT LUMENRIG_STRICTPROXY_PORT

case "$1" in
  *.exe)
    # A Windows program takes the report path as a Windows path.
    exe=$1
    shift
    for a in "$@"; do
      case "$a" in
        --gtest_output=xml:/*) a="--gtest_output=xml:$(winepath -w "${a#--gtest_output=xml:}" 2>/dev/null)" ;;
      esac
      set -- "$@" "$a"
      shift
    done
    wine "$exe" "$@"
    ;;
  *) "$@" ;;
esac
