#!/usr/bin/env bash
# Makes the .deb from the build tree, checks what it holds and what it needs, has lintian,
# desktop-file-validate and appstreamcli check it, unpacks it into a scratch root and starts the
# program from there: its window's class must be the one the desktop file names.
. "$(dirname "$0")/lib.sh"
build_dir=$1
out="$E2E_ROOT/package"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$out" >/dev/null || fail "cpack could not make the package"
deb=$(ls "$out"/larkspire_1.45*_amd64.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no .deb was made"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/larkspire ./usr/share/applications/com.example.Larkspire.desktop \
            ./usr/share/metainfo/com.example.Larkspire.metainfo.xml ./usr/share/man/man1/larkspire.1.gz \
            ./usr/share/doc/larkspire/copyright ./usr/share/doc/larkspire/changelog.gz \
            ./usr/share/icons/hicolor/scalable/apps/com.example.Larkspire.svg \
            ./usr/share/bash-completion/completions/larkspire; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done
for size in 16 32 48 64 128 256; do
  grep -q " ./usr/share/icons/hicolor/${size}x${size}/apps/com.example.Larkspire.png\$" <<<"$contents" \
    || fail "the package lacks the ${size} px icon"
done
for tool in lintian desktop-file-validate appstreamcli xprop; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup-deps installs it)"
done
complaints=$(lintian --tag-display-limit 0 "$deb" 2>/dev/null | grep -E '^(E|W):' || true)
[ -z "$complaints" ] || fail "lintian: $complaints"
[ -n "$(dpkg-deb -f "$deb" Homepage)" ] || fail "the package names no homepage"
dpkg-deb -f "$deb" Recommends | grep -q qt6-wayland || fail "the package does not recommend qt6-wayland"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q "libqt6widgets6" <<<"$depends" || fail "the package does not depend on Qt Widgets: $depends"
grep -q "libqt6printsupport6" <<<"$depends" || fail "the package does not depend on Qt Print Support: $depends"
[ "$(dpkg-deb -f "$deb" Package)" = larkspire ] || fail "wrong package name"

root="$E2E_ROOT/root"
dpkg-deb -x "$deb" "$root"
desktop="$root/usr/share/applications/com.example.Larkspire.desktop"
grep -qx "Name=Larkspire" "$desktop" || fail "the desktop file does not name Larkspire"
grep -qx "Categories=Utility;" "$desktop" || fail "the desktop file is not in Utility"
file "$root/usr/bin/larkspire" | grep -q "ELF 64-bit" || fail "the installed program is no executable"
# The completion for bash, as bash asks it: the words so far, the one being completed last.
completes() { bash -c '. "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _larkspire; echo "${COMPREPLY[*]}"' _ \
  "$root/usr/share/bash-completion/completions/larkspire" larkspire "$@"; }
[ "$(completes --ov)" = "--overwrite" ] && [ "$(completes --format "")" = "text json rtf pdf" ] \
  && [ "$(completes --format = j)" = "json" ] || fail "bash completes '$(completes --ov)', '$(completes --format "")'"
desktop-file-validate "$desktop" || fail "desktop-file-validate (above)"
appstreamcli validate --no-net "$root/usr/share/metainfo/com.example.Larkspire.metainfo.xml" >/dev/null \
  || fail "appstreamcli validate: $(appstreamcli validate --no-net "$root/usr/share/metainfo/com.example.Larkspire.metainfo.xml")"

start_display
"$root/usr/bin/larkspire" 2>"$E2E_ROOT/program.log" &
PIDS+=($!)
form=$(window_of_role inputWindow) || { cat "$E2E_ROOT/program.log" >&2; program_windows >&2; fail "the installed program did not start"; }
class=$(xprop -id "$form" WM_CLASS | sed 's/.*, "\(.*\)"$/\1/')
[ "$class" = "$(sed -n 's/^StartupWMClass=//p' "$desktop")" ] || fail "the window's class '$class' is not the desktop file's"
echo "1 passed, 0 failed"
