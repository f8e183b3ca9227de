#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's own Wine prefix (made on first
# use): CTest's emulator for the cross-built tests.
#
#   tests/windows/wine.sh PREFIX PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
export WINEPREFIX=$1
shift
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: the prefix needs neither, and asking for them would block.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # Windows that no window manager manages: with none on the test display, Wine would otherwise
  # wait two seconds for one each time a window is hidden.
  flock "$WINEPREFIX" sh -c '/usr/lib/wine/wine64 wineboot -i &&
    /usr/lib/wine/wine64 reg add "HKCU\Software\Wine\X11 Driver" /v Managed /d N /f' >/dev/null 2>&1 || true
fi
exec /usr/lib/wine/wine64 "$@"
