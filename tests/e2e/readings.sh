#!/usr/bin/env bash
# Readings from the command line on the real program, with no display at all: the text, JSON, RTF
# (byte for byte the report window's save) and PDF (read back: the text's words) of one reading;
# a file of people with bad rows; per-person files in a folder, kept without --overwrite; a full
# disk and a closed pipe; a PDF refused to a terminal; no setting written. Then beside a window
# copy under Xvfb: neither refuses the other.
. "$(dirname "$0")/lib.sh"
program=$1
data=$(cd "$(dirname "$0")/../data" && pwd)
ann=(--first ANN --last LEE --born 1901-02-03T03)
bare() { env -u DISPLAY -u WAYLAND_DISPLAY "$program" "$@"; }
# Runs the program as given; STATUS is its exit status, ERR what it wrote to standard error.
run() { set +e; ERR=$("$@" 2>&1 >"$E2E_ROOT/out"); STATUS=$?; set -e; }
cd "$E2E_ROOT"

text=$(bare "${ann[@]}")
[ "$(head -n1 <<<"$text")" = "                            Larkspire Interpretation" ] || fail "the text has no title: $text"
grep -qx "Lucky Number :-2" <<<"$text" && grep -qx "Money Number :-6" <<<"$text" || fail "the text's values: $text"
# With --explain each description is followed by its working, which ends with the value reached.
explained=$(bare "${ann[@]}" --explain)
[ "$(sed '/^How it is reached:$/,/^$/{/^$/!d}' <<<"$explained")" = "$text" ] || fail "--explain changed the report: $explained"
grep -A12 -x "Money Number :-6" <<<"$explained" | grep -qx "  The Money Number is 6." || fail "the working: $explained"
bare "${ann[@]}" --format rtf >ann.rtf
cmp -s ann.rtf "$data/ann-lee-3-february-1901.rtf" || fail "the RTF differs from the report window's save"
bare "${ann[@]}" --format=pdf --output ann.pdf
# The printout ends with its page number.
[ "$(pdftotext ann.pdf - | words | sed '$ {/^1$/d}')" = "$(words <<<"$text")" ] || fail "the PDF's words are not the text's"
# Dated by SOURCE_DATE_EPOCH, one reading is one PDF, byte for byte.
for pdf in dated.pdf again.pdf; do SOURCE_DATE_EPOCH=1700000000 bare "${ann[@]}" --format pdf --output $pdf; done
cmp -s dated.pdf again.pdf && grep -aq "^/CreationDate (D:20231114221320" dated.pdf || fail "two dated PDFs differ"
bare --first Ann --middle "" --last lee --born "1901-02-03 03:00:00" --format json >ann.json
python3 - ann.json <<'PY' || fail "the JSON: $(cat ann.json)"
import json, sys
lines = open(sys.argv[1]).read().splitlines()
reading = json.loads(lines[0])
assert len(lines) == 1 and reading["input"] == {"first": "ANN", "middle": "", "last": "LEE", "born": "1901-02-03T03:00:00"}
assert [(r["key"], r["value"]) for r in reading["results"]][:3] == [("luckyNumber", 2), ("luckyColor", "Mauve"), ("moneyNumber", 6)]
assert all(str(r["value"]) in r["working"][-1] for r in reading["results"])
PY

