#!/usr/bin/env bash
# The command line: --help and --version answer without a display and exit 0; an unknown option is
# refused with status 2; a start without a display, or with one that cannot be reached, says why
# in one line and exits 1; Qt's own -platform option counts as a display of its own.
. "$(dirname "$0")/lib.sh"
program=$1
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }
# Runs the program as given; STATUS is its exit status, ERR what it wrote to standard error.
run() { set +e; ERR=$("$@" 2>&1 >/dev/null); STATUS=$?; set -e; }

version=$(bare --version)
[ "$(head -n1 <<<"$version")" = "Larkspire 1.45" ] || fail "--version printed '$version'"
grep -q '^Copyright (C) 2026 Larkspire developers' <<<"$version" || fail "--version names no copyright"
grep -q '^License Expat' <<<"$version" || fail "--version names no licence"
help=$(bare --help)
grep -q '^Usage: larkspire' <<<"$help" || fail "--help printed no usage"
grep -q 'larkspire.conf' <<<"$help" || fail "--help does not say where the setting is kept"
[ "$(tail -n2 <<<"$help")" = "Report bugs to: <larkspire@example.com>
Larkspire home page: <https://www.example.com/larkspire/>" ] || fail "--help does not end with where to report problems"

for option in --frobnicate -x --display; do
  run bare $option
  [ "$STATUS" -eq 2 ] || [ "$option" = --display ] || fail "$option ended with $STATUS"
done
run bare --frobnicate
[ "$ERR" = "larkspire: unrecognized option '--frobnicate'
Try 'larkspire --help' for more information." ] || fail "an unknown option said '$ERR'"

run bare
[ "$STATUS" -eq 1 ] || fail "without a display the program ended with $STATUS"
[ "$ERR" = "Larkspire needs a graphical display: DISPLAY or WAYLAND_DISPLAY is not set" ] \
  || fail "without a display it said '$ERR'"

# Displays that are set but cannot be reached: one line that names the display, status 1.
run env -u WAYLAND_DISPLAY DISPLAY=:97 "$program"
[ "$STATUS" -eq 1 ] && [ "$ERR" = "Larkspire cannot reach the X display :97" ] \
  || fail "with a dead display it ended with $STATUS and said '$ERR'"
run env -u WAYLAND_DISPLAY DISPLAY=no-such-host.invalid:0 "$program"
[ "$STATUS" -eq 1 ] && [ "$ERR" = "Larkspire cannot reach the X display no-such-host.invalid:0" ] \
  || fail "with an unreachable host it ended with $STATUS and said '$ERR'"
run env -u DISPLAY WAYLAND_DISPLAY=wayland-gone "$program"
[ "$STATUS" -eq 1 ] && [ "$ERR" = "Larkspire cannot reach the Wayland display wayland-gone" ] \
  || fail "with a dead Wayland display it ended with $STATUS and said '$ERR'"
run bare -display :97
[ "$STATUS" -eq 1 ] && [ "$ERR" = "Larkspire cannot reach the X display :97" ] \
  || fail "with -display :97 it ended with $STATUS and said '$ERR'"

# Qt's -platform option chooses a platform as QT_QPA_PLATFORM does: the program starts and takes
# its lock (which holds its process number).
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" -platform offscreen >/dev/null 2>"$E2E_ROOT/offscreen.log" &
PIDS+=($!)
started() { grep -qx "$1" "$XDG_RUNTIME_DIR/larkspire.lock" 2>/dev/null; }
wait_for started "$!" || { cat "$E2E_ROOT/offscreen.log" >&2; fail "-platform offscreen did not start"; }
echo "1 passed, 0 failed"
