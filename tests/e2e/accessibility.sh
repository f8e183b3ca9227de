#!/usr/bin/env bash
# The real program on a private session bus with the AT-SPI registry, walked as a screen reader
# would: in the input window, the results window, the report window and the About box every
# focusable control has a role and a name, the six lists are named by their labels, the link
# labels are links and each window has a description of its own; the focused description box
# speaks its result and value, and the page tabs tell which is selected and which has the focus,
# and a change of tab tells of both the tab selected and the tab left. Every text of every window
# answers a screen reader's questions about its text at any offset and boundary at once, and the
# program is idle afterwards.
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

# Idle: soon after the questions, the program spends ten polls 0.1 s apart with at most 50 ms of
# processor time (in ticks of 10 ms). A program that works on takes more as the polls take longer.
TICKS=()
quiet_second() {
  TICKS+=("$(awk '{print $14 + $15}' "/proc/$PROGRAM_PID/stat")")
  local n=${#TICKS[@]}
  [ "$n" -gt 10 ] && [ $((TICKS[n - 1] - TICKS[n - 11])) -le 5 ]
}
idle() {
  TICKS=()
  wait_for quiet_second || fail "the program is busy after the questions (ticks every 0.1 s: ${TICKS[*]})"
}

start_program
walk input || fail "the input window's tree (above)"
type_names "ann" "lee"
walk text || fail "the input window's texts (above)"
idle
xdotool key alt+g
results=$(window_of_role resultsWindow) || fail "the results window did not appear"
# ANN LEE, 1 January 1900 (a Sunday in this calendar) at hour 0: lucky number 1; ANN is 29,
# reduced to 11, the colour Mauve.
focus "$results"
walk results "Lucky Number is  1" || fail "the results window's tree (above)"
walk tab-events || fail "the change of tab (above)"
walk results "Lucky Color is  Mauve" || fail "the results window's tree on its second tab (above)"
walk text || fail "the results window's texts (above)"
xdotool key Tab
walk tabs || fail "the tab strip with the focus (above)"
xdotool key alt+p
window_of_role reportDialog >/dev/null || fail "the report window did not appear"
walk report || fail "the report window's tree (above)"
walk text || fail "the report's texts (above)"
idle
xdotool key Escape
wait_for no_window_of_role reportDialog || fail "the report window did not close"
focus "$results"
xdotool key alt+h a
window_of_role aboutDialog >/dev/null || fail "the About box did not appear"
walk about || fail "the About box's tree (above)"
walk text || fail "the About box's texts (above)"
echo "1 passed, 0 failed"
