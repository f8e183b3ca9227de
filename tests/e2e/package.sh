#!/usr/bin/env bash
# Makes the .deb from the build tree, checks what it holds and what it needs, unpacks it into a
# scratch root and starts the program from there.
. "$(dirname "$0")/lib.sh"
build_dir=$1
out="$E2E_ROOT/package"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$out" >/dev/null || fail "cpack could not make the package"
deb=$(ls "$out"/larkspire_1.45*_amd64.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no .deb was made"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/larkspire ./usr/share/applications/com.example.Larkspire.desktop \
            ./usr/share/icons/hicolor/64x64/apps/com.example.Larkspire.png; do
  echo "$contents" | grep -q " $path\$" || fail "the package lacks $path"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends" | grep -q "libqt6widgets6" || fail "the package does not depend on Qt Widgets: $depends"
echo "$depends" | grep -q "libqt6printsupport6" || fail "the package does not depend on Qt Print Support: $depends"
[ "$(dpkg-deb -f "$deb" Package)" = larkspire ] || fail "wrong package name"

root="$E2E_ROOT/root"
dpkg-deb -x "$deb" "$root"
desktop="$root/usr/share/applications/com.example.Larkspire.desktop"
grep -qx "Name=Larkspire" "$desktop" || fail "the desktop file does not name Larkspire"
grep -qx "Categories=Utility;" "$desktop" || fail "the desktop file is not in Utility"
file "$root/usr/bin/larkspire" | grep -q "ELF 64-bit" || fail "the installed program is no executable"

start_display
"$root/usr/bin/larkspire" 2>"$E2E_ROOT/program.log" &
PIDS+=($!)
window_of_width 475 >/dev/null || { cat "$E2E_ROOT/program.log" >&2; program_windows >&2; fail "the installed program did not start"; }
echo "1 passed, 0 failed"
