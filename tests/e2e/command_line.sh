#!/usr/bin/env bash
# The command line: --help and --version answer without a display and exit 0; a start without a
# display says why in one line and exits 1.
set -euo pipefail
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }

[ "$(bare --version)" = "Larkspire 1.45" ] || fail "--version printed '$(bare --version)'"
bare --help | grep -q '^Usage: larkspire' || fail "--help printed no usage"
bare --help | grep -q 'larkspire.conf' || fail "--help does not say where the setting is kept"
set +e
message=$(bare 2>&1 >/dev/null)
status=$?
set -e
[ "$status" -eq 1 ] || fail "without a display the program ended with $status"
[ "$message" = "Larkspire needs a graphical display: DISPLAY or WAYLAND_DISPLAY is not set" ] \
  || fail "without a display it said '$message'"
echo "1 passed, 0 failed"
