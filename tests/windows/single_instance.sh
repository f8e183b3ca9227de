#!/usr/bin/env bash
# The Windows build's single instance under Wine: a second copy is refused with "Application is
# already running" and ends; a copy ended hard leaves nothing that blocks the next start.
. "$(dirname "$0")/lib.sh"
program=$1
start_display
start_wine

start_program
first=$PROGRAM_PID
"$WINE" "$program" >>"$E2E_ROOT/program.log" 2>&1 &
second=$!
PIDS+=($second)
box=$(wait_window '^Larkspire$') || fail "the second copy showed no message"
[ "$(program_windows | awk '$2 == "inputWindow"' | wc -l)" -eq 1 ] || fail "the second copy showed its input window"
focus "$box"
xdotool key Return
wait_for ended "$second" || fail "the second copy did not end after OK"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"

# Ended hard: the process is killed, as a crash would end it.
kill -9 "$first"
wait "$first" 2>/dev/null || true
wait_for no_window_of_role inputWindow || fail "the killed copy's window stayed"
start_program
if xdotool search --onlyvisible --name '^Larkspire$' >/dev/null 2>&1; then
  fail "a start after a hard end showed a message"
fi
echo "1 passed, 0 failed"