# A file of people: the good rows are done, each bad one said as FILE:LINE, status 1.
printf '\xEF\xBB\xBFFirst,Last,Born\r\nann,lee,1901-02-03T03\r\nann,l3e,1990-01-01\r\n"theo","brown",2023-02-29\r\n"bob\r\n",ray,1990-01-01\r\nbob,ray,1990-01-01T10\r\n' >people.csv
run bare --batch people.csv --format json
[ "$STATUS" -eq 1 ] || fail "a file with bad rows ended with $STATUS"
[ "$ERR" = "people.csv:3: invalid name in column 'last': '3' is not a letter or a space
people.csv:4: Please Enter Correct Date Or Month!
people.csv:5: invalid name in column 'first': U+000A is not a letter or a space
larkspire: 3 of 5 rows failed" ] || fail "the bad rows said '$ERR'"
[ "$(python3 -c 'import json,sys; print(" ".join(str(json.loads(l)["line"]) for l in sys.stdin))' <out)" = "2 7" ] \
  || fail "the good rows' readings: $(cat out)"

# Files of people as spreadsheets save them, each read as the same file in ISO form: LibreOffice's
# in the United States (its date order the locale's), Excel's in Germany (semicolons, other
# names, a time column).
printf 'first,last,born\nAnn,Lee,1901-02-03T03:00\nBob,Ray,1990-05-17T14:30\n' >iso.csv
bare --batch iso.csv --format json >iso.jsonl
printf '\xEF\xBB\xBFFirst Name,Last Name,Date of Birth\r\nAnn,Lee,02/03/1901 03:00\r\nBob,Ray,05/17/1990 2:30 PM\r\n' >us.csv
env -u DISPLAY -u WAYLAND_DISPLAY LC_ALL=en_US.UTF-8 "$program" --batch us.csv --format json >us.jsonl
printf 'Vorname;Nachname;Geburtsdatum;Uhrzeit\r\nAnn;Lee;03.02.1901;03:00\r\nBob;Ray;17.05.1990;14:30\r\n' >de.csv
bare --batch de.csv --format json --date-order dmy --columns first=Vorname,last=Nachname,born=Geburtsdatum,time=Uhrzeit >de.jsonl
cmp -s us.jsonl iso.jsonl && cmp -s de.jsonl iso.jsonl || fail "spreadsheets' files read otherwise: $(cat us.jsonl de.jsonl)"

# One file for each person in a folder, made when missing; none replaced without --overwrite.
run bare --batch people.csv --format rtf --output folder/
[ "$STATUS" -eq 1 ] && [ "$(ls folder | tr '\n' ' ')" = "ANN-LEE-2.rtf BOB-RAY-7.rtf " ] || fail "the folder holds $(ls folder)"
cmp -s folder/ANN-LEE-2.rtf "$data/ann-lee-3-february-1901.rtf" || fail "the folder's RTF differs from the save"
echo mine >folder/BOB-RAY-7.rtf
run bare --batch - --format rtf --output folder <people.csv
grep -qxe "-:7: 'folder/BOB-RAY-7.rtf' is there already ('--overwrite' replaces it)" <<<"$ERR" || fail "a file in the way: '$ERR'"
[ "$(cat folder/BOB-RAY-7.rtf)" = mine ] || fail "a file was replaced without --overwrite"
run bare --batch people.csv --format rtf --output folder --overwrite
[ "$(head -c 5 folder/BOB-RAY-7.rtf)" = "{\\rtf" ] || fail "--overwrite did not replace the file"

# A full disk is said, with status 1, and the old file stays; a closed pipe ends quietly, as it
# ends GNU tools (killed by SIGPIPE: 141).
for words in --help --version "${ann[*]}" "--batch people.csv --format json"; do
  set +e; ERR=$(bare $words 2>&1 >/dev/full); STATUS=$?; set -e
  [ "$STATUS" -eq 1 ] && grep -qx "larkspire: write error: No space left on device" <<<"$ERR" \
    || fail "'$words' into /dev/full ended with $STATUS and said '$ERR'"
done
seq 20000 | sed 's/.*/ann,lee,1990-01-01/;1i first,last,born' >many.csv
# A file that fails past its first blocks (written while the next are made) stops the run, said.
echo old >many.jsonl
run bash -c "ulimit -f 1024; exec env -u DISPLAY '$program' --batch many.csv --format json --output many.jsonl"
[ "$STATUS" -eq 1 ] && [ "$ERR" = "larkspire: cannot write 'many.jsonl': File too large" ] && [ "$(cat many.jsonl)" = old ] \
  || fail "a batch beyond the file size limit ended with $STATUS, said '$ERR' and left $(head -c 20 many.jsonl)"
set +e; (bare --batch many.csv --format json 2>pipe.err; echo $? >pipe.status) | head -c 10 >/dev/null; set -e
[ "$(cat pipe.status)" -eq 141 ] && [ ! -s pipe.err ] \
  || fail "a closed pipe ended with $(cat pipe.status) and said '$(cat pipe.err)'"
echo old >kept.jsonl
run env -u DISPLAY -u WAYLAND_DISPLAY bash -c "ulimit -f 8; exec '$program' --batch many.csv --format json --output kept.jsonl"
[ "$STATUS" -eq 1 ] && [ "$ERR" = "larkspire: cannot write 'kept.jsonl': File too large" ] && [ "$(cat kept.jsonl)" = old ] \
  || fail "a write beyond the size limit ended with $STATUS, said '$ERR' and left '$(head -c 20 kept.jsonl)'"
# A PDF is binary: not on a terminal.
run script -qec "env -u DISPLAY -u WAYLAND_DISPLAY '$program' ${ann[*]} --format pdf" /dev/null
[ "$STATUS" -eq 2 ] || fail "a PDF to a terminal ended with $STATUS"
[ ! -e "$XDG_CONFIG_HOME/larkspire" ] || fail "a reading touched the settings"

# Beside a window copy: a reading that runs does not keep the windows from starting, and a reading
# succeeds while the windows run.
start_display
mkfifo later.csv
bare --batch later.csv --format json --output later.jsonl &
reading=$!
start_program
bare "${ann[@]}" --format json >/dev/null || fail "a reading beside the windows failed"
printf 'first,last,born\nann,lee,1990-01-01\n' >later.csv
wait "$reading" || fail "the reading held open while the windows started failed"
[ "$(wc -l <later.jsonl)" -eq 1 ] || fail "the reading held open wrote $(cat later.jsonl)"
echo "1 passed, 0 failed"
