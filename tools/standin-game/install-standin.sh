#!/usr/bin/env bash
# Installs the stand-in game into a Wine prefix the way the game's installer would leave
# it, as far as the launcher can tell: the executable in <InstallDir>\system\, the game's
# registry keys in the 32-bit view, and the configuration folder with a player's own
# SplinterCell3.ini (so that backup and restore can be seen).
#
#   WINEPREFIX=... install-standin.sh STANDIN_BUILD_DIR [INSTALL_DIR]
#
# STANDIN_BUILD_DIR is <build>/standin (holds Splintercell3.exe); INSTALL_DIR is a Windows
# path, default "C:\Games\Splinter Cell Chaos Theory".
# STANDIN_SWITCHES, when set, is written to StandinControl.txt beside the executable
# ("delay=1500", "result.1024=none;exitcode=3", ...; see StandinLogic.h).
set -euo pipefail

build=${1:?usage: install-standin.sh STANDIN_BUILD_DIR [INSTALL_DIR]}
install_win=${2:-'C:\Games\Splinter Cell Chaos Theory'}
: "${WINEPREFIX:?set WINEPREFIX to the Wine prefix}"
[[ -f $build/Splintercell3.exe ]] || { echo "install-standin: no $build/Splintercell3.exe" >&2; exit 1; }

game_key="HKLM\\SOFTWARE\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory"
system_unix=$(winepath -u "$install_win\\system" 2>/dev/null)
config_unix="$WINEPREFIX/drive_c/ProgramData/Ubisoft/Tom Clancy's Splinter Cell Chaos Theory"

mkdir -p "$system_unix" "$config_unix"
cp "$build/Splintercell3.exe" "$system_unix/Splintercell3.exe"
if [[ -n ${STANDIN_SWITCHES:-} ]]; then
  printf '%s\r\n' "${STANDIN_SWITCHES//;/$'\r\n'}" >"$system_unix/StandinControl.txt"
else
  rm -f "$system_unix/StandinControl.txt"
fi
if [[ ! -f $config_unix/SplinterCell3.ini ]]; then
  printf '; The player'"'"'s own settings (written by the stand-in installer).\r\n[WinDrv.WindowsClient]\r\nFullscreenViewportX=1280\r\nFullscreenViewportY=1024\r\n' \
    >"$config_unix/SplinterCell3.ini"
fi

wine reg add "$game_key" /v InstallDir /t REG_SZ /d "$install_win" /f /reg:32 >/dev/null
wine reg add "$game_key\\Versions" /v SplinterCell3 /t REG_SZ /d 1.05.157 /f /reg:32 >/dev/null
echo "install-standin: stand-in game in $install_win\\system, version 1.05.157 registered"
