#!/bin/sh
# Benchmark of the HTTP transfer: a large file from the local test server through
# TauCustomHTTP (with a progress handler), through a bare WinInet loop with the same
# buffer size, and through curl, for buffers of 4096 and 65536 bytes.
# Usage: perf/http/run_perf_http.sh <wintest build dir> [megabytes, default 50] [rounds, default 5]
#        [buffer sizes, comma-separated, default 4096,65536]
# Needs WINEPREFIX (and a running `wineserver -p` for steady figures).
set -eu
build=$1
mb=${2:-50}
rounds=${3:-5}
buffers=${4:-4096,65536}
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
exe=$(find "$build" -name perf_http.exe | head -1)
[ -n "$exe" ] || { echo "perf_http.exe not found under $build (cmake --build $build --target perf_http)"; exit 1; }
bytes=$((mb * 1048576))
out=$(mktemp -d "${TMPDIR:-/tmp}/perf-http.XXXXXX")
export PERF_BUFFERS=$buffers PERF_BYTES=$bytes PERF_ROUNDS=$rounds PERF_EXE=$exe PERF_OUT=$out
sh "$repo/tests/windows/update/run_with_servers.sh" sh -c '
  url="http://127.0.0.1:$LUMENRIG_HTTP_PORT/big/$PERF_BYTES"
  echo "file: $PERF_BYTES bytes from $url, $PERF_ROUNDS rounds, medians"
  wine "$PERF_EXE" "$url" "$(winepath -w "$PERF_OUT")" "$PERF_ROUNDS" "$PERF_BUFFERS"
  times=""
  for r in $(seq "$PERF_ROUNDS"); do
    t=$(curl -s -o "$PERF_OUT/curl.bin" -w "%{time_total}" "$url")
    times="$times $t"
  done
  median=$(echo $times | tr " " "\n" | sort -n | sed -n "$(( (PERF_ROUNDS + 1) / 2 ))p")
  python3 -c "import sys; t=float(sys.argv[1]); print(\"%-8s %-28s %10.3f %10.1f\" % (\"own\", \"curl (Linux, its own buffer)\", t, int(sys.argv[2]) / 1048576 / t))" "$median" "$PERF_BYTES"
'
rm -rf "$out"
