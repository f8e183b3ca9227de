#!/usr/bin/env bash
# The whole road without the mouse: access keys, Tab, the arrow keys in the lists and the tab strip;
# undo in the report, and the Save As dialog as it opens each time.
. "$(dirname "$0")/lib.sh"
program=$1
start_display

start_program
pid=$PROGRAM_PID
read_ann_lee steady_sum
viewer=$VIEWER

xdotool key alt+p
report=$(window_of_role reportDialog) || fail "Alt+P did not open the report"
# A note typed at the end and undone again, and more undo than there were edits: the report as
# composed stays whole.
focus "$report"
xdotool key ctrl+End
xdotool type --delay 10 "A note of mine."
for _ in $(seq 20); do xdotool key ctrl+z; done
# The Save As dialog offers no name and opens in the folder the program was started in.
save_report "$report" "by-keyboard" "$E2E_ROOT/work/by-keyboard.rtf"
# Ann Lee, 3 February 1901 (a Sunday) at hour 3: lucky number 2; ANN 29 reduces to 11, LEE is 22, 33 reduces to 6.
grep -q "Lucky Number :-2" <<<"$REPORT_HTML" || fail "the lucky number of 3 February 1901 at 3 is not 2"
grep -q "Money Number :-6" <<<"$REPORT_HTML" || fail "the money number of ANN LEE is not 6"
# The same bytes as the Windows build saves for the same reading (tests/windows/road.sh).
cmp -s "$E2E_ROOT/work/by-keyboard.rtf" "$(dirname "$0")/../data/ann-lee-3-february-1901.rtf" \
  || fail "the saved report differs from tests/data/ann-lee-3-february-1901.rtf"
for heading in "Lucky Color :-" "First Health Indication :-" "First Health Influence :-" "Second Health Indication :-"; do
  grep -q "$heading" <<<"$REPORT_HTML" || fail "undo took '$heading' out of the report"
done
grep -q "A note of mine" <<<"$REPORT_HTML" && fail "the note was not undone"
mkdir -p "$E2E_ROOT/other"
save_report "$report" "$E2E_ROOT/other/elsewhere"
focus "$report"
xdotool key Escape
wait_for no_window_of_role reportDialog || fail "Escape did not close the report"
# Opened again, the dialog has forgotten the other folder.
focus "$viewer"
xdotool key alt+p
report=$(window_of_role reportDialog) || fail "Alt+P did not open the report again"
save_report "$report" "again" "$E2E_ROOT/work/again.rtf"
focus "$report"
xdotool key Escape
wait_for no_window_of_role reportDialog || fail "Escape did not close the report"

focus "$viewer"
xdotool key alt+b
FORM=$(window_of_role inputWindow) || fail "Alt+B did not show the input form"
type_names "bob" "ray"
xdotool key alt+f i
viewer=$(window_of_role resultsWindow) || fail "File, Get My Interpretation showed no viewer"
focus "$viewer"
xdotool key alt+f Up Return
wait_for ended "$pid" || fail "File, Exit did not end the program"
echo "1 passed, 0 failed"
