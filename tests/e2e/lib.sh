# Helpers for the end-to-end tests: a private Xvfb display, a fresh settings folder, starting the
# program and typing names, saving and reading back a report, and waiting for windows and
# pictures. Every wait is on a condition, never a fixed time. Sourced by each test script.
set -euo pipefail

E2E_ROOT=$(readlink -f "$(mktemp -d /tmp/larkspire-e2e.XXXXXX)")
export XDG_CONFIG_HOME="$E2E_ROOT/config"
export XDG_RUNTIME_DIR="$E2E_ROOT/runtime"
export HOME="$E2E_ROOT/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM || true

PIDS=()
XVFB=
cleanup() {
  for pid in "${PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  # Xvfb removes its socket and lock file when asked to end, not when killed.
  if [ -n "$XVFB" ]; then kill -TERM "$XVFB" 2>/dev/null || true; wait "$XVFB" 2>/dev/null || true; fi
  rm -rf "$E2E_ROOT"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts a private Xvfb on a display number it chooses itself (-displayfd), so that displays left
# over by other programs never get in the way. -noreset keeps the server up when its last client
# leaves, as happens between two starts of the program.
start_display() {
  Xvfb -displayfd 1 -noreset -screen 0 1024x768x24 -nolisten tcp >"$E2E_ROOT/display" 2>/dev/null &
  XVFB=$!
  for _ in $(seq 100); do
    if [ -s "$E2E_ROOT/display" ]; then
      export DISPLAY=":$(head -n1 "$E2E_ROOT/display")"
      for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    fi
    sleep 0.1
  done
  fail "no X display could be started"
}

# Prints the id of the first visible window whose title matches the pattern, waiting up to 20 s.
wait_window() {
  local pattern=$1
  for _ in $(seq 200); do
    local id
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# Runs a check every 0.1 s until it holds, for up to 30 s (what a loaded machine may need for what
# an idle one does at once); false when it never did.
wait_for() {
  local deadline=$((SECONDS + 30))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

no_window() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
no_window_of_role() { ! program_windows | awk -v r="$1" '$2 == r' | grep -q .; }
ended() { ! kill -0 "$1" 2>/dev/null; }

# True when no visible window matches, waiting up to 30 s for it to go.
wait_gone() { wait_for no_window "$1"; }

# The role of a program window: the object name of its widget (Theme's setUpWindow makes it the
# window's role, X11's WM_WINDOW_ROLE): inputWindow, resultsWindow, reportDialog or aboutDialog.
window_role() {
  xprop -id "$1" WM_WINDOW_ROLE 2>/dev/null | sed -n 's/^WM_WINDOW_ROLE(STRING) = "\(.*\)"$/\1/p'
}

# The size of a window's client area, as WIDTHxHEIGHT.
client_size() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }

# Window ids of the visible windows titled exactly "Larkspire v1.45", with their roles.
program_windows() {
  for id in $(xdotool search --onlyvisible --name '^Larkspire v1\.45$' 2>/dev/null); do
    echo "$id $(window_role "$id")"
  done
}

# The id of the visible program window of the given role, waiting up to 20 s for it.
window_of_role() {
  local role=$1
  for _ in $(seq 200); do
    local id
    id=$(program_windows | awk -v r="$role" '$2 == r {print $1; exit}')
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || true; wait_for focused "$1" || fail "window $1 never took the focus"; }

# What the program is started with: nothing here, Wine for the Windows build.
PROGRAM_RUNNER=()

# Starts the program (with any arguments) in the folder $E2E_ROOT/work, in the background:
# LAUNCHED is the process.
launch_program() {
  local exe
  exe=$(readlink -f "$program")
  mkdir -p "$E2E_ROOT/work"
  (cd "$E2E_ROOT/work" && exec "${PROGRAM_RUNNER[@]}" "$exe" "$@" 2>>"$E2E_ROOT/program.log") &
  LAUNCHED=$!
  PIDS+=("$LAUNCHED")
}

# Starts the program (with any arguments) and waits for its input window: PROGRAM_PID is the
# process, FORM the window.
start_program() {
  launch_program "$@"
  PROGRAM_PID=$LAUNCHED
  FORM=$(window_of_role inputWindow) || { cat "$E2E_ROOT/program.log" >&2; fail "the input window did not appear"; }
}

# The single instance, while PROGRAM_PID runs: a second copy, started the same way, is refused with
# a message box ("Larkspire") and no window of its own, and ends after OK; the first lives on with
# its windows as they were. Then the first is killed, as a crash would end it, and the next start
# shows its input window (FORM, PROGRAM_PID) and no message.
check_single_instance() {
  local first=$PROGRAM_PID windows box
  windows=$(program_windows)
  launch_program
  box=$(wait_window '^Larkspire$') || fail "the second copy showed no message"
  [ "$(program_windows)" = "$windows" ] || fail "the second copy showed a window of its own"
  focus "$box"
  xdotool key Return
  wait_for ended "$LAUNCHED" || fail "the second copy did not end after OK"
  kill -0 "$first" 2>/dev/null || fail "the first copy ended"
  [ "$(program_windows)" = "$windows" ] || fail "the first copy's windows changed"
  kill -9 "$first"
  wait "$first" 2>/dev/null || true
  wait_gone '^Larkspire v1\.45$' || fail "the killed copy's windows stayed"
  start_program
  no_window '^Larkspire$' || fail "a start after a hard end showed a message"
}

# Types a first and a last name (and a middle name, when given) into the input window.
type_names() {
  local first=$1 last=$2 middle=${3:-}
  focus "$FORM"
  xdotool type --delay 30 "$first"
  xdotool key Tab
  [ -n "$middle" ] && xdotool type --delay 30 "$middle"
  xdotool key Tab
  xdotool type --delay 30 "$last"
}

# Asks for the reading of Ann Lee, born 3 February 1901 at hour 3, with the keyboard alone, and
# steps through its six tabs with the arrow keys: they must show six different views, each
# pictured by the command given (steady_sum). VIEWER is then the results window.
read_ann_lee() {
  local picture=$1 sums=""
  type_names "ann" "lee"
  # From the last name: button, second, minute, hour; three Downs make hour 3.
  xdotool key Tab Tab Tab Tab Down Down Down
  # Day: two Downs make the 3rd; month: Down makes February; year: Down makes 1901.
  xdotool key Tab Down Down Tab Down Tab Down
  xdotool key alt+g
  VIEWER=$(window_of_role resultsWindow) || fail "the results window did not appear"
  focus "$VIEWER"
  xdotool key Tab
  for _ in 1 2 3 4 5 6; do
    sums="$sums $("$picture" "$VIEWER")"
    xdotool key Right
  done
  [ "$(echo $sums | tr ' ' '\n' | sort -u | wc -l)" -eq 6 ] || fail "the arrow keys did not show six views: $sums"
}

# The road both builds take with the keyboard alone to Ann Lee's report (keyboard_road.sh, and
# tests/windows/road.sh under Wine): the program started, the reading asked for (read_ann_lee, its
# views pictured by the command given), the report opened with Alt+P and saved through Save As
# under the name typed. The file, where it is expected, must be ANN_LEE_REPORT byte for byte: the
# Linux and the Windows builds save the same report. PROGRAM_PID, VIEWER and REPORT are then the
# program and its windows.
ANN_LEE_REPORT=$(readlink -f "$(dirname "${BASH_SOURCE[0]}")/../data/ann-lee-3-february-1901.rtf")
save_ann_lee() {
  local picture=$1 name=$2 path=$3
  start_program
  read_ann_lee "$picture"
  xdotool key alt+p
  REPORT=$(window_of_role reportDialog) || fail "Alt+P did not open the report"
  save_report "$REPORT" "$name" "$path"
  cmp -s "$path" "$ANN_LEE_REPORT" || fail "the saved report differs from tests/data/ann-lee-3-february-1901.rtf"
}

# The words of a text, one a line, as pdftotext's and unrtf's texts can be compared: its letters
# and digits, with the ligatures a PDF's fonts may set (ﬁ, ﬂ, ...) taken apart again.
words() { sed 's/ﬁ/fi/g; s/ﬂ/fl/g; s/ﬀ/ff/g; s/ﬃ/ffi/g; s/ﬄ/ffl/g' | tr -cs '[:alnum:]' '\n' | sed '/^$/d'; }

# Closes the report window given with Escape.
close_report() {
  focus "$1"
  xdotool key Escape
  wait_for no_window_of_role reportDialog || fail "Escape did not close the report"
}

# Ends the program (PROGRAM_PID) with File, Exit in the results window given.
exit_from_menu() {
  focus "$1"
  xdotool key alt+f Up Return
  wait_for ended "$PROGRAM_PID" || fail "File, Exit did not end the program"
}

# Saves the open report window through its Save As dialog (Alt+S), typing the given name, waits
# for the file where it is expected (by default where the name says, the suffix added), and checks
# it is an RTF report in Verdana with a title and headings. REPORT_HTML is then what an independent
# reader (unrtf) makes of it.
save_report() {
  local report=$1 name=$2 path=${3:-$2} dialog
  focus "$report"
  xdotool key alt+s
  dialog=$(wait_window '^Larkspire$') || fail "Save opened no dialog"
  focus "$dialog"
  xdotool type --delay 10 "$name"
  xdotool key Return
  wait_gone '^Larkspire$' || fail "the Save As dialog stayed"
  case "$path" in *.rtf) ;; *) path=$path.rtf ;; esac
  wait_for test -s "$path" || fail "no report was saved as $path"
  head -c 6 "$path" | grep -q '{\\rtf1' || fail "the saved file is no RTF"
  REPORT_HTML=$(unrtf --html "$path") || fail "the saved report cannot be read"
  grep -q "Larkspire Interpretation" <<<"$REPORT_HTML" || fail "the saved report has no title"
  grep -q "Lucky Number :-" <<<"$REPORT_HTML" || fail "the saved report has no lucky number"
  grep -q "Money Number :-" <<<"$REPORT_HTML" || fail "the saved report has no money number"
  grep -q 'face="Verdana"' <<<"$REPORT_HTML" || fail "the saved report does not name Verdana"
}

