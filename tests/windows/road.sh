#!/usr/bin/env bash
# The Windows build's road of one reading under Wine: --help names the settings file as Windows
# keeps it; type names and pick a date and hour, get the reading,
# step through the six tabs, open the report and save it through Windows' own Save As dialog. The
# saved file is byte for byte the one the Linux build saves for the same reading.
. "$(dirname "$0")/lib.sh"
program=$1
start_display
start_wine

# The command line on Windows: --help says where Windows keeps the setting, with its separators.
help=$("$WINE" "$program" --help 2>/dev/null | tr -d '\r') || fail "--help failed under Wine"
grep -qiE '^[A-Z]:\\users\\[^\\]+\\AppData\\Local\\larkspire\\larkspire\.conf$' <<<"$help" \
  || fail "--help does not name the settings file as Windows keeps it: $help"

start_program
pid=$PROGRAM_PID
read_ann_lee steady_window_sum
viewer=$VIEWER

xdotool key alt+p
report=$(window_of_role reportDialog) || fail "Alt+P did not open the report"
focus "$report"
xdotool key alt+s
dialog=$(wait_window '^Larkspire$') || fail "Save opened no dialog"
focus "$dialog"
saved="$E2E_ROOT/work/ann-lee.rtf"
mkdir -p "$E2E_ROOT/work"
xdotool type --delay 10 "$(windows_path "$saved")"
xdotool key Return
wait_for test -s "$saved" || fail "no report was saved as $saved"
cmp -s "$saved" "$(dirname "$0")/../data/ann-lee-3-february-1901.rtf" \
  || fail "the report saved on Windows differs from the Linux build's (tests/data/ann-lee-3-february-1901.rtf)"

focus "$report"
xdotool key Escape
wait_for no_window_of_role reportDialog || fail "Escape did not close the report"
focus "$viewer"
xdotool key alt+f Up Return
wait_for ended "$pid" || fail "File, Exit did not end the program"
echo "1 passed, 0 failed"
