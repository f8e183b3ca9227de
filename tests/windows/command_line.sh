#!/usr/bin/env bash
# The Windows build's command line under Wine, as cmd.exe runs a batch file: "larkspire" on the PATH
# is larkspire.com, which runs larkspire.exe and waits. Redirected streams keep their bytes, the
# statuses reach %ERRORLEVEL%, a missing platform plug-in is said with no message box waiting; on a
# console in code page 850, --help shows the settings path of the user "Zoë", and a PDF is refused.
# Where readings go: NUL, a \\?\ path, a person named CON, never the file of people, one run per
# file of a folder, the old file kept when no row gives a reading, a closed pipe quiet, a PDF into
# a pipe whatever the environment says, no temporary file left by a run killed as it writes, and
# none by one whose larkspire.com is killed; a PDF onto CON refused; NUL read as a file of people,
# a folder and the console named as such; a quoted folder ending in a backslash before more words; /VERSION known.
# Bad input: a file in Notepad's "Unicode" is named so, a control character of a row is shown by
# its code, and a lone surrogate in a word (started by wide_command, the third argument) reaches
# the program: named in a name, kept in a path.
# A start without reading options ("-style --first" among them) gives the prompt back while its
# window stays, and the program holds no handle of its caller but its standard streams; keys typed
# on a console while a reading runs reach the shell.
. "$(dirname "$0")/lib.sh"
program=$(readlink -f "$1")
wide_command=$(readlink -f "$3")
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
printf 'first,last,born\r\nann,lee,1901-02-03T03\r\nbob,r\032y,1990-01-01\r\nann,lee,1990-05-17\r\nann,lee,"\e[31mRED"\r\n' >people.csv
# Notepad's "Unicode": UTF-16LE with a byte-order mark.
printf '\xff\xfef\0i\0r\0s\0t\0\r\0\n\0' >unicode.csv
batch "larkspire $ann --format rtf > ann.rtf" 'echo rtf %ERRORLEVEL%' \
  "larkspire $ann --format pdf --output ann.pdf" 'echo pdf %ERRORLEVEL%' \
  'larkspire --batch people.csv --format json > people.jsonl 2> people.err' 'echo batch %ERRORLEVEL%' \
  'larkspire --batch - --format json < people.csv > stdin.jsonl 2> stdin.err' 'echo stdin %ERRORLEVEL%' \
  'larkspire --batch unicode.csv 2> unicode.err' 'echo unicode %ERRORLEVEL%' \
  'larkspire --first ANN --born 1901-02-03 --fromage 2> NUL' 'echo usage %ERRORLEVEL%' \
  'larkspire --first ANN --born 1901-02-03 2> NUL' 'echo refused %ERRORLEVEL%' \
  'larkspire /? > help.txt' 'echo help %ERRORLEVEL%' \
  'larkspire /VERSION > slash.txt' 'echo slash %ERRORLEVEL%' \
  'larkspire -platform nosuch 2> nosuch.err' 'echo nosuch %ERRORLEVEL%'
statuses=$(timeout 120 "$WINE" cmd /c run.bat | tr -d '\r' | tr '\n' ' ') || fail "the batch did not end within 120 s: $statuses"
[ "$statuses" = "rtf 0 pdf 0 batch 1 stdin 1 unicode 1 usage 2 refused 1 help 0 slash 0 nosuch 1 " ] || fail "the statuses were: $statuses"
cmp -s ann.rtf "$data/ann-lee-3-february-1901.rtf" || fail "the RTF differs from the report window's save"
pdftotext ann.pdf - | grep -qx "Lucky Number :-2" || fail "the PDF does not hold the report's words"
[ "$(python3 -c 'import json,sys; print(*(json.loads(l)["line"] for l in sys.stdin))' <people.jsonl)" = "2 4" ] \
  || fail "the file of people gave: $(cat people.jsonl)"
