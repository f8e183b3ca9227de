#!/usr/bin/env bash
# The command line: --help and --version answer without a display and exit 0; an option Qt does
# not read either, or one in a form Qt does not read, is refused with status 2; a start without a
# display says so in one line, and one with a display that cannot be reached names it in one line
# followed by Qt's own reason (its warnings, or its fatal message when it warned of nothing), and
# exits 1; Qt's own -platform option counts as a display of its own.
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
# Where this system keeps the setting: here, under the test's own XDG_CONFIG_HOME.
grep -qxF "$XDG_CONFIG_HOME/larkspire/larkspire.conf" <<<"$help" || fail "--help does not say where the setting is kept: $help"
# The home page is the one the program opens.
home=$(sed -n 's/.*kHomePage = QStringLiteral("\([^"]*\)").*/\1/p' "$(dirname "$0")/../../model/WebPages.h")
[ -n "$home" ] || fail "model/WebPages.h names no home page"
[ "$(tail -n2 <<<"$help")" = "Report bugs to: <larkspire@example.com>
Larkspire home page: <$home>" ] || fail "--help does not end with where to report problems"

# Which options Qt reads, and the exact refusals, are test_command_line's table; here, the
# program's own status and words.
for option in --frobnicate -x; do
  run bare $option none
  [ "$STATUS" -eq 2 ] || fail "$option ended with $STATUS"
done
run bare --frobnicate
[ "$ERR" = "larkspire: unrecognized option '--frobnicate'
Try 'larkspire --help' for more information." ] || fail "an unknown option said '$ERR'"
# Qt 6.4 takes -platform's value only as the next word: "-platform=NAME" would choose nothing
# (and then fail without a display, or run on X with one); it is refused before Qt starts.
# A display number nobody serves here, for the displays that cannot be reached.
for gone in $(seq 97 199); do [ -e /tmp/.X11-unix/X$gone ] || [ -e /tmp/.X$gone-lock ] || break; done
for display in "" :$gone; do
  run env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=$display "$program" -platform=offscreen
  [ "$STATUS" -eq 2 ] && [ "$ERR" = "larkspire: unrecognized option '-platform=offscreen' (Qt takes '-platform offscreen')
Try 'larkspire --help' for more information." ] || fail "-platform=offscreen (DISPLAY '$display') ended with $STATUS and said '$ERR'"
done

run bare
[ "$STATUS" -eq 1 ] || fail "without a display the program ended with $STATUS"
[ "$ERR" = "Larkspire needs a graphical display: DISPLAY or WAYLAND_DISPLAY is not set" ] \
  || fail "without a display it said '$ERR'"

# Displays that are set but cannot be reached: one line that names the display, then Qt's own
# reason (the warnings it logged), status 1; not the advice of Qt's fatal message to reinstall.
unreachable() {
  local line=$1 reason=$2
  shift 2
  run "$@"
  [ "$STATUS" -eq 1 ] && [ "$(head -n1 <<<"$ERR")" = "$line" ] || fail "$* ended with $STATUS and said '$ERR'"
  tail -n +2 <<<"$ERR" | grep -qF "$reason" || fail "$* did not give Qt's reason ('$reason') after its line: '$ERR'"
  ! grep -q "Reinstall" <<<"$ERR" || fail "$* advised to reinstall: '$ERR'"
}
unreachable "Larkspire cannot reach the X display :$gone" "could not connect to display :$gone" \
  env -u WAYLAND_DISPLAY DISPLAY=:$gone "$program"
unreachable "Larkspire cannot reach the X display no-such-host.invalid:0" "could not connect to display no-such-host.invalid:0" \
  env -u WAYLAND_DISPLAY DISPLAY=no-such-host.invalid:0 "$program"
unreachable "Larkspire cannot reach the Wayland display wayland-gone" "Could not load the Qt platform plugin" \
  env -u DISPLAY WAYLAND_DISPLAY=wayland-gone "$program"
unreachable "Larkspire cannot reach the X display :$gone" "could not connect to display :$gone" bare -display :$gone
unreachable "Larkspire cannot reach the X display (DISPLAY is not set)" "could not connect to display" bare -platform xcb
# A platform plug-in that is not there is named as such, with the plug-ins there are.
unreachable "Larkspire cannot reach a display through Qt's platform plug-in \"nosuch\"" \
  'Could not find the Qt platform plugin "nosuch"' bare -platform nosuch
# With Qt's warnings switched off, its fatal message is the only reason there is, and is said whole.
run env -u WAYLAND_DISPLAY QT_LOGGING_RULES='qt.qpa.*=false' DISPLAY=:$gone "$program"
[ "$STATUS" -eq 1 ] && [ "$(head -n1 <<<"$ERR")" = "Larkspire cannot reach the X display :$gone" ] \
  && grep -q "^Available platform plugins are: .*offscreen" <<<"$ERR" || fail "without Qt's warnings it said '$ERR'"

# Qt's -platform option chooses a platform as QT_QPA_PLATFORM does: the program starts and takes
# its lock (which holds its process number). Qt's other options, in the forms Qt reads, are taken.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" -platform offscreen -style=Fusion --reverse \
  -qwindowtitle Title -widgetcount >/dev/null 2>"$E2E_ROOT/offscreen.log" &
PIDS+=($!)
started() { grep -qx "$1" "$XDG_RUNTIME_DIR/larkspire.lock" 2>/dev/null; }
wait_for started "$!" || { cat "$E2E_ROOT/offscreen.log" >&2; fail "-platform offscreen did not start"; }
echo "1 passed, 0 failed"
