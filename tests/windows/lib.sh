# Helpers for the tests of the Windows build under Wine, on top of those of the Linux end-to-end
# tests (a private Xvfb, waiting for windows, typing names): a private Wine prefix, the program
# started under Wine, and pictures of Wine's windows. Sourced by each test script.
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

export WINEPREFIX="$E2E_ROOT/wine"
export WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko to offer; winemenubuilder would copy shortcuts into the host's menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
WINE=/usr/lib/wine/wine64

# The prefix's processes end with the test, whatever way it ends.
wine_cleanup() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  cleanup
}
trap wine_cleanup EXIT

# Makes the private prefix (about ten seconds). No window manager runs on the test display, so
# Wine draws the windows' frames itself rather than waiting for one (two seconds whenever a window
# is hidden): a window is then its frame's width wider than the program makes it.
start_wine() {
  timeout 120 "$WINE" wineboot -i >"$E2E_ROOT/wineboot.log" 2>&1 \
    || { cat "$E2E_ROOT/wineboot.log" >&2; fail "Wine could not make its prefix"; }
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || fail "Wine's registry"
}
# Wine gives the windows no role (WM_WINDOW_ROLE is Qt's X11 platform's alone): a program window
# is known here by the client width of its design, which the Linux build's tests check beside its
# role (whole_road.sh). Wine's frame adds 6 pixels to the width.
window_role() {
  case $(( $(xwininfo -id "$1" | awk '/Width:/ {print $2}') - 6 )) in
    475) echo inputWindow ;;
    522) echo resultsWindow ;;
    515) echo reportDialog ;;
    405) echo aboutDialog ;;
  esac
}

# Runs a check every 0.2 s until it holds, for at most the given number of seconds: Wine starts
# programs more slowly than wait_for allows.
wait_until() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  while ! "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# start_program starts the program under Wine.
PROGRAM_RUNNER=("$WINE")

# The Windows path of a file of the Linux host, as Wine's Z: drive shows it.
windows_path() { echo "Z:${1//\//\\}"; }

# A checksum of a window's picture once it has stopped changing. Wine's windows are taken from
# the screen, not asked for their own contents.
steady_window_sum() {
  local window=$1 geometry previous="" sum
  geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h "+" x "+" y}')
  for _ in $(seq 50); do
    sum=$(import -window root -crop "$geometry" png:- 2>/dev/null | md5sum | cut -c1-8)
    [ "$sum" = "$previous" ] && { echo "$sum"; return 0; }
    previous=$sum
  done
  fail "window $window never stopped changing"
}
