#!/usr/bin/env bash
# The Windows installer under Wine, from end to end, in a Wine prefix and an X display of its own:
#  1. installs silently (twice, as an upgrade in place does) and uninstalls silently with nothing
#     else in the way: the prefix's files, its %TEMP% and the user's registry must be as they were
#     before, the user's own PATH (longer than an NSIS string, with variables in it) too, which
#     held the install folder once meanwhile;
#  2. installs again and checks the files, the Start-menu shortcut and the Installed Apps entry,
#     starts the program through the shortcut, where an install and the entry's silent uninstall
#     must fail (status not 0) and change nothing, closes it, saves the user's own files (reports
#     beside and inside the install folder, in Documents, and the program's settings), uninstalls
#     with the entry's QuietUninstallString: everything installed must be gone and the user's
#     files untouched; installs, and uninstalls with the uninstaller on its own, which hands over
#     to a copy of itself in %TEMP%: that copy must be gone too;
#  3. installs, then installs into another folder (/D=): the first copy must be gone, from the
#     PATH too, and the uninstall that follows must leave neither;
#  4. installs and uninstalls where the user's PATH names the install folder otherwise: it stays
#     the one entry.
#
#   tests/windows/installer.sh LARKSPIRE_EXE SETUP_EXE
#
# LARKSPIRE_EXE is the build's program, which the installer carries stripped; SETUP_EXE is the
# installer under test. Every wait is on a condition with a time limit.
if [ $# -ne 2 ]; then
  echo "usage: tests/windows/installer.sh LARKSPIRE_EXE SETUP_EXE" >&2
  exit 2
fi
program=$(readlink -f "$1")
setup=$(readlink -f "$2")
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
version=$(sed -n 's/^project(Larkspire VERSION \([0-9][0-9.]*\)[ )].*/\1/p' "$source_dir/CMakeLists.txt")

WINESERVER=/usr/lib/wine/wineserver
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Larkspire'

ROOT=$E2E_ROOT
# Wine links the prefix's Documents and Desktop to $HOME, which is the test's own; its data and
# cache folders are too.
export XDG_DATA_HOME=$ROOT/data XDG_CACHE_HOME=$ROOT/cache
mkdir -p "$XDG_DATA_HOME" "$XDG_CACHE_HOME"

# Any other command that fails ends the test too, saying where.
set -E
trap 'fail "line $LINENO failed: $BASH_COMMAND"' ERR

gone() { [ ! -e "$1" ] && [ ! -L "$1" ]; }

# Waits until every process of the prefix has ended and its server has gone: an installer and an
# uninstaller are over only then (an NSIS uninstaller hands over to a copy of itself in %TEMP%).
prefix_idle() { timeout "$1" "$WINESERVER" -w; }

for tool in Xvfb xdpyinfo xdotool file strings iconv x86_64-w64-mingw32-strip; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -f "$program" ] || fail "no program at $1"
[ -f "$setup" ] || fail "no installer at $2"
[ -n "$version" ] || fail "no version in $source_dir/CMakeLists.txt"
[ -x "$WINE" ] || fail "$WINE is missing (Debian's wine64)"

start_display
start_wine

