#!/usr/bin/env bash
# The command line: --help and --version answer without a display and exit 0; an option Qt does
# not read either, or one in a form Qt does not read, is refused with status 2; a start without a
# display says so in one line, and one with a display that cannot be reached names it in one line
# followed by Qt's own reason (its warnings, or its fatal message when it warned of nothing), and
# exits 1; Qt's own -platform option counts as a display of its own.
# Where readings go: never into the file of people; each file of a folder made by one of two runs
# started together; the old output kept when the file of people cannot be read to its end or gives
# no reading; a closed pipe ends quietly; devices are written into.
# Bad input: a file name is bytes; a name that is not UTF-8 and a date with a line break after it
# are refused by name; what is echoed of the input shows its control characters by their codes.
. "$(dirname "$0")/lib.sh"
program=$1
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }
# Runs the program as given; STATUS is its exit status, ERR what it wrote to standard error.
run() { set +e; ERR=$("$@" 2>&1 >/dev/null); STATUS=$?; set -e; }

version=$(bare --version)
[ "$(head -n1 <<<"$version")" = "Larkspire 1.45" ] || fail "--version printed '$version'"
grep -q '^Copyright (C) 2026 Larkspire developers' <<<"$version" || fail "--version names no copyright"
grep -q '^License Expat' <<<"$version" || fail "--version names no licence"
help=$(bare --help)
grep -q '^Usage: larkspire' <<<"$help" || fail "--help printed no usage"
# Where this system keeps the setting: here, under the test's own XDG_CONFIG_HOME.
grep -qxF "$XDG_CONFIG_HOME/larkspire/larkspire.conf" <<<"$help" || fail "--help does not say where the setting is kept: $help"
# The home page is the one the program opens.
home=$(sed -n 's/.*kHomePage = QStringLiteral("\([^"]*\)").*/\1/p' "$(dirname "$0")/../../model/WebPages.h")
[ -n "$home" ] || fail "model/WebPages.h names no home page"
[ "$(tail -n2 <<<"$help")" = "Report bugs to: <larkspire@example.com>
Larkspire home page: <$home>" ] || fail "--help does not end with where to report problems"

# Which options Qt reads, and the exact refusals, are test_command_line's table; here, the
# program's own status and words.
for option in --frobnicate -x; do
  run bare $option none
  [ "$STATUS" -eq 2 ] || fail "$option ended with $STATUS"
done
run bare --frobnicate
[ "$ERR" = "larkspire: unrecognized option '--frobnicate'
Try 'larkspire --help' for more information." ] || fail "an unknown option said '$ERR'"
# Qt 6.4 takes -platform's value only as the next word: "-platform=NAME" would choose nothing
# (and then fail without a display, or run on X with one); it is refused before Qt starts.
# A display number nobody serves here, for the displays that cannot be reached.
for gone in $(seq 97 199); do [ -e /tmp/.X11-unix/X$gone ] || [ -e /tmp/.X$gone-lock ] || break; done
for display in "" :$gone; do
  run env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=$display "$program" -platform=offscreen
  [ "$STATUS" -eq 2 ] && [ "$ERR" = "larkspire: unrecognized option '-platform=offscreen' (Qt takes '-platform offscreen')
Try 'larkspire --help' for more information." ] || fail "-platform=offscreen (DISPLAY '$display') ended with $STATUS and said '$ERR'"
done

run bare
[ "$STATUS" -eq 1 ] || fail "without a display the program ended with $STATUS"
[ "$ERR" = "Larkspire needs a graphical display: DISPLAY or WAYLAND_DISPLAY is not set" ] \
  || fail "without a display it said '$ERR'"

# Displays that are set but cannot be reached: one line that names the display, then Qt's own
# reason (the warnings it logged), status 1; not the advice of Qt's fatal message to reinstall.
unreachable() {
  local line=$1 reason=$2
  shift 2
  run "$@"
  [ "$STATUS" -eq 1 ] && [ "$(head -n1 <<<"$ERR")" = "$line" ] || fail "$* ended with $STATUS and said '$ERR'"
  tail -n +2 <<<"$ERR" | grep -qF "$reason" || fail "$* did not give Qt's reason ('$reason') after its line: '$ERR'"
  ! grep -q "Reinstall" <<<"$ERR" || fail "$* advised to reinstall: '$ERR'"
}
unreachable "Larkspire cannot reach the X display :$gone" "could not connect to display :$gone" \
  env -u WAYLAND_DISPLAY DISPLAY=:$gone "$program"
unreachable "Larkspire cannot reach the X display no-such-host.invalid:0" "could not connect to display no-such-host.invalid:0" \
  env -u WAYLAND_DISPLAY DISPLAY=no-such-host.invalid:0 "$program"
unreachable "Larkspire cannot reach the Wayland display wayland-gone" "Could not load the Qt platform plugin" \
  env -u DISPLAY WAYLAND_DISPLAY=wayland-gone "$program"
unreachable "Larkspire cannot reach the X display :$gone" "could not connect to display :$gone" bare -display :$gone
unreachable "Larkspire cannot reach the X display <U+001B>]0;pwned<U+0007>" "could not connect to display <U+001B>]0;pwned<U+0007>" \
  bare -display $'\e]0;pwned\a'
[[ $ERR != *$'\e'* ]] || fail "an escape reached the terminal: '$ERR'"
unreachable "Larkspire cannot reach the X display (DISPLAY is not set)" "could not connect to display" bare -platform xcb
# A platform plug-in that is not there is named as such.
unreachable "Larkspire cannot reach a display through Qt's platform plug-in \"nosuch\"" \
  'Could not find the Qt platform plugin "nosuch"' bare -platform nosuch
# With Qt's warnings switched off, its fatal message is the only reason there is, and is said whole.
run env -u WAYLAND_DISPLAY QT_LOGGING_RULES='qt.qpa.*=false' DISPLAY=:$gone "$program"
[ "$STATUS" -eq 1 ] && [ "$(head -n1 <<<"$ERR")" = "Larkspire cannot reach the X display :$gone" ] \
  && grep -q "^Available platform plugins are: .*offscreen" <<<"$ERR" || fail "without Qt's warnings it said '$ERR'"

# A file name reaches the system as its bytes, and is shown escaped; a name must be UTF-8.
cd "$E2E_ROOT"
printf 'first,last,born\nann,lee,"1990-05-17\n"\nbob,ray,1990-05-17\nbob,ray,"\e[31mRED"\n' >$'p\xe9\e[2J.csv'
run bare --batch $'p\xe9\e[2J.csv' --format json
[ "$STATUS" -eq 1 ] && [ "$ERR" = "p<0xE9><U+001B>[2J.csv:2: invalid date '1990-05-17<U+000A>' in column 'born': not of the form YYYY-MM-DD, YYYY-MM-DDTHH, YYYY-MM-DDTHH:MM or YYYY-MM-DDTHH:MM:SS
p<0xE9><U+001B>[2J.csv:5: invalid date '<U+001B>[31mRED' in column 'born': not a date D/M/YYYY, M/D/YYYY or YYYY/M/D (with '/', '.' or '-'), then optionally a time H:MM or H:MM:SS (with AM or PM or without)
larkspire: 2 of 3 rows failed" ] \
  || fail "a file of people named in bytes ended with $STATUS and said '$ERR'"
run bare --first $'ren\xe9' --last lee --born 1990-05-17
[ "$STATUS" -eq 2 ] && [ "$(head -n1 <<<"$ERR")" = "larkspire: invalid argument 'ren<0xE9>' for '--first': invalid UTF-8" ] \
  || fail "a name not in UTF-8 ended with $STATUS and said '$ERR'"
bare --first ann --last lee --born 1990-05-17 --output $'caf\xe9.txt' && bare --first ann --last lee --born 1990-05-17 --output $'d\xe9/' \
  && [ -s $'caf\xe9.txt' ] && [ -s $'d\xe9/ANN-LEE.txt' ] || fail "an output named in bytes was not written under its own name: $(ls)"

# Qt's -platform option chooses a platform as QT_QPA_PLATFORM does: the program starts and takes
# its lock (which holds its process number). Qt's other options, in the forms Qt reads, are taken.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" -platform offscreen -style=Fusion --reverse \
  -qwindowtitle Title -widgetcount >/dev/null 2>"$E2E_ROOT/offscreen.log" &
PIDS+=($!)
started() { grep -qx "$1" "$XDG_RUNTIME_DIR/larkspire.lock" 2>/dev/null; }
wait_for started "$!" || { cat "$E2E_ROOT/offscreen.log" >&2; fail "-platform offscreen did not start"; }

cd "$E2E_ROOT"
ann=(--first ANN --last LEE --born 1901-02-03T03)
# The file of people, by any name or link, is no output: status 2, and it stays as it was.
printf 'first,last,born\nann,lee,1990-01-01\nbob,ray,1991-02-03\n' >people.csv
cp people.csv people.before
ln people.csv hard.csv
ln -s people.csv soft.csv
for output in people.csv ./people.csv hard.csv soft.csv; do
  run bare --batch people.csv --format json --output $output
  [ "$STATUS" -eq 2 ] && [ "$(head -n1 <<<"$ERR")" = "larkspire: the output '$output' is the file of people 'people.csv'" ] \
    || fail "--output $output ended with $STATUS and said '$ERR'"
done
run bare --batch - --format json --output hard.csv <people.csv
[ "$STATUS" -eq 2 ] || fail "the file of people on standard input as the output ended with $STATUS"
set +e; bare --batch people.csv --format json >>people.csv 2>appended.err; STATUS=$?; set -e
[ "$STATUS" -eq 2 ] && [ "$(head -n1 appended.err)" = "larkspire: standard output is the file of people 'people.csv'" ] \
  || fail "standard output appending to the file of people ended with $STATUS and said '$(cat appended.err)'"
# In a folder, the row whose file would be the file of people fails; the others are written.
mkdir inside
cp people.csv inside/ANN-LEE-2.json
run bare --batch inside/ANN-LEE-2.json --format json --output inside --overwrite
[ "$STATUS" -eq 1 ] && [ -s inside/BOB-RAY-3.json ] \
  && [ "$ERR" = "inside/ANN-LEE-2.json:2: 'inside/ANN-LEE-2.json' is the file of people being read, which is never written
larkspire: 1 of 2 rows failed" ] \
  || fail "a folder holding the file of people: $STATUS, '$ERR', $(ls inside)"
cmp -s people.csv people.before && cmp -s inside/ANN-LEE-2.json people.before || fail "the file of people was changed"

# Two runs of the same people (other dates) into one folder, started together: each file is made
# by exactly one of them, and the other says it is there already.
python3 -c 'for year in 1990, 1991: open(f"{year}.csv", "w").write("first,last,born\n" + f"ann,lee,{year}-01-01\n" * 300)'
bare --batch 1990.csv --format json --output race/ 2>1990.err &
first=$!
bare --batch 1991.csv --format json --output race/ 2>1991.err || true
wait $first || true
python3 - <<'CHECK' || fail "two runs into one folder"
import json
said = {year: open(f"{year}.err").read().splitlines() for year in ("1990", "1991")}
for line in range(2, 302):
    path = f"race/ANN-LEE-{line}.json"
    maker = json.load(open(path))["input"]["born"][:4]
    other = "1991" if maker == "1990" else "1990"
    assert f"{other}.csv:{line}: '{path}' is there already ('--overwrite' replaces it)" in said[other], path
    assert not any(f".csv:{line}:" in s for s in said[maker]), f"{path} is {maker}'s, which said it failed"
assert sum(not s.startswith("larkspire: ") for lines in said.values() for s in lines) == 300, said
CHECK

# A file of people that gives no reading, or cannot be read to its end (a terminal that hangs up
# while the program waits for more rows), leaves the old output as it was.
echo old >kept.jsonl
printf 'first,last,born\nann,l3e,1990-01-01\n' >bad.csv
run bare --batch bad.csv --format json --output kept.jsonl
[ "$STATUS" -eq 1 ] && [ "$(tail -n1 <<<"$ERR")" = "larkspire: no row gave a reading: 'kept.jsonl' is left as it was" ] \
  && [ "$(cat kept.jsonl)" = old ] || fail "no reading: $STATUS, '$ERR', '$(head -c 20 kept.jsonl)'"
hung_up=$(python3 - "$program" <<'HANG_UP'
import os, subprocess, sys, termios, time
master, slave = os.openpty()
attributes = termios.tcgetattr(slave)
attributes[3] &= ~termios.ECHO
termios.tcsetattr(slave, termios.TCSANOW, attributes)
terminal = os.ttyname(slave)
child = subprocess.Popen([sys.argv[1], "--batch", terminal, "--format", "json", "--output", "kept.jsonl"],
                         stderr=subprocess.PIPE)
# A good row and a bad one, then an end of file (Ctrl+D), after which the program reads on.
os.write(master, b"first,last,born\nann,lee,1990-01-01\nbob,r4y,1990-01-01\n\x04")
said = child.stderr.readline()
deadline = time.monotonic() + 60  # a wait for the program, never a measure of it
while True:
    with open(f"/proc/{child.pid}/syscall") as call:
        if call.read().startswith("0 "):  # waiting in read()
            break
    if time.monotonic() > deadline:
        child.kill()
        sys.exit("the program never came back to read the terminal")
    time.sleep(0.01)
os.close(master)
said += child.stderr.read()
print(child.wait(), *said.decode().replace(terminal, "TTY").splitlines()[1:], sep="|")
HANG_UP
)
[ "$hung_up" = "1|larkspire: cannot read 'TTY': Input/output error|larkspire: 1 of 2 rows failed|larkspire: 'kept.jsonl' is left as it was" ] \
  && [ "$(cat kept.jsonl)" = old ] || fail "a file of people that could not be read: $hung_up, '$(head -c 20 kept.jsonl)'"

# A closed pipe ends quietly, as it ends GNU tools: killed by SIGPIPE, which a shell shows as 141.
closed_pipe() {
  python3 -c 'import os, subprocess, sys
r, w = os.pipe(); os.close(r)
done = subprocess.run(sys.argv[1:], stdout=w, stderr=subprocess.PIPE)
sys.stdout.write(f"{done.returncode} {done.stderr.decode()}".strip())' env -u DISPLAY -u WAYLAND_DISPLAY "$program" "$@"
}
for words in --help "--batch 1990.csv --format json" "--batch 1990.csv --output /dev/stdout"; do
  said=$(closed_pipe $words)
  [ "$said" = -13 ] || fail "'$words' into a closed pipe: $said"
done

# Devices are written into: /dev/null, /dev/stdout (a link to a pipe here), a terminal; a full one
# says so; a link to a regular file is still refused.
run bare "${ann[@]}" --output /dev/null
[ "$STATUS" -eq 0 ] && [ -z "$ERR" ] || fail "--output /dev/null ended with $STATUS and said '$ERR'"
[ "$(bare "${ann[@]}" --output /dev/stdout | cat)" = "$(bare "${ann[@]}")" ] || fail "--output /dev/stdout"
script -qec "env -u DISPLAY -u WAYLAND_DISPLAY '$program' ${ann[*]} --output /dev/tty" /dev/null >terminal.txt
grep -q "Lucky Number :-2" terminal.txt || fail "--output /dev/tty wrote '$(cat terminal.txt)'"
ln -s kept.jsonl link.txt
for case in "/dev/full|1|larkspire: cannot write '/dev/full': No space left on device" \
            "link.txt|1|larkspire: cannot write 'link.txt': It is a symbolic link, which is never written through."; do
  IFS='|' read -r output status said <<<"$case"
  run bare "${ann[@]}" --output "$output"
  [ "$STATUS" -eq "$status" ] && [ "$(head -n1 <<<"$ERR")" = "$said" ] || fail "--output '$output' ended with $STATUS and said '$ERR'"
done
[ "$(cat kept.jsonl)" = old ] || fail "a link's target was written"
# A person named as Windows names a device gets a file that every system can hold.
bare --first " " --last con --born 1990-01-01 --output names/
[ "$(ls names)" = CON_.txt ] || fail "a person named CON: $(ls names)"

# Readings without windows, of every format: none touches a runtime folder (XDG_RUNTIME_DIR's,
# made relative to the working folder when the name is relative, or $TMPDIR/runtime-<user> where
# it is unset) or says anything of one. The paper is A4 unless a case here names another.
cd "$E2E_ROOT"
mkdir scratch
export PAPERCONF="$E2E_ROOT/none"
unset PAPERSIZE
ann=(--first ann --last lee --born 1990-05-17)
for format in text json rtf pdf; do
  XDG_RUNTIME_DIR=relrun TMPDIR="$E2E_ROOT/scratch" run bare "${ann[@]}" --format $format --output reading.$format
  [ "$STATUS" -eq 0 ] && [ -z "$ERR" ] && [ -s reading.$format ] || fail "a $format reading ended with $STATUS and said '$ERR'"
  run env -u XDG_RUNTIME_DIR TMPDIR="$E2E_ROOT/scratch" "$program" "${ann[@]}" --format $format --output reading.$format
  [ "$STATUS" -eq 0 ] && [ -z "$ERR" ] || fail "a $format reading without XDG_RUNTIME_DIR ended with $STATUS and said '$ERR'"
done
[ ! -e relrun ] && [ -z "$(ls -A scratch)" ] || fail "a reading made a runtime folder: $(ls -d relrun scratch/* 2>&1)"

# A PDF's paper: --paper, or the system's as libpaper names it (PAPERSIZE, then the first word of
# the file PAPERCONF names, after blanks and comments), A4 where none is named.
printf '# the paper\n  \t# of this office\n Letter  # US\n' >papersize
# The page size of a PDF reading made with the variables given before "--" and the options after it.
paper() {
  local variables=()
  while [ "$1" != -- ]; do variables+=("$1"); shift; done
  shift
  env "${variables[@]}" "$program" "${ann[@]}" --format pdf --output reading.pdf "$@" \
    && pdfinfo reading.pdf | sed -n 's/^Page size: *//p'
}
[[ $(paper --) == *"(A4)" ]] || fail "no paper named gave '$(paper --)'"
[[ $(paper PAPERCONF=papersize --) == *"(letter)" ]] || fail "/etc/papersize's letter gave '$(paper PAPERCONF=papersize --)'"
[[ $(paper PAPERCONF=papersize PAPERSIZE=A4 --) == *"(A4)" ]] || fail "PAPERSIZE did not come first"
[[ $(paper -- --paper letter) == *"(letter)" ]] && [[ $(paper PAPERSIZE=letter -- --paper=A4) == *"(A4)" ]] \
  || fail "--paper did not choose the paper"
run env PAPERSIZE=legal "$program" "${ann[@]}" --format pdf --output reading.pdf
[ "$STATUS" -eq 1 ] && [ "$ERR" = "larkspire: the system's paper size 'legal' (PAPERSIZE) is not one Larkspire lays a PDF out on: give '--paper a4' or '--paper letter'" ] \
  || fail "a paper of the system's that is not laid out on ended with $STATUS and said '$ERR'"
run bare "${ann[@]}" --format pdf --output reading.pdf --paper A5
[ "$STATUS" -eq 2 ] && [ "$ERR" = "larkspire: invalid argument 'A5' for '--paper'; valid arguments are 'a4' and 'letter'
Try 'larkspire --help' for more information." ] || fail "--paper A5 ended with $STATUS and said '$ERR'"

# A PDF beyond the file size limit is refused as any write is; an interrupted run of PDFs leaves
# nothing of itself behind but whole files.
run env TMPDIR="$E2E_ROOT/scratch" bash -c "ulimit -f 4; exec env -u DISPLAY -u WAYLAND_DISPLAY '$program' ${ann[*]} --format pdf --output big.pdf"
[ "$STATUS" -eq 1 ] && [ "$ERR" = "larkspire: cannot write 'big.pdf': File too large" ] && [ ! -e big.pdf ] \
  || fail "a PDF beyond the size limit ended with $STATUS and said '$ERR'"
run bash -c "ulimit -f 4; exec env -u DISPLAY -u WAYLAND_DISPLAY '$program' ${ann[*]} --format pdf >big-out.pdf"
[ "$STATUS" -eq 1 ] && [ "$ERR" = "larkspire: write error: File too large" ] \
  || fail "a PDF to standard output beyond the size limit ended with $STATUS and said '$ERR'"
{ echo first,last,born; for row in $(seq 500); do printf 'ann,lee,1990-05-17T%02d\n' $((row % 24)); done; } >people.csv
some() { [ "$(ls "$1" 2>/dev/null | wc -l)" -ge 2 ]; }
for signal in TERM INT; do
  # Job control, so that the run is not started with SIGINT ignored, as a script's background jobs are.
  set -m
  env -u DISPLAY -u WAYLAND_DISPLAY TMPDIR="$E2E_ROOT/scratch" "$program" --batch people.csv --format pdf \
    --output "$signal/" 2>/dev/null &
  reading=$!
  set +m
  PIDS+=($reading)
  wait_for some "$signal" || fail "the readings of PDFs made no file"
  kill -$signal $reading
  set +e; wait $reading; STATUS=$?; set -e
  [ "$STATUS" -gt 128 ] || fail "an interrupted run ended with $STATUS"
  for file in "$signal"/* "$signal"/.[!.]* scratch/*; do
    [ -e "$file" ] || continue
    [[ $file == "$signal"/*.pdf ]] && pdfinfo "$file" >/dev/null 2>&1 || fail "SIG$signal left '$file' behind"
  done
done

# The output folder is opened once: renamed and its name given to a link while a run writes, it
# still gets every file. A read-only file in it is told so, with --overwrite too, and kept. A name
# as long as a name may be is written, and written again.
env -u DISPLAY -u WAYLAND_DISPLAY "$program" --batch people.csv --format pdf --output swapped/ 2>swapped.err &
reading=$!
PIDS+=($reading)
wait_for some swapped || fail "the readings of PDFs made no file"
mv swapped moved && mkdir decoy && ln -s decoy swapped
set +e; wait $reading; STATUS=$?; set -e
[ "$STATUS" -eq 0 ] && [ "$(ls moved | wc -l)" -eq 500 ] && [ -z "$(ls -A decoy)" ] \
  || fail "a folder swapped during a run: $STATUS, $(ls moved | wc -l) files in it, '$(ls -A decoy | head -n3)' elsewhere, '$(cat swapped.err)'"
mkdir kept && echo old >kept/ANN-LEE.txt && chmod 0444 kept/ANN-LEE.txt
for overwrite in "" --overwrite; do
  run bare "${ann[@]}" --output kept/ $overwrite
  [ "$STATUS" -eq 1 ] && [ "$ERR" = "larkspire: 'kept/ANN-LEE.txt' is read-only" ] && [ "$(cat kept/ANN-LEE.txt)" = old ] \
    || fail "a read-only file in a folder ($overwrite) ended with $STATUS and said '$ERR'"
done
longest=$(printf 'n%.0s' $(seq 251)).txt
bare "${ann[@]}" --output "$longest" && bare "${ann[@]}" --output "$longest" || fail "a name of 255 bytes was written once only"

# The program's own streams: standard error that is the file of people is refused as standard
# output is (a limit on its size stops what would otherwise grow it without end); a stream closed
# at start is no file's place; a name of a stream is that stream; a terminal by any name takes no
# PDF.
printf 'first,last,born\nann,lee,1990-01-01\nbob,r4y,1990-01-01\n' >streams.csv
cp streams.csv streams.before
run bash -c "ulimit -f 64; exec env -u DISPLAY -u WAYLAND_DISPLAY '$program' --batch streams.csv --format json --output streams.jsonl 2>>streams.csv"
[ "$STATUS" -eq 2 ] && [ ! -e streams.jsonl ] && [ "$(cat streams.csv)" = "$(cat streams.before)
larkspire: standard error is the file of people 'streams.csv'
Try 'larkspire --help' for more information." ] || fail "standard error into the file of people: $STATUS, $(head -c 500 streams.csv)"
bare --batch - --format json --output closed.jsonl <streams.before 2>&- || true
[ "$(wc -l <closed.jsonl)" -eq 1 ] && [ "$(head -c 10 closed.jsonl)" = '{"line":2,' ] \
  || fail "with standard error closed the output file holds '$(head -c 200 closed.jsonl)'"
for name in /dev/stdout /proc/self/fd/1; do
  bare "${ann[@]}" --output $name >stream.txt && [ "$(cat stream.txt)" = "$(bare "${ann[@]}")" ] \
    || fail "--output $name to a file wrote '$(cat stream.txt)'"
done
set +e; script -qec "env -u DISPLAY -u WAYLAND_DISPLAY '$program' ${ann[*]} --format pdf --output /dev/tty" /dev/null >terminal.txt
STATUS=$?; set -e
[ "$STATUS" -eq 2 ] && grep -q "^larkspire: a PDF is not written to a terminal" terminal.txt && ! grep -q "%PDF" terminal.txt \
  || fail "a PDF to --output /dev/tty ended with $STATUS and wrote '$(head -c 200 terminal.txt)'"

# What is echoed of the system's paper file and of Qt's warnings in window mode is escaped.
printf 'legal\n' >$'pap\xe9\e[2J'
run env PAPERCONF=$'pap\xe9\e[2J' "$program" "${ann[@]}" --format pdf --output reading.pdf
[ "$ERR" = "larkspire: the system's paper size 'legal' (pap<0xE9><U+001B>[2J) is not one Larkspire lays a PDF out on: give '--paper a4' or '--paper letter'" ] \
  || fail "a paper file named in bytes was said as '$ERR'"
mkdir -m 700 styled
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$E2E_ROOT/styled" "$program" -platform offscreen \
  -style $'x\e]0;t\a' >/dev/null 2>styled.log &
PIDS+=($!)
warned() { grep -qF "'x<U+001B>]0;t<U+0007>'" styled.log; }
wait_for warned && ! grep -q $'\e' styled.log || fail "Qt's warning of an unknown style said '$(cat -v styled.log)'"

# Many faulty rows: their messages, then how many of the rows read failed.
{ echo first,last,born; seq 3000 | sed "s/.*/,/"; } >commas.csv
run bare --batch commas.csv --format json
[ "$STATUS" -eq 1 ] && [ "$(wc -l <<<"$ERR")" -eq 3001 ] && [ "$(tail -n1 <<<"$ERR")" = "larkspire: 3000 of 3000 rows failed" ] \
  || fail "3,000 faulty rows ended with $STATUS and said '$(tail -n2 <<<"$ERR")'"
echo "1 passed, 0 failed"
