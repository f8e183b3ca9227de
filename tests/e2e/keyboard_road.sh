#!/usr/bin/env bash
# The whole road without the mouse: access keys, Tab, the arrow keys in the lists and the tab strip;
# undo in the report, and the Save As dialog as it opens each time.
. "$(dirname "$0")/lib.sh"
program=$1
start_display

# The Save As dialog offers no name and opens in the folder the program was started in.
save_ann_lee steady_sum "by-keyboard" "$E2E_ROOT/work/by-keyboard.rtf"
viewer=$VIEWER
report=$REPORT
# A note typed at the end and undone again, and more undo than there were edits: the report as
# composed stays whole.
focus "$report"
xdotool key ctrl+End
xdotool type --delay 10 "A note of mine."
for _ in $(seq 20); do xdotool key ctrl+z; done
mkdir -p "$E2E_ROOT/other"
save_report "$report" "$E2E_ROOT/other/elsewhere"
cmp -s "$E2E_ROOT/other/elsewhere.rtf" "$ANN_LEE_REPORT" || fail "undo did not bring back the report as composed"
close_report "$report"
# Opened again, the dialog has forgotten the other folder.
focus "$viewer"
xdotool key alt+p
report=$(window_of_role reportDialog) || fail "Alt+P did not open the report again"
save_report "$report" "again" "$E2E_ROOT/work/again.rtf"
close_report "$report"

focus "$viewer"
xdotool key alt+b
FORM=$(window_of_role inputWindow) || fail "Alt+B did not show the input form"
type_names "bob" "ray"
xdotool key alt+f i
viewer=$(window_of_role resultsWindow) || fail "File, Get My Interpretation showed no viewer"
exit_from_menu "$viewer"
echo "1 passed, 0 failed"