# The user's own PATH as Windows keeps it (REG_EXPAND_SZ, with variables), longer than the 1,024
# characters an NSIS string holds.
user_path=$(for i in $(seq 300); do printf '%%USERPROFILE%%\\Tools%03d;' "$i"; done)'C:\Last'
"$WINE" reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "$user_path" /f >/dev/null 2>&1 || fail "the user's PATH cannot be set"
path_is() {
  local got type
  got=$("$WINE" reg query 'HKCU\Environment' /v Path 2>/dev/null | tr -d '\r' | sed -n 's/^ *Path  *\(REG_[A-Z_]*\)  */\1 /p')
  type=${got%% *}
  got=${got#"$type "}
  [ "$type $got" = "REG_EXPAND_SZ $1" ] \
    || fail "the user's PATH is '$type', ${#got} characters ending '${got: -60}', not ${#1} ending '${1: -60}'"
}

# A Windows folder named by an environment variable, as a path here.
win_var() { "$WINE" cmd /c "echo %$1%" 2>/dev/null | tr -d '\r' | tail -n1; }
# The path here of a Windows path, through the prefix's drive links.
unix_path() {
  local path
  path=$("$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r' | tail -n1)
  [ -n "$path" ] && readlink -m "$path"
}
LOCALAPPDATA_W=$(win_var LOCALAPPDATA)
temp_dir=$(unix_path "$(win_var TEMP)") || fail "Wine names no temporary folder"
# Nothing comes into %TEMP% that stays.
temp_before=$(ls -A "$temp_dir")
temp_as_before() { [ "$(ls -A "$temp_dir")" = "$temp_before" ] || fail "$1 left in %TEMP%: $(ls -A "$temp_dir" | tr '\n' ' ')"; }
APPDATA_W=$(win_var APPDATA)
USERPROFILE_W=$(win_var USERPROFILE)
case "$LOCALAPPDATA_W$APPDATA_W$USERPROFILE_W" in *%*|"") fail "Wine names no user folders";; esac
INSTALL_W="$LOCALAPPDATA_W\\Programs\\Larkspire"
install_dir=$(unix_path "$INSTALL_W") || fail "Wine cannot name $INSTALL_W here"
localappdata=$(unix_path "$LOCALAPPDATA_W") || fail "Wine cannot name $LOCALAPPDATA_W here"
start_menu=$(unix_path "$APPDATA_W\\Microsoft\\Windows\\Start Menu\\Programs") || fail "Wine cannot name the Start menu here"
shortcut=$start_menu/Larkspire.lnk
documents=$(unix_path "$USERPROFILE_W\\Documents") || fail "Wine cannot name Documents here"
programs_dir=$(dirname "$install_dir")
settings=$localappdata/larkspire/larkspire.conf
[ -d "$localappdata" ] && [ -d "$documents" ] || fail "the prefix's user folders are missing"

# Everything in the prefix's C: drive outside Windows' own folder and the temporary folders, and
# in the home that Documents and Desktop lead to, with the user's registry: what an install and an
# uninstall must leave as they found it.
snapshot() {
  { (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print)
    (cd "$HOME" && find . -mindepth 1 -printf 'home/%P\n'); } | LC_ALL=C sort >"$1.files"
  "$WINE" reg export HKCU "$1.reg" /y >/dev/null 2>&1 || fail "the user's registry cannot be exported"
  iconv -f UTF-16LE -t UTF-8 "$1.reg" | tr -d '\r' | grep -i larkspire >"$1.larkspire" || true
}

# A path here as a snapshot lists it.
listed() {
  case "$1" in
    "$WINEPREFIX/drive_c/"*) echo "./${1#"$WINEPREFIX/drive_c/"}" ;;
    "$HOME/"*) echo "home/${1#"$HOME/"}" ;;
    *) echo "$1" ;;
  esac
}

# The value of one entry of the uninstall key, as "TYPE VALUE"; nothing when there is none.
entry() {
  { "$WINE" reg query "$UNINSTALL_KEY" /v "$1" 2>/dev/null || true; } | tr -d '\r' |
    sed -n "s/^ *$1  *\(REG_[A-Z_]*\)  *\(.*\)\$/\1 \2/p"
}
no_entry() { ! "$WINE" reg query "$UNINSTALL_KEY" >/dev/null 2>&1; }

install() {
  local status=0
  timeout 90 "$WINE" "$setup" /S >"$ROOT/setup.log" 2>&1 || status=$?
  [ "$status" -eq 0 ] || { cat "$ROOT/setup.log" >&2; fail "the silent install failed (status $status)"; }
  prefix_idle 60 || fail "the installer did not end within 60 s"
}

# Runs an uninstall command and waits for the prefix to come to rest; its status must be 0, or with
# "refused" (while the program runs) not 0, and then nothing is waited for.
uninstall() {
  local command=$1 expected=${2:-0} path args status=0
  path=$(sed -n 's/^"\([^"]*\)".*/\1/p' <<<"$command")
  args=$(sed -n 's/^"[^"]*" *//p' <<<"$command")
  [ -n "$path" ] || fail "the uninstall command is not a quoted path: $command"
  # shellcheck disable=SC2086 # the arguments are words, as Windows would split them
  timeout 60 "$WINE" "$path" $args >"$ROOT/uninstall.log" 2>&1 || status=$?
  if [ "$expected" = refused ]; then
    [ "$status" -ne 0 ] || fail "the uninstaller ($command) reported success while the program was running"
    return 0
  fi
  [ "$status" -eq 0 ] || { cat "$ROOT/uninstall.log" >&2; fail "the uninstaller ($command) failed with status $status"; }
  prefix_idle 60 || fail "the uninstaller did not end within 60 s"
}