# Another program offers data: OWNER (clipboard_owner, the test's second argument) owns the
# clipboard, or with --selection the primary selection, with the formats given in their order
# ("text/markdown=# Heading", "image", none at all), and ends when another program takes it over.
offer() {
  "$owner" "$@" >"$E2E_ROOT/owner.out" 2>>"$E2E_ROOT/owner.log" &
  PIDS+=($!)
  wait_for grep -q ready "$E2E_ROOT/owner.out" || fail "the clipboard owner did not start"
}

# Clicks a mouse button at a point of a window's client area (below its 18-pixel menu bar where
# it has one: the offset given).
click_at() { xdotool mousemove --window "$1" "$2" "$3" click "$4"; }

# Takes a picture of a window once it has stopped changing (two pictures in a row the same).
steady_shot() {
  local window=$1 file=$2 next=${2%.png}.next.png
  import -window "$window" "$file"
  for _ in $(seq 30); do
    import -window "$window" "$next"
    if [ "$(compare -metric AE "$file" "$next" null: 2>&1 || true)" = "0" ]; then rm -f "$next"; return 0; fi
    mv "$next" "$file"
  done
  fail "the window never stopped changing ($file)"
}

# A checksum of a window's picture once it has stopped changing.
steady_sum() { steady_shot "$1" "$E2E_ROOT/steady.png"; md5sum <"$E2E_ROOT/steady.png" | cut -c1-8; }

# Keeps a picture of a window for the README, when SCREENSHOT_DIR names where.
shot() {
  if [ -n "${SCREENSHOT_DIR:-}" ]; then
    mkdir -p "$SCREENSHOT_DIR"
    steady_shot "$1" "$SCREENSHOT_DIR/$2.png"
  fi
}
