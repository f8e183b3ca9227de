#!/usr/bin/env bash
# The whole road with the real program, as a user with mouse and keyboard would take it: names with
# a refused key, a date and an hour, the reading, the six tabs, Print, Save through the real
# Save As dialog, a printout to PDF through Qt's print dialog, Back, a second reading, Exit; then a
# start with a reminder date 20 days old.
# Each window's client area has the size of its design: the one check of the sizes (the other
# tests find the windows by their roles). With SCREENSHOT_DIR set, a screenshot of each window is
# kept there.
. "$(dirname "$0")/lib.sh"
program=$1
start_display

has_size() { [ "$(client_size "$1")" = "$2" ] || fail "the $3 is $(client_size "$1"), not $2"; }

start_program
form=$FORM
has_size "$form" 475x319 "input window"
shot "$form" input-form
focus "$form"
xdotool type --delay 30 "mary"
xdotool key Tab
xdotool type --delay 30 "an7n"
box=$(wait_window '^Larkspire$') || fail "the digit brought no message"
focus "$box"; xdotool key Return
wait_gone '^Larkspire$' || fail "the message stayed"
focus "$form"
xdotool key Tab
xdotool type --delay 30 "smith"
# Day 17 and hour 14: the lists come after the button in the focus order (second, minute, hour,
# day, month, year).
xdotool key Tab Tab Tab Tab
xdotool type --delay 30 "14"
xdotool key Tab
xdotool type --delay 30 "17"
xdotool key Tab
xdotool type --delay 30 "Sep"
xdotool key Tab
xdotool type --delay 30 "1987"
xdotool key alt+g
viewer=$(window_of_role resultsWindow) || fail "the viewer did not appear"
has_size "$viewer" 522x366 "results window"
shot "$viewer" viewer
sums=""
for x in 47 127 207 288 372 464; do
  xdotool mousemove --window "$viewer" "$x" 112 click 1
  sums="$sums $(steady_sum "$viewer")"
done
[ "$(echo $sums | tr ' ' '\n' | sort -u | wc -l)" -eq 6 ] || fail "the six tabs did not show six views: $sums"

xdotool mousemove --window "$viewer" 391 329 click 1
report=$(window_of_role reportDialog) || fail "Print did not open the report"
has_size "$report" 515x506 "report window"
shot "$report" report
# The mouse on Save; the name is typed without its suffix, which the dialog adds.
xdotool mousemove --window "$report" 397 449 click 1
dialog=$(wait_window '^Larkspire$') || fail "Save opened no dialog"
focus "$dialog"
xdotool type --delay 10 "$E2E_ROOT/reading"
xdotool key Return
wait_gone '^Larkspire$' || fail "the Save As dialog stayed"
wait_for test -s "$E2E_ROOT/reading.rtf" || fail "no report was saved (the rtf suffix is added to a name without one)"
# Saved again by keyboard, to be read back.
save_report "$report" "$E2E_ROOT/again.rtf"
cmp -s "$E2E_ROOT/reading.rtf" "$E2E_ROOT/again.rtf" || fail "saving twice wrote two different files"
grep -q "Lucky Color :-" <<<"$REPORT_HTML" || fail "the saved report has no colour heading"
# The mouse on Print; in Qt's print dialog the printer "Print to File (PDF)", the last of its list,
# and the file name typed. The PDF holds the words of the saved report, and each page's number.
xdotool mousemove --window "$report" 474 449 click 1
dialog=$(wait_window '^Print$') || fail "Print opened no dialog"
focus "$dialog"
xdotool key alt+n End alt+f ctrl+a
xdotool type --delay 10 "$E2E_ROOT/reading.pdf"
xdotool key Return
wait_gone '^Print$' || fail "the print dialog stayed"
pdf_written() { tail -c 8 "$E2E_ROOT/reading.pdf" 2>/dev/null | grep -q '%%EOF'; }
wait_for pdf_written || fail "no PDF was printed to $E2E_ROOT/reading.pdf"
printed=$(pdftotext "$E2E_ROOT/reading.pdf" - | awk 'BEGIN {RS = "\f"} NF {sub(/\n[0-9]+\n*$/, ""); print}' | words)
[ "$printed" = "$(unrtf --text "$E2E_ROOT/again.rtf" | sed '/^###/d' | words)" ] \
  || fail "the printed PDF does not hold the report's words: $(echo $printed)"
close_report "$report"

focus "$viewer"
xdotool key alt+b
form=$(window_of_role inputWindow) || fail "Back did not show the input form"
focus "$form"
xdotool key alt+h a
about=$(window_of_role aboutDialog) || fail "the About box did not open"
has_size "$about" 405x239 "About box"
shot "$about" about
focus "$about"
xdotool key Return
wait_for no_window_of_role aboutDialog || fail "Enter did not close the About box"
FORM=$form
type_names "theo" "brown"
xdotool key alt+g
viewer=$(window_of_role resultsWindow) || fail "the second reading did not show the viewer"
exit_from_menu "$viewer"

# A reminder date 20 days old brings the question; No stores today and opens nothing.
stored=$(date -d '20 days ago' +%-m/%-d/%Y)
today=$(date +%-m/%-d/%Y)
mkdir -p "$XDG_CONFIG_HOME/larkspire"
printf '[Settings]\nDuration=%s\n' "$stored" > "$XDG_CONFIG_HOME/larkspire/larkspire.conf"
LC_ALL=en_US.UTF-8 "$program" &
pid=$!
PIDS+=($pid)
question=$(wait_window '^Larkspire$') || fail "no update question after 20 days"
shot "$question" update-question
focus "$question"
xdotool key Escape
window_of_role inputWindow >/dev/null || fail "the input form did not follow the question"
conf="$XDG_CONFIG_HOME/larkspire/larkspire.conf"
moved() { ! grep -q "Duration=$stored" "$conf"; }
wait_for moved || true
grep -q "Duration=" "$conf" || fail "the date is gone"
grep -q "Duration=$stored" "$conf" && fail "the date was not moved to today"
grep -q "Duration=$(date +%F)" "$conf" || fail "today was not stored in ISO form"
echo "1 passed, 0 failed"