# 1. Install, install again over it, uninstall: nothing remains.
snapshot "$ROOT/before"
install
[ -f "$install_dir/larkspire.exe" ] || fail "the first install put no larkspire.exe in $install_dir"
path_is "$user_path;$INSTALL_W"
install
path_is "$user_path;$INSTALL_W"
uninstall "\"$INSTALL_W\\Uninstall.exe\" /S"
path_is "$user_path"
temp_as_before "install and uninstall"
snapshot "$ROOT/after"
left=$(comm -13 "$ROOT/before.files" "$ROOT/after.files")
[ -z "$left" ] || fail "install and uninstall left behind: $left"
taken=$(comm -23 "$ROOT/before.files" "$ROOT/after.files")
[ -z "$taken" ] || fail "install and uninstall removed: $taken"
[ ! -s "$ROOT/after.larkspire" ] || fail "install and uninstall left in the registry: $(cat "$ROOT/after.larkspire")"

# 2. Install and check what came. Wine gives the programs it starts no more than 1,024 characters
#    of a variable it expands from the registry: the user's PATH is short from here on, so that a
#    new console sees all of it.
user_path='%USERPROFILE%\bin'
"$WINE" reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "$user_path" /f >/dev/null 2>&1 || fail "the user's PATH cannot be set"
install
snapshot "$ROOT/installed"
# Whatever is new lies in the install folder (or is a folder above it), or is the shortcut.
install_rel=$(listed "$install_dir")
shortcut_rel=$(listed "$shortcut")
while IFS= read -r path; do
  case "$path" in
    "$install_rel"/*|"$shortcut_rel") ;;
    *) case "$install_rel/" in "$path"/*) ;; *) fail "the installer wrote outside its folder: $path" ;; esac ;;
  esac
done < <(comm -13 "$ROOT/before.files" "$ROOT/installed.files")
[ -z "$(comm -23 "$ROOT/before.files" "$ROOT/installed.files")" ] || fail "the installer removed files"
installed=$(cd "$install_dir" && ls -A | LC_ALL=C sort | tr '\n' ' ')
[ "$installed" = "LICENCE.txt Uninstall.exe larkspire-uninstall.exe larkspire.com larkspire.exe " ] || fail "the install folder holds: $installed"
file "$install_dir/larkspire.exe" | grep -q 'PE32+ executable (GUI) x86-64' || fail "the installed larkspire.exe is no 64-bit Windows program"
# The installer carries this build's program, stripped: an installer left from another build
# fails here. strip stamps its output with SOURCE_DATE_EPOCH; given the installed program's stamp,
# the same program comes out byte for byte, even when it has been linked again since.
pe_header=$(od -An -tu4 -j60 -N4 "$install_dir/larkspire.exe" | tr -d ' ')
stamp=$(od -An -tu4 -j$((pe_header + 8)) -N4 "$install_dir/larkspire.exe" | tr -d ' ')
SOURCE_DATE_EPOCH=$stamp x86_64-w64-mingw32-strip --strip-all -o "$ROOT/stripped.exe" "$program" \
  || fail "$program cannot be stripped"
cmp -s "$ROOT/stripped.exe" "$install_dir/larkspire.exe" \
  || fail "the installed larkspire.exe is not $program stripped: is the installer from another build?"
# The licence names the Debian source version Qt was built from and its patches (the host's Qt,
# whose tools built it, is that version).
debian_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
for words in "Permission is hereby granted, free of charge" "Qt 6" "GNU LESSER GENERAL PUBLIC LICENSE" \
             "GNU GENERAL PUBLIC LICENSE" "https://www.example.com/larkspire/" \
             "qt6-base source package," "version $debian_version (Debian 12" "  cve-2023-32763.diff"; do
  grep -qF "$words" "$install_dir/LICENCE.txt" || fail "LICENCE.txt lacks \"$words\""
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
# A new console finds "larkspire" on the user's PATH: the installed larkspire.com, which answers for
# the installed program.
[ "$(cd "$ROOT" && "$WINE" cmd /c larkspire --version 2>&1 | tr -d '\r' | head -n1)" = "Larkspire $version" ] \
  || fail "\"larkspire\" in a new console does not answer for the installed program"
strings -a "$shortcut" | grep -qixF "$INSTALL_W\\larkspire.exe" || fail "the shortcut does not point at $INSTALL_W\\larkspire.exe"

expect_entry() {
  local name=$1 want=$2 got
  got=$(entry "$name")
  [ "${got,,}" = "${want,,}" ] || fail "uninstall entry $name is '$got', not '$want'"
}
expect_entry DisplayName "REG_SZ Larkspire"
expect_entry DisplayVersion "REG_SZ $version"
expect_entry Publisher "REG_SZ Larkspire developers"
expect_entry DisplayIcon "REG_SZ $INSTALL_W\\larkspire.exe"
expect_entry InstallLocation "REG_SZ $INSTALL_W"
expect_entry UninstallString "REG_SZ \"$INSTALL_W\\Uninstall.exe\""
expect_entry QuietUninstallString "REG_SZ \"$INSTALL_W\\Uninstall.exe\" /S"
expect_entry NoModify "REG_DWORD 0x1"
expect_entry NoRepair "REG_DWORD 0x1"
size=$(entry EstimatedSize)
[[ $size =~ ^REG_DWORD\ 0x[0-9a-fA-F]+$ ]] || fail "uninstall entry EstimatedSize is '$size'"
kib=$(( $(du -sk --apparent-size "$install_dir" | cut -f1) ))
estimated=$(( ${size#REG_DWORD } ))
[ $((estimated * 10)) -ge $((kib * 9)) ] && [ $((estimated * 10)) -le $((kib * 11)) ] \
  || fail "EstimatedSize says $estimated KiB; the install folder holds $kib KiB"
! "$WINE" reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Larkspire" >/dev/null 2>&1 \
  || fail "the installer wrote an entry for all users (HKLM)"

# The program, as the user starts it: through the Start-menu shortcut.
"$WINE" start /unix "$shortcut" >"$ROOT/start.log" 2>&1 || { cat "$ROOT/start.log" >&2; fail "the shortcut could not be opened"; }
program_window() { xdotool search --onlyvisible --name "^Larkspire v${version//./\\.}\$" 2>/dev/null | head -n1; }
has_window() { [ -n "$(program_window)" ]; }
wait_until 60 has_window || fail "no window \"Larkspire v$version\" within 60 s of opening the shortcut"
window=$(program_window)
PROGRAM_PID=$(xdotool getwindowpid "$window") || fail "the window names no process"
PIDS+=("$PROGRAM_PID")
started=$(ps -o args= -p "$PROGRAM_PID" || true)
[ "${started,,}" = "${INSTALL_W,,}\\larkspire.exe" ] || fail "the shortcut started '$started', not the installed program"

# While the program runs, neither an install nor an uninstall may change anything: both stop, and
# say so in their status (the uninstaller as the entry's QuietUninstallString runs it, plain
# Uninstall.exe /S).
md5sum "$install_dir"/* "$shortcut" >"$ROOT/installed.md5"
status=0
timeout 90 "$WINE" "$setup" /S >"$ROOT/setup.log" 2>&1 || status=$?
[ "$status" -ne 0 ] || fail "the installer reported success while the program was running"
quiet=$(entry QuietUninstallString)
uninstall "${quiet#REG_SZ }" refused
md5sum --quiet -c "$ROOT/installed.md5" >&2 || fail "an install or uninstall changed the installed files while the program ran"
path_is "$user_path;$INSTALL_W"
[ -n "$(entry DisplayName)" ] || fail "the uninstaller removed the uninstall entry while the program ran"
ended "$PROGRAM_PID" && fail "the program ended during the install and uninstall"

xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key alt+F4
if ! wait_until 30 ended "$PROGRAM_PID"; then
  echo "note: Alt+F4 did not close the program within 30 s; ending it" >&2
  kill -9 "$PROGRAM_PID" 2>/dev/null || true
  wait_until 10 ended "$PROGRAM_PID" || fail "the program would not end"
fi
prefix_idle 60 || fail "the prefix did not come to rest after the program ended"

# The user's own files: reports beside the install folder, inside it and in Documents, and the
# program's settings.
printf '{\\rtf1 beside}\r\n' >"$programs_dir/My reading.rtf"
printf '{\\rtf1 inside}\r\n' >"$install_dir/Reading saved here.rtf"
printf '{\\rtf1 documents}\r\n' >"$documents/Larkspire reading.rtf"
mkdir -p "$(dirname "$settings")"
printf '[Settings]\r\nDuration=2026-01-31\r\n' >"$settings"
users_files=("$programs_dir/My reading.rtf" "$install_dir/Reading saved here.rtf" "$documents/Larkspire reading.rtf" "$settings")
md5sum "${users_files[@]}" >"$ROOT/users.md5"

# Uninstall as Installed Apps would, silently.
quiet=$(entry QuietUninstallString)
uninstall "${quiet#REG_SZ }"
no_entry || fail "the uninstall entry is still in the registry"
gone "$shortcut" || fail "the Start-menu shortcut is still there"
for name in larkspire.exe larkspire.com LICENCE.txt Uninstall.exe larkspire-uninstall.exe; do
  gone "$install_dir/$name" || fail "$name is still in the install folder"
done
[ -d "$install_dir" ] || fail "the uninstaller removed the install folder with the user's report in it"
left=$(cd "$install_dir" && ls -A | tr '\n' ' ')
[ "$left" = "Reading saved here.rtf " ] || fail "the install folder should hold only the user's report, not: $left"
md5sum --quiet -c "$ROOT/users.md5" >&2 || fail "the user's files changed"
snapshot "$ROOT/end"
[ ! -s "$ROOT/end.larkspire" ] || fail "the uninstaller left in the registry: $(cat "$ROOT/end.larkspire")"

# Without the report inside it, the install folder goes too, and what was made around it; the
# uninstaller started on its own leaves its copy in %TEMP% no more than Uninstall.exe does.
rm "$install_dir/Reading saved here.rtf"
install
uninstall "\"$INSTALL_W\\larkspire-uninstall.exe\" /S"
temp_as_before "the uninstaller started on its own"
gone "$install_dir" || fail "the empty install folder is still there: $(ls -A "$install_dir" | tr '\n' ' ')"
[ -f "$programs_dir/My reading.rtf" ] || fail "the report beside the install folder was removed"
md5sum --quiet -c <(grep -v 'Reading saved here' "$ROOT/users.md5") >&2 || fail "the user's files changed"
# Of all that came since the start, only the user's report beside the install folder and the
# program's settings folder remain.
snapshot "$ROOT/final"
settings_rel=$(listed "$localappdata/larkspire")
programs_rel=$(listed "$programs_dir")
documents_report=$(listed "$documents/Larkspire reading.rtf")
while IFS= read -r path; do
  case "$path" in
    "$settings_rel"|"$settings_rel"/*|"$programs_rel"|"$programs_rel/My reading.rtf"|"$documents_report") ;;
    *) fail "the uninstaller left $path" ;;
  esac
done < <(comm -13 "$ROOT/before.files" "$ROOT/final.files")
[ ! -s "$ROOT/final.larkspire" ] || fail "the uninstaller left in the registry: $(cat "$ROOT/final.larkspire")"

# 3. An install into another folder first takes the earlier install away, with its own uninstaller:
#    no copy stays behind without an uninstall entry, and uninstalling leaves neither.
install
[ -f "$install_dir/larkspire.exe" ] || fail "the install put no larkspire.exe in $install_dir"
OTHER_W='C:\Other Place\Larkspire'
other_dir=$(unix_path "$OTHER_W") || fail "Wine cannot name $OTHER_W here"
# NSIS reads /D= to the end of the command line, unquoted: Wine joins the two words with a blank.
status=0
timeout 90 "$WINE" "$setup" /S '/D=C:\Other' 'Place\Larkspire' >"$ROOT/setup.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || { cat "$ROOT/setup.log" >&2; fail "the install into $OTHER_W failed (status $status)"; }
prefix_idle 60 || fail "the installer did not end within 60 s"
[ -f "$other_dir/larkspire.exe" ] || fail "the install into $OTHER_W put no larkspire.exe there"
gone "$install_dir" || fail "the earlier install was left in $INSTALL_W: $(ls -A "$install_dir" | tr '\n' ' ')"
[ -f "$programs_dir/My reading.rtf" ] || fail "taking the earlier install away removed the user's report beside it"
expect_entry InstallLocation "REG_SZ $OTHER_W"
path_is "$user_path;$OTHER_W"
quiet=$(entry QuietUninstallString)
uninstall "${quiet#REG_SZ }"
path_is "$user_path"
no_entry || fail "the uninstall entry is still in the registry"
gone "$other_dir" || fail "the uninstaller left $OTHER_W"
gone "$(dirname "$other_dir")" || fail "the uninstaller left the folder the install made above $OTHER_W"
gone "$install_dir" || fail "$INSTALL_W came back"

# 4. The user's own entry for the install folder, spelled otherwise, is that folder: the install
#    adds no second one, and the uninstall leaves the user's.
user_path='%USERPROFILE%\bin;"%LOCALAPPDATA%\programs\LARKSPIRE\"'
"$WINE" reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "$user_path" /f >/dev/null 2>&1 || fail "the user's PATH cannot be set"
install
path_is "$user_path"
uninstall "\"$INSTALL_W\\Uninstall.exe\" /S"
path_is "$user_path"

echo "1 passed, 0 failed"
