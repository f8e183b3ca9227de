#!/usr/bin/env bash
# The Windows build's command line under Wine, as cmd.exe runs a batch file: "larkspire" on the PATH
# is larkspire.com, which runs larkspire.exe and waits. Redirected streams keep their bytes, the
# statuses reach %ERRORLEVEL%, a missing platform plug-in is said with no message box waiting; on a
# console in code page 850, --help shows the settings path of the user "Zoë", and a PDF is refused.
# A start without reading options gives the prompt back while its window stays, and the program
# holds no handle of its caller but its standard streams; keys typed on a console while a reading
# runs reach the shell.
. "$(dirname "$0")/lib.sh"
program=$(readlink -f "$1")
data=$(cd "$(dirname "$0")/../data" && pwd)
holder_source=$(readlink -f "$(dirname "$0")/pipe_holder.c")
ann='--first ANN --last LEE --born 1901-02-03T03'
# The prefix's profile folder is named after the user; a message box would wait on the display.
export USER=Zoë
start_display
start_wine
mkdir "$E2E_ROOT/work"
cd "$E2E_ROOT/work"

# Writes run.bat: the given lines, CR LF ended, with the build's folder first on the PATH.
batch() {
  { printf '@echo off\r\nset PATH=%s;%%PATH%%\r\n' "$(windows_path "$(dirname "$program")")"
    printf '%s\r\n' "$@" 'exit /b 0'; } >run.bat
}

# A Ctrl+Z inside a row: the C library's text mode would end standard input there.
printf 'first,last,born\r\nann,lee,1901-02-03T03\r\nbob,r\032y,1990-01-01\r\nann,lee,1990-05-17\r\n' >people.csv
batch "larkspire $ann --format rtf > ann.rtf" 'echo rtf %ERRORLEVEL%' \
  "larkspire $ann --format pdf --output ann.pdf" 'echo pdf %ERRORLEVEL%' \
  'larkspire --batch people.csv --format json > people.jsonl 2> people.err' 'echo batch %ERRORLEVEL%' \
  'larkspire --batch - --format json < people.csv > stdin.jsonl 2> stdin.err' 'echo stdin %ERRORLEVEL%' \
  'larkspire --first ANN --born 1901-02-03 --fromage 2> NUL' 'echo usage %ERRORLEVEL%' \
  'larkspire --first ANN --born 1901-02-03 2> NUL' 'echo refused %ERRORLEVEL%' \
  'larkspire /? > help.txt' 'echo help %ERRORLEVEL%' \
  'larkspire -platform nosuch 2> nosuch.err' 'echo nosuch %ERRORLEVEL%'
statuses=$(timeout 120 "$WINE" cmd /c run.bat | tr -d '\r' | tr '\n' ' ') || fail "the batch did not end within 120 s: $statuses"
[ "$statuses" = "rtf 0 pdf 0 batch 1 stdin 1 usage 2 refused 1 help 0 nosuch 1 " ] || fail "the statuses were: $statuses"
cmp -s ann.rtf "$data/ann-lee-3-february-1901.rtf" || fail "the RTF differs from the report window's save"
pdftotext ann.pdf - | grep -qx "Lucky Number :-2" || fail "the PDF does not hold the report's words"
[ "$(python3 -c 'import json,sys; print(*(json.loads(l)["line"] for l in sys.stdin))' <people.jsonl)" = "2 4" ] \
  || fail "the file of people gave: $(cat people.jsonl)"
[ "$(cat people.err)" = "people.csv:3: invalid name in column 'last': U+001A is not a letter or a space" ] \
  || fail "the bad row was said as '$(cat people.err)'"
cmp -s stdin.jsonl people.jsonl && [ "$(cat stdin.err)" = "-:3: invalid name in column 'last': U+001A is not a letter or a space" ] \
  || fail "standard input gave other readings, or said '$(cat stdin.err)'"
[ "$(head -n1 help.txt)" = "Usage: larkspire [--help] [--version] [Qt options]" ] || fail "/? printed '$(head -n1 help.txt)'"
# Only the program's own check names "this program" (Qt's says where it looked).
[ "$(head -n2 nosuch.err)" = "Larkspire cannot reach a display through Qt's platform plug-in \"nosuch\"
Could not find the Qt platform plugin \"nosuch\" in this program" ] || fail "-platform nosuch said '$(cat nosuch.err)'"

# Wine serves a terminal as a console: script gives it one, in code page 850.
batch 'chcp 850 > NUL' 'larkspire --help' 'echo com %ERRORLEVEL%' 'larkspire.exe --help' 'echo exe %ERRORLEVEL%' \
  "larkspire $ann --format pdf" 'echo pdf %ERRORLEVEL%'
console=$(timeout 120 script -qec "'$WINE' cmd /c run.bat" /dev/null </dev/null | sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' | tr -d '\r')
settings='C:\users\Zoë\AppData\Local\larkspire\larkspire.conf'
[ "$(grep -axF -e "$settings" -e 'com 0' -e 'exe 0' -e 'pdf 2' <<<"$console" | tr '\n' ' ')" = \
  "$settings com 0 $settings exe 0 pdf 2 " ] || fail "on a console: $console"
# A plain start, from a caller holding a pipe of its own open for its children: larkspire.com
# ends with status 0 while the window is up, and the program was not handed that pipe, which it
# would hold for as long as its window is open.
x86_64-w64-mingw32-gcc-posix -O -o pipe_holder.exe "$holder_source" || fail "$holder_source does not build"
console_entry=$(windows_path "$(dirname "$program")")\\larkspire.com
timeout 60 "$WINE" pipe_holder.exe "$console_entry" >plain.txt || fail "a plain start kept its caller waiting"
[ "$(tr -d '\r' <plain.txt)" = "status 0, pipe free" ] || fail "a plain start ended with: $(cat plain.txt)"
window=$(wait_window "^Larkspire v") || fail "a plain start showed no window"
pid=$(xdotool getwindowpid "$window") && PIDS+=("$pid") && ! ended "$pid" || fail "the window of a plain start has no process"
kill -9 "$pid"

# On a console, the line typed with a reading's is run by cmd.exe once the reading has ended.
mkfifo keys
exec 3<>keys
script -qec "'$WINE' cmd" /dev/null <keys >typed.log 2>&1 &
PIDS+=($!)
wait_until 60 grep -aq 'work>' typed.log || fail "cmd.exe gave no prompt: $(cat typed.log)"
printf '"%s" --version\recho typed-%%ERRORLEVEL%%-after\r' "$console_entry" >&3
wait_until 60 grep -aq 'typed-0-after' typed.log || fail "the line typed during a reading was lost: $(tr -d '\r' <typed.log)"
printf 'exit\r' >&3
echo "1 passed, 0 failed"
