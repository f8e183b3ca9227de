#!/usr/bin/env bash
# The real program on a private session bus with the AT-SPI registry, walked as a screen reader
# would: in the input window, the results window and the report window every focusable control
# has a role and a name, the six lists are named by their labels and the link labels are links.
if [ -z "${LARKSPIRE_ON_SESSION_BUS:-}" ]; then
  marker="larkspire-a11y-$$"
  log=$(mktemp)
  status=0
  LARKSPIRE_ON_SESSION_BUS=$marker dbus-run-session -- "$0" "$@" >"$log" 2>&1 || status=$?
  # The services the private bus started for the test outlive it: end every process that carries
  # this run's marker in its environment.
  for environ in /proc/[0-9]*/environ; do
    if grep -qaz "^LARKSPIRE_ON_SESSION_BUS=$marker\$" "$environ" 2>/dev/null; then
      pid=${environ#/proc/}
      kill -9 "${pid%/environ}" 2>/dev/null || true
    fi
  done
  grep -v 'Failed to set fd limit' "$log" || true
  rm -f "$log"
  exit "$status"
fi
. "$(dirname "$0")/lib.sh"
program=$1
start_display

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
PIDS+=($!)
bus_up() {
  dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1
}
wait_for bus_up || fail "the accessibility bus did not start"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The walk waits for the program's tree to be complete.
walk() { /usr/bin/python3 "$(dirname "$0")/atspi_walk.py" "$@"; }

start_program
walk input || fail "the input window's tree (above)"
type_names "ann" "lee"
xdotool key alt+g
window_of_width 522 >/dev/null || fail "the results window did not appear"
walk results || fail "the results window's tree (above)"
focus "$(window_of_width 522)"
xdotool key alt+p
window_of_width 515 >/dev/null || fail "the report window did not appear"
walk report || fail "the report window's tree (above)"
echo "1 passed, 0 failed"
