#!/usr/bin/env bash
# The hot-key dialog on an older system: the Wine prefix reports Windows XP
# for the length of this script, and the Windows-side cases that need it
# (HotKeyDialogXp.*) run against the launch shortcut in the common Start menu.
set -euo pipefail
build=${1:?usage: hotkey_dialog_xp.sh BUILD_DIR}
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=$build/bin/quorvex_win_tests.exe
[[ -n ${QUORVEX_WINE:-} ]] || exec "$root/scripts/wine-session" -- "$0" "$@"

restore() { "$QUORVEX_WINE" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true; }
trap restore EXIT
"$QUORVEX_WINE" reg add 'HKCU\Software\Wine' /v Version /d winxp64 /f >/dev/null 2>&1

out=$("$root/scripts/wine-exec" "$exe" --gtest_filter='HotKeyDialogXp.*' 2>&1) || {
  echo "$out"
  exit 1
}
echo "$out" | grep -v '^wine:'
# Every case must have run: a skip means the prefix still reports a newer system.
if echo "$out" | grep -q '\[  SKIPPED \]'; then
  echo "hotkey_dialog_xp: cases were skipped; the version switch did not take" >&2
  exit 1
fi
# All four older-system cases ran and passed.
echo "$out" | grep -q '\[  PASSED  \] 4 tests'
