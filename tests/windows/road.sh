#!/usr/bin/env bash
# The Windows build's road of one reading under Wine: --help names the settings file as Windows
# keeps it; the keyboard road to Ann Lee's report (save_ann_lee), saved through Windows' own Save
# As dialog, byte for byte the one the Linux build saves for the same reading.
. "$(dirname "$0")/lib.sh"
program=$1
start_display
start_wine

# The command line on Windows: --help says where Windows keeps the setting, with its separators.
help=$("$WINE" "$program" --help 2>/dev/null | tr -d '\r') || fail "--help failed under Wine"
grep -qiE '^[A-Z]:\\users\\[^\\]+\\AppData\\Local\\larkspire\\larkspire\.conf$' <<<"$help" \
  || fail "--help does not name the settings file as Windows keeps it: $help"

saved="$E2E_ROOT/work/ann-lee.rtf"
save_ann_lee steady_window_sum "$(windows_path "$saved")" "$saved"
close_report "$REPORT"
exit_from_menu "$VIEWER"
echo "1 passed, 0 failed"
