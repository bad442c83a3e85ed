#!/bin/sh
# Builds the update component's fuzzers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a bounded time.
# Usage: tests/fuzz/update/run_fuzzers.sh [seconds per fuzzer, default 20] [build dir]
# Exit status 0 when no fuzzer found a fault.
set -eu
seconds=${1:-20}
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../../.." && pwd)
out=${2:-$repo/build/fuzz/update}
mkdir -p "$out"
CXX=${CXX_FUZZ:-clang++}
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I$repo/src"
common="$repo/src/update/DateTime.cpp $repo/src/platform/Text.cpp"
$CXX $flags -o "$out/fuzz_info_file" "$here/fuzz_info_file.cpp" "$repo/src/update/UpdateInfoFile.cpp" \
  "$repo/src/update/UpdateVerification.cpp" "$repo/src/update/HexDigits.cpp" $common $(pkg-config --libs libsodium)
$CXX $flags -o "$out/fuzz_http_date" "$here/fuzz_http_date.cpp" "$repo/src/update/HttpDate.cpp" "$repo/src/update/UpdateInfoFile.cpp" \
  "$repo/src/update/HttpUrl.cpp" "$repo/src/update/HexDigits.cpp" $common
status=0
for f in info_file:info http_date:date; do
  name=${f%%:*}
  seeds=${f##*:}
  work="$out/corpus-$name"
  mkdir -p "$work"
  if "$out/fuzz_$name" -max_total_time="$seconds" -max_len=4096 -print_final_stats=0 \
       -artifact_prefix="$out/crash-$name-" "$work" "$here/corpus/$seeds" >"$out/fuzz_$name.log" 2>&1; then
    echo "fuzz_$name: no fault in ${seconds}s: $(grep -o 'Done [0-9]* runs' "$out/fuzz_$name.log" | tail -1 || true)"
  else
    echo "fuzz_$name: FAULT, see $out/fuzz_$name.log"
    tail -n 30 "$out/fuzz_$name.log"
    status=1
  fi
done
exit $status
