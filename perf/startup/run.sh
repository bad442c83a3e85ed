#!/usr/bin/env bash
# Start-up benchmark: builds lumenrig.exe (win64) and perf_startup.exe (wintest), then runs
# the launcher five times in a Wine prefix of its own under a private Xvfb, with the game's
# registry keys present so that start-up goes through every step.
#   perf/startup/run.sh [runs]
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
build=${LUMENRIG_BUILD_DIR:-$repo/build}
runs=${1:-5}
cmake --preset win64 -S "$repo" -B "$build/win64" >/dev/null
cmake --build "$build/win64" -j2 --target dist >/dev/null
cmake --preset wintest -S "$repo" -B "$build/wintest" >/dev/null
cmake --build "$build/wintest" -j2 --target perf_startup >/dev/null

export WINEPREFIX=${PERF_WINEPREFIX:-$build/wine/perf-startup} WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -f "$fdfile"' EXIT
for _ in $(seq 50); do [[ -s $fdfile ]] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '\n' <"$fdfile")"
wineserver -p  # one server for the whole benchmark: each wine call is then fast
wineboot -i >/dev/null 2>&1 || true
# Wine's own fonts (package fonts-wine) where Wine finds them, so that the skin's
# "MS Sans Serif" is the bitmap face that Windows has, not a stand-in.
if [[ -d /usr/share/wine/fonts ]]; then
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
# The game, as its installer registers it (32-bit view), with an empty install folder.
game="$WINEPREFIX/drive_c/Games/SCCT"
mkdir -p "$game/system"
ubi='HKLM\Software\Ubisoft\Tom Clancy'"'"'s Splinter Cell Chaos Theory'
wine reg add "$ubi" /v InstallDir /d 'C:\Games\SCCT' /f /reg:32 >/dev/null
wine reg add "$ubi\\Versions" /v SplinterCell3 /d 1.05.157 /f /reg:32 >/dev/null
dist=$(winepath -w "$build/win64/dist/lumenrig.exe")
report=$(mktemp)
# Inside Wine's virtual desktop, like the end-to-end tests: outside it every closing window
# (the splash) waits 2 s for a window manager that Xvfb does not have.
wine explorer /desktop=perf,1024x768 "$build/wintest/perf/startup/perf_startup.exe" \
  "$dist" "$runs" "$(winepath -w "$report")" >/dev/null 2>&1 || true
cat "$report"
rm -f "$report"
