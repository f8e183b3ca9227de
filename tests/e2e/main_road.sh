#!/usr/bin/env bash
# The main road with the real program: type a name (a digit, a dead key and Compose refused), ask
# for the reading, find the viewer; a second copy is refused while the first runs; a copy killed
# with SIGKILL does not block the next start.
. "$(dirname "$0")/lib.sh"
program=$1
start_display

start_program
first=$PROGRAM_PID
# Start-up reads only PNG images, built into Qt: no image format plug-in is loaded.
if grep -q 'plugins/imageformats' "/proc/$first/maps"; then
  fail "start-up loaded image plug-ins: $(grep -o 'imageformats/[^ ]*' "/proc/$first/maps" | sort -u | tr '\n' ' ')"
fi
type_names "ann" "le1e"
box=$(wait_window '^Larkspire$') || fail "the refused key brought no message"
focus "$box"
xdotool key Return
wait_gone '^Larkspire$' || fail "the message did not close"
# Accented letters composed with a dead key or with Compose are refused as typed ones are.
for keys in "dead_acute e" "Multi_key o slash"; do
  focus "$FORM"
  xdotool key $keys
  box=$(wait_window '^Larkspire$') || fail "composing ($keys) brought no message"
  focus "$box"
  xdotool key Return
  wait_gone '^Larkspire$' || fail "the message did not close"
done
focus "$FORM"
xdotool key alt+g
window_of_role resultsWindow >/dev/null || fail "the viewer did not appear after the request"
wait_for no_window_of_role inputWindow || fail "the input form is still shown beside the viewer"

"$program" &
second=$!
PIDS+=($second)
box=$(wait_window '^Larkspire$') || fail "the second copy showed no message"
[ "$(program_windows | awk '$2 == "inputWindow"' | wc -l)" -eq 0 ] || fail "the second copy showed its input form"
focus "$box"
xdotool key Return
wait_for ended "$second" || fail "the second copy did not end after OK"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"
window_of_role resultsWindow >/dev/null || fail "the first copy's viewer is gone"

kill -9 "$first"
wait "$first" 2>/dev/null || true
wait_gone '^Larkspire v1\.45$' || fail "the killed copy's windows stayed"
start_program
if xdotool search --onlyvisible --name '^Larkspire$' >/dev/null 2>&1; then
  fail "a start after a crash showed a message"
fi
echo "1 passed, 0 failed"
