#!/usr/bin/env bash
# The main road with the real program: type a name (a digit, a dead key and Compose refused), ask
# for the reading, find the viewer; a second copy is refused while the first runs; a copy killed
# with SIGKILL does not block the next start. Then the roads text takes besides the keys: a name
# pasted with a middle click, and the report pasted into by Ctrl+V, Shift+Insert and the middle
# button from another program's clipboard (plain text, Markdown first, HTML, a picture, or
# nothing at all); and a save beyond the file size limit (ulimit -f).
. "$(dirname "$0")/lib.sh"
program=$1
owner=$2
start_display

start_program
# Start-up reads only PNG images, built into Qt: no image format plug-in is loaded.
if grep -q 'plugins/imageformats' "/proc/$PROGRAM_PID/maps"; then
  fail "start-up loaded image plug-ins: $(grep -o 'imageformats/[^ ]*' "/proc/$PROGRAM_PID/maps" | sort -u | tr '\n' ' ')"
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

check_single_instance

# A first name pasted with the middle button from another program's selection counts as typed:
# ANN (29, reduced to 11) gives Mauve and a first health number; "ann" as it was pasted gave
# Greenish Blue and none.
offer --selection "text/plain=ann"
focus "$FORM"
click_at "$FORM" 87 99 2
xdotool key Tab Tab
xdotool type --delay 30 "LEE"
xdotool key alt+g
viewer=$(window_of_role resultsWindow) || fail "the reading of a pasted name did not come"
focus "$viewer"
xdotool key alt+p
report=$(window_of_role reportDialog) || fail "Alt+P did not open the report"
pid=$PROGRAM_PID
# Into the report, from another program: Markdown first (with HTML and a picture behind it), then
# whatever an emptied clipboard holds (Shift+Insert), the middle button with no selection anywhere,
# and plain text from xclip. Only plain text comes in, and the program lives on.
offer "text/markdown=# Heading
- listed one
- listed two" "text/html=<ul><li>in html</li></ul>" image
focus "$report"
xdotool key ctrl+End ctrl+v
xdotool key shift+Insert
click_at "$report" 200 300 2
kill -0 "$pid" 2>/dev/null || fail "a paste into the report ended the program"
printf 'from xclip' | xclip -selection clipboard
focus "$report"
xdotool key ctrl+End ctrl+v
save_report "$report" "pasted" "$E2E_ROOT/work/pasted.rtf"
grep -q "Lucky Color :-Mauve" <<<"$REPORT_HTML" || fail "the pasted first name did not count as ANN"
grep -q "First Health Indication :-[1-9]" <<<"$REPORT_HTML" || fail "the pasted first name gave no first health number"
grep -q "from xclip" <<<"$REPORT_HTML" || fail "plain text pasted from xclip did not come in"
for offered in "Heading" "listed one" "in html" "<img"; do
  grep -q "$offered" <<<"$REPORT_HTML" && fail "the report took '$offered' from a clipboard without plain text"
done
kill -9 "$pid"
wait "$pid" 2>/dev/null || true

# A save beyond the file size limit (2 KB; the report is larger) fails with a message and leaves
# the old file as it was; the system's signal for it does not end the program.
rm -f "$E2E_ROOT/work/pasted.rtf"
PROGRAM_RUNNER=(bash -c 'ulimit -f 2 && exec "$@"' limited)
start_program
PROGRAM_RUNNER=()
pid=$PROGRAM_PID
printf 'old report' >"$E2E_ROOT/work/limited.rtf"
type_names "ann" "lee"
xdotool key alt+g
viewer=$(window_of_role resultsWindow) || fail "no reading under the file size limit"
focus "$viewer"
xdotool key alt+p
report=$(window_of_role reportDialog) || fail "Alt+P did not open the report"
xdotool key alt+s
dialog=$(wait_window '^Larkspire$') || fail "Save opened no dialog"
focus "$dialog"
xdotool type --delay 10 "limited"
xdotool key Return
# The question whether to replace the file (Yes), then the failure (OK).
for answer in alt+y Return; do
  box=$(wait_window '^Larkspire$') || fail "no box followed the save (waiting to answer $answer)"
  focus "$box"
  xdotool key "$answer"
  box_gone() { ! xdotool search --onlyvisible --name '^Larkspire$' 2>/dev/null | grep -qx "$box"; }
  wait_for box_gone || fail "the box answered with $answer stayed"
done
kill -0 "$pid" 2>/dev/null || fail "a save beyond the file size limit ended the program"
[ "$(cat "$E2E_ROOT/work/limited.rtf")" = "old report" ] || fail "the failed save changed the old file"
[ "$(ls "$E2E_ROOT/work")" = "limited.rtf" ] || fail "the failed save left files: $(ls "$E2E_ROOT/work")"
echo "1 passed, 0 failed"