rows="3: invalid name in column 'last': U+001A is not a letter or a space
5: invalid date '<U+001B>[31mRED' in column 'born': not a date D/M/YYYY, M/D/YYYY or YYYY/M/D (with '/', '.' or '-'), then optionally a time H:MM or H:MM:SS (with AM or PM or without)"
counted="larkspire: 2 of 4 rows failed"
[ "$(cat people.err)" = "$(sed 's/^/people.csv:/' <<<"$rows")
$counted" ] || fail "the bad rows were said as '$(cat people.err)'"
cmp -s stdin.jsonl people.jsonl && [ "$(cat stdin.err)" = "$(sed 's/^/-:/' <<<"$rows")
$counted" ] \
  || fail "standard input gave other readings, or said '$(cat stdin.err)'"
[ "$(cat unicode.err)" = "unicode.csv:1: the file is in UTF-16LE, not UTF-8: save it as UTF-8" ] \
  || fail "a file in UTF-16 was said as '$(cat unicode.err)'"
[ "$(head -n1 help.txt)" = "Usage: larkspire [--help] [--version] [Qt options]" ] || fail "/? printed '$(head -n1 help.txt)'"
grep -qx 'Larkspire [0-9.]*' slash.txt || fail "/VERSION printed '$(cat slash.txt)'"
# Only the program's own check names "this program" (Qt's says where it looked).
[ "$(head -n2 nosuch.err)" = "Larkspire cannot reach a display through Qt's platform plug-in \"nosuch\"
Could not find the Qt platform plugin \"nosuch\" in this program" ] || fail "-platform nosuch said '$(cat nosuch.err)'"

# A lone surrogate is no character of a name, and is part of a path.
com=$(windows_path "$(dirname "$program")/larkspire.com")
set +e
timeout 120 "$WINE" "$wide_command" "$com" --first 'A\uD800' --last LEE --born 1990-05-17 2>surrogate.err
status=$?
timeout 120 "$WINE" "$wide_command" "$com" --batch 'p\uDC80.csv' 2>path.err
path_status=$?
set -e
[ "$status" -eq 2 ] && [ "$(head -n1 surrogate.err)" = "larkspire: invalid argument 'A<U+D800>' for '--first': a lone surrogate, U+D800" ] \
  || fail "a lone surrogate in a name ended with $status and said '$(cat surrogate.err)'"
[ "$path_status" -eq 1 ] && grep -q "^larkspire: cannot read 'p<U+DC80>.csv': " path.err \
  || fail "a lone surrogate in a path ended with $path_status and said '$(cat path.err)'"

# Wine serves a terminal as a console: script gives it one, in code page 850.
batch 'chcp 850 > NUL' 'larkspire --help' 'echo com %ERRORLEVEL%' 'larkspire.exe --help' 'echo exe %ERRORLEVEL%' \
  "larkspire $ann --format pdf" 'echo pdf %ERRORLEVEL%'
console=$(timeout 120 script -qec "'$WINE' cmd /c run.bat" /dev/null </dev/null | sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' | tr -d '\r')
settings='C:\users\Zoë\AppData\Local\larkspire\larkspire.conf'
[ "$(grep -axF -e "$settings" -e 'com 0' -e 'exe 0' -e 'pdf 2' <<<"$console" | tr '\n' ' ')" = \
  "$settings com 0 $settings exe 0 pdf 2 " ] || fail "on a console: $console"

# Where readings go: NUL is written into; the file of people (here by a hard link) is no output; a
# person named CON gets a file; a \\?\ path is written like any other; a file of people that gives
# no reading leaves the old output.
ln people.csv hard.csv
cp people.csv people.before
printf 'first,last,born\r\nann,l3e,1990-01-01\r\n' >bad.csv
echo old >kept.jsonl
batch "larkspire $ann --output NUL > nul.out 2>&1" 'echo nul %ERRORLEVEL%' \
  'larkspire --batch people.csv --format json --output hard.csv 2> same.err' 'echo same %ERRORLEVEL%' \
  "larkspire --first \" \" --last con --born 1990-01-01 --output names\\" 'echo con %ERRORLEVEL%' \
  "larkspire $ann --output \\\\?\\$(windows_path "$PWD")\\long.txt" 'echo long %ERRORLEVEL%' \
  'larkspire --batch bad.csv --format json --output kept.jsonl 2> kept.err' 'echo kept %ERRORLEVEL%' \
  "larkspire $ann --format pdf --output CON 2> console.err" 'echo console %ERRORLEVEL%' \
  'larkspire --batch NUL 2> device.err' 'larkspire --batch people.d 2>> device.err' \
  'larkspire --batch CON 2>> device.err' 'echo device %ERRORLEVEL%' \
  "larkspire $ann --output \"quoted\\\" --format json" 'echo quoted %ERRORLEVEL%'
mkdir people.d
statuses=$(timeout 120 "$WINE" cmd /c run.bat | tr -d '\r' | tr '\n' ' ') || fail "the outputs' batch did not end: $statuses"
[ "$statuses" = "nul 0 same 2 con 0 long 0 kept 1 console 2 device 1 quoted 0 " ] || fail "the outputs' statuses were: $statuses"
[ "$(head -n1 console.err | tr -d '\r')" = "larkspire: a PDF is not written to a terminal: give '--output FILE' or redirect the output" ] \
  || fail "a PDF onto CON said '$(cat console.err)'"
[ "$(tr -d '\r' <device.err)" = "larkspire: 'NUL' has no header row
larkspire: cannot read 'people.d': Is a folder
larkspire: cannot read 'CON': it is the console, which '--batch -' reads" ] || fail "a device and a folder as the file of people: '$(cat device.err)'"
[ "$(ls quoted)" = ANN-LEE.json ] || fail "a quoted folder ending in a backslash: $(ls)"
[ ! -s nul.out ] || fail "--output NUL said '$(cat nul.out)'"
[ "$(head -n1 same.err | tr -d '\r')" = "larkspire: the output 'hard.csv' is the file of people 'people.csv'" ] \
  && cmp -s people.csv people.before || fail "the file of people as the output: '$(cat same.err)'"
[ "$(ls names)" = CON_.txt ] || fail "a person named CON: $(ls names)"
grep -qx "Lucky Number :-2" long.txt || fail "the \\\\?\\ path was not written"
[ "$(tail -n1 kept.err | tr -d '\r')" = "larkspire: no row gave a reading: 'kept.jsonl' is left as it was" ] \
  && [ "$(cat kept.jsonl)" = old ] || fail "no reading: '$(cat kept.err)', '$(head -c 20 kept.jsonl)'"

# Two runs into one folder, started together: each file is made by exactly one of them.
python3 -c 'for year in 1990, 1991: open(f"{year}.csv", "w").write("first,last,born\n" + f"ann,lee,{year}-01-01\n" * 300)'
com=$(dirname "$program")/larkspire.com
"$WINE" "$com" --batch 1990.csv --format json --output 'race\' 2>1990.err &
first=$!
"$WINE" "$com" --batch 1991.csv --format json --output 'race\' 2>1991.err || true
wait $first || true
python3 - <<'CHECK' || fail "two runs into one folder"
import json
said = {year: open(f"{year}.err").read().splitlines() for year in ("1990", "1991")}
for line in range(2, 302):
    path = f"race\\ANN-LEE-{line}.json"
    maker = json.load(open(path.replace("\\", "/")))["input"]["born"][:4]
    other = "1991" if maker == "1990" else "1990"
    assert f"{other}.csv:{line}: '{path}' is there already ('--overwrite' replaces it)" in said[other], path
    assert not any(f".csv:{line}:" in s for s in said[maker]), f"{path} is {maker}'s, which said it failed"
assert sum(not s.startswith("larkspire: ") for lines in said.values() for s in lines) == 300, said
CHECK

# A closed pipe ends the program quietly, with status 141 as on Linux.
set +e; ("$WINE" "$com" --batch 1990.csv --format json 2>pipe.err; echo $? >pipe.status) | head -c 10 >/dev/null; set -e
[ "$(cat pipe.status)" = 141 ] && [ ! -s pipe.err ] || fail "a closed pipe ended with $(cat pipe.status) and said '$(cat pipe.err)'"

# Only larkspire.com's own pipe onto a console is a console: a variable of the environment is not.
LARKSPIRE_OUTPUT_IS_CONSOLE=1 timeout 120 "$WINE" "$program" $ann --format pdf 2>env.err | cat >env.pdf || true
pdftotext env.pdf - | grep -qx "Lucky Number :-2" || fail "a PDF into a pipe said '$(cat env.err)'"

# A run killed while it writes leaves no temporary file beside its output, as Ctrl+C at
# larkspire.com (which ends the program) leaves none.
python3 -c 'print("first,last,born"); print("ann,lee,1990-01-01\n" * 100000, end="")' >many.csv
"$WINE" "$program" --batch many.csv --format json --explain --output many.jsonl 2>/dev/null &
writer=$!
PIDS+=("$writer")
temporary_written() { local f; for f in .larkspire-??????; do [ -s "$f" ] && return 0; done; return 1; }
no_temporary() { ! compgen -G '.larkspire-??????' >/dev/null; }
wait_until 120 temporary_written || fail "the run of many rows wrote no temporary file: $(ls)"
kill -9 "$writer"
wait_until 30 no_temporary && [ ! -e many.jsonl ] || fail "a killed run left: $(ls)"
# A reading ends with larkspire.com, however that ends (as a closed console ends it), rather than
# run on unseen and put its file in place later.
"$WINE" "$com" --batch many.csv --format json --explain --output many.jsonl 2>/dev/null &
writer=$!
PIDS+=("$writer")
wait_until 120 temporary_written || fail "the run through larkspire.com wrote no temporary file: $(ls)"
kill -9 "$writer"
wait_until 30 no_temporary && [ ! -e many.jsonl ] || fail "the reading ran on after larkspire.com ended: $(ls)"

# --overwrite keeps a file's attributes: a hidden file stays hidden. A read-only file in an output
# folder is told as read-only, with --overwrite too, and kept.
batch "larkspire $ann --output hidden\\" 'attrib +h hidden\ANN-LEE.txt' "larkspire $ann --output hidden\\ --overwrite" \
  'attrib hidden\ANN-LEE.txt > hidden.txt' "larkspire $ann --output kept\\" 'attrib +r kept\ANN-LEE.txt' \
  "larkspire $ann --output kept\\ 2> kept.err" "larkspire $ann --output kept\\ --overwrite 2>> kept.err" 'echo kept %ERRORLEVEL%'
statuses=$(timeout 120 "$WINE" cmd /c run.bat | tr -d '\r' | tr '\n' ' ') || fail "the attributes' batch did not end: $statuses"
[ "$statuses" = "kept 1 " ] && grep -q '^[A-Z ]*H[A-Z ]* Z:' hidden.txt || fail "a hidden file overwritten: $statuses, $(cat hidden.txt)"
[ "$(tr -d '\r' <kept.err)" = "larkspire: 'kept\ANN-LEE.txt' is read-only
larkspire: 'kept\ANN-LEE.txt' is read-only" ] || fail "a read-only file in a folder was said as '$(cat kept.err)'"

# A plain start, from a caller holding a pipe of its own open for its children: larkspire.com
# ends with status 0 while the window is up, and the program was not handed that pipe, which it
# would hold for as long as its window is open. In "-style --first", --first is the style's name
# to larkspire.com as to the program.
x86_64-w64-mingw32-gcc-posix -O -o pipe_holder.exe "$holder_source" || fail "$holder_source does not build"
console_entry=$(windows_path "$(dirname "$program")")\\larkspire.com
timeout 60 "$WINE" pipe_holder.exe "$console_entry" -style --first >plain.txt || fail "a plain start kept its caller waiting"
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
