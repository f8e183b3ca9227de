#!/usr/bin/env bash
# The command line: --help and --version answer without a display and exit 0; an option Qt does
# not read either, or one in a form Qt does not read, is refused with status 2; a start without a
# display says so in one line, and one with a display that cannot be reached names it in one line
# followed by Qt's own reason, and exits 1; Qt's own -platform option counts as a display of its own.
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
# reason, status 1.
unreachable() {
  local line=$1 reason=$2
  shift 2
  run "$@"
  [ "$STATUS" -eq 1 ] && [ "$(head -n1 <<<"$ERR")" = "$line" ] || fail "$* ended with $STATUS and said '$ERR'"
  tail -n +2 <<<"$ERR" | grep -qF "$reason" || fail "$* did not give Qt's reason ('$reason') after its line: '$ERR'"
}
unreachable "Larkspire cannot reach the X display :$gone" "could not connect to display :$gone" \
  env -u WAYLAND_DISPLAY DISPLAY=:$gone "$program"
unreachable "Larkspire cannot reach the X display no-such-host.invalid:0" "could not connect to display no-such-host.invalid:0" \
  env -u WAYLAND_DISPLAY DISPLAY=no-such-host.invalid:0 "$program"
unreachable "Larkspire cannot reach the Wayland display wayland-gone" "Could not load the Qt platform plugin" \
  env -u DISPLAY WAYLAND_DISPLAY=wayland-gone "$program"
unreachable "Larkspire cannot reach the X display :$gone" "could not connect to display :$gone" bare -display :$gone
unreachable "Larkspire cannot reach the X display (DISPLAY is not set)" "could not connect to display" bare -platform xcb
# A platform plug-in that is not there is named as such, with the plug-ins there are.
unreachable "Larkspire cannot reach a display through Qt's platform plug-in \"nosuch\"" \
  'Could not find the Qt platform plugin "nosuch"' bare -platform nosuch
grep -q "^Available platform plugins are: .*offscreen" <<<"$ERR" || fail "a missing plug-in did not list the ones there are: '$ERR'"

# Qt's -platform option chooses a platform as QT_QPA_PLATFORM does: the program starts and takes
# its lock (which holds its process number). Qt's other options, in the forms Qt reads, are taken.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" -platform offscreen -style=Fusion --reverse \
  -qwindowtitle Title -widgetcount >/dev/null 2>"$E2E_ROOT/offscreen.log" &
PIDS+=($!)
started() { grep -qx "$1" "$XDG_RUNTIME_DIR/larkspire.lock" 2>/dev/null; }
wait_for started "$!" || { cat "$E2E_ROOT/offscreen.log" >&2; fail "-platform offscreen did not start"; }

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
[[ $(paper -- --paper letter) == *"(letter)" ]] && [[ $(paper PAPERSIZE=letter -- --paper=a4) == *"(A4)" ]] \
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
  for file in "$signal"/* scratch/*; do
    [ -e "$file" ] || continue
    [[ $file == "$signal"/*.pdf ]] && pdfinfo "$file" >/dev/null 2>&1 || fail "SIG$signal left '$file' behind"
  done
done
echo "1 passed, 0 failed"
