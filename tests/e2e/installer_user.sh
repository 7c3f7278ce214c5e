#!/usr/bin/env bash
# The 64-bit setup installing just for the user who runs it, beside an install
# for all users, in the session's prefix: both scope switches at once are
# refused; silently with /CurrentUser, what it
# installs (files in the user's local programs folder, the HKCU uninstall
# entry, the user's Start-menu shortcut read back through the shell, the Run
# value) and that it writes nothing under HKLM, the Program Files folders or
# the all-users Start menu; the installed program; an upgrade over a running
# bar that keeps the bar's settings; the setup run as a standard user (the
# session's user with the Administrators group made deny-only): its wizard
# proposes just for me, without a switch it installs just for that user, and
# /AllUsers, which Wine cannot elevate, ends with exit code 740 from the copy
# it started elevated and writes nothing;
# a silent uninstall that removes what this install made, nothing of the
# other, and keeps the settings; the other's uninstall, refused to a standard
# user the same way, then run by the administrator.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project(Quorvex VERSION \([0-9][0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
SETUP=$E2E_BIN/Quorvex-$version-win64-setup.exe
LINK_PROBE=$E2E_BIN/link_probe.exe
LIMITED=$E2E_BIN/limited_run.exe
SETUP_PROBE=$E2E_BIN/setup_probe.exe
[[ -f $SETUP ]] || fail "no $SETUP (build the win64 preset with makensis installed)"

RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
USER_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvex'
MACHINE_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvex'
# The other install, for all users (no spaces: a quoted /D= is not the folder option).
MACHINE_DIR='C:\Apps\Quorvex全员'

installer_user_cleanup() {
    local rc=$?
    "$QUORVEX_WINE" reg delete "$RUN_KEY" /v Lumetra /f >/dev/null 2>&1
    "$QUORVEX_WINE" reg delete "$USER_KEY" /f >/dev/null 2>&1
    "$QUORVEX_WINE" reg delete "$MACHINE_KEY" /f >/dev/null 2>&1
    local d
    for d in "${user_dir:-}" "${machine_dir:-}" "${user_links:-}" "${machine_links:-}"; do
        [[ -n $d ]] && rm -rf "$d"
    done
    (exit $rc)
    e2e_cleanup
}
trap installer_user_cleanup EXIT

local_data=$(win "$LINK_PROBE" folder local)
user_programs=$(win "$LINK_PROBE" folder user)
common_programs=$(win "$LINK_PROBE" folder common)
[[ -n $local_data && -n $user_programs && -n $common_programs ]] || fail "the shell's folders are unknown"
USER_DIR="$local_data\\Programs\\Quorvex"
PROGRAM="$USER_DIR\\Quorvex.exe"
USER_LINK="$user_programs\\CorvalisV6\\Lumetra.lnk"
MACHINE_LINK="$common_programs\\CorvalisV6\\Lumetra.lnk"
user_dir=$(unix_path "$USER_DIR")
machine_dir=$(unix_path "$MACHINE_DIR")
user_links=$(unix_path "$user_programs\\CorvalisV6")
machine_links=$(unix_path "$common_programs\\CorvalisV6")
drive_c=$(unix_path 'C:\')
[[ -n $user_dir && -n $machine_dir && -n $drive_c ]] || fail "no Unix paths for the install folders"

# What an install for all users could touch: HKLM, the Program Files
# folders, the all-users Start menu and the other install's folder and
# shortcut. Left out of HKLM is what Wine itself rewrites meanwhile: the
# drivers' dates its device enumeration sets, and a video key for each
# desktop it starts (an earlier script's desktop may have just ended).
machine_state() {
    win reg export HKLM 'C:\quorvex-hklm.reg' /y >/dev/null || fail "reg export HKLM failed"
    iconv -f UTF-16LE -t UTF-8 "$drive_c/quorvex-hklm.reg" | tr -d '\r' | grep -v '^"DriverDateData"=' |
        awk '/^\[/ { skip = index($0, "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video\\") == 1 } !skip'
    rm -f "$drive_c/quorvex-hklm.reg"
    (cd "$drive_c" && find "Program Files" "Program Files (x86)" "$(unix_path "$common_programs")" "$machine_dir" | sort)
    win "$LINK_PROBE" "$MACHINE_LINK"
}

# The entry of the user's install, as the setup writes it.
expect_user_entry() {
    local entry
    entry=$(reg_values "$USER_KEY")
    [[ -n $entry ]] || fail "no uninstall entry under HKCU"
    expect_eq "$(field DisplayName "$entry")|$(field DisplayVersion "$entry")|$(field Publisher "$entry")" \
        "Quorvex|$version|Ostravane" "user's uninstall entry: name, version, publisher"
    expect_eq "$(field InstallLocation "$entry")" "$USER_DIR" "user's uninstall entry: folder"
    expect_eq "$(field DisplayIcon "$entry")" "$PROGRAM,0" "user's uninstall entry: icon"
    expect_eq "$(field QuietUninstallString "$entry")" "\"$USER_DIR\\Uninstall.exe\" /S" \
        "user's uninstall entry: silent command"
}

run_value_is() { [[ $(reg_value "$RUN_KEY" Lumetra) == "$1" ]]; }

step "an install for all users beside"
"$QUORVEX_WINE" "$SETUP" /S /AllUsers "/D=$MACHINE_DIR" >/dev/null 2>&1 || fail "the setup for all users failed ($?)"
[[ -f $machine_dir/Quorvex.exe ]] || fail "the install for all users left no program"
reg_has_key "$MACHINE_KEY" || fail "the install for all users left no HKLM entry"
before=$(machine_state)

step "both /CurrentUser and /AllUsers: refused, nothing installed"
"$QUORVEX_WINE" "$SETUP" /S /CurrentUser /AllUsers >/dev/null 2>&1
expect_eq "$?" "2" "the setup with both switches ends as aborted"
[[ ! -e $user_dir ]] && ! reg_has_key "$USER_KEY" || fail "the setup with both switches installed"

step "silent install just for me"
"$QUORVEX_WINE" "$SETUP" /S /CurrentUser >/dev/null 2>&1 || fail "the setup failed ($?)"
for f in Quorvex.exe README.md LICENSE.txt Uninstall.exe; do
    [[ -f $user_dir/$f ]] || fail "$f was not installed in $USER_DIR"
done
cmp -s "$user_dir/Quorvex.exe" "$E2E_EXE" || fail "the installed program is not the built one"
echo "ok: files installed in the user's local programs folder"
link=$(win "$LINK_PROBE" "$USER_LINK") || fail "no launch shortcut in the user's Start menu: $link"
expect_eq "$(field target "$link")" "$PROGRAM" "shortcut target"
expect_eq "$(field workdir "$link")" "$USER_DIR" "shortcut working folder"
expect_eq "$(field hotkey "$link")" "0x0653" "shortcut hot key Ctrl+Alt+S"
expect_user_entry
expect_eq "$(reg_value "$RUN_KEY" Lumetra)" "\"$PROGRAM\"" "Run value"

step "the installed program starts"
E2E_EXE=$user_dir/Quorvex.exe
start_bar
# Captions off: changed in memory, saved when the bar closes.
setup_menu t
bar_sync
[[ -z $(reg_config_hex) ]] || fail "the settings were written before the bar closed"

step "upgrade just for me over the running bar"
"$QUORVEX_WINE" "$SETUP" /S /CurrentUser >/dev/null 2>&1 || fail "the upgrade failed ($?)"
wait_bar_exit 5
hex=$(reg_config_hex)
expect_eq "$(hex_bytes "$hex" 0 1)" "00" "the bar's settings saved as it was closed (captions off)"
cmp -s "$user_dir/Quorvex.exe" "$E2E_BIN/Quorvex.exe" || fail "the upgrade did not leave the program"
expect_eq "$(field target "$(win "$LINK_PROBE" "$USER_LINK")")" "$PROGRAM" "the upgrade kept the shortcut"

step "as a standard user: the wizard proposes just for me, no switch installs so, /AllUsers is refused"
"$QUORVEX_WINE" "$LIMITED" "$SETUP" >/dev/null 2>&1 &
setup_pid=$!
page=$(win "$SETUP_PROBE" page 0 30000)
expect_eq "$(field radios "$page")" "*仅为我安装|为所有用户安装" "the standard user's wizard proposes just for me"
win "$SETUP_PROBE" end || fail "the wizard could not be ended"
wait "$setup_pid" 2>/dev/null
# A file gone from the user's install comes back: the run installed there.
rm "$user_dir/README.md"
"$QUORVEX_WINE" "$LIMITED" "$SETUP" /S >/dev/null 2>&1 || fail "the standard user's setup failed ($?)"
[[ -f $user_dir/README.md ]] || fail "the standard user's setup did not install just for that user"
expect_user_entry
# 740, "requires elevation", comes from the copy the setup started through runas.
expect_eq "$(field exit "$(win "$LIMITED" "$SETUP" /S /AllUsers)")" "740" \
    "the standard user's /AllUsers ends without the rights, from the elevated copy"

after=$(machine_state)
if [[ $after != "$before" ]]; then
    fail "the installs just for me changed what belongs to all users: $(diff <(echo "$before") <(echo "$after") | head -20)"
fi
echo "ok: nothing written under HKLM, Program Files or the all-users Start menu"

step "silent uninstall just for me"
# The uninstaller copies itself away and returns at once: wait for its work.
"$QUORVEX_WINE" "$user_dir/Uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed ($?)"
wait_until 30 "the user's uninstall entry is still there" eval '! reg_has_key "$USER_KEY"'
wait_until 10 "the install folder is still there" eval '[[ ! -e $user_dir ]]'
[[ ! -e $user_links ]] || fail "the user's shortcut folder is still there: $(ls "$user_links")"
expect_eq "$(reg_value "$RUN_KEY" Lumetra)" "" "Run value removed"
hex=$(reg_config_hex)
[[ ${#hex} == $(( 664 * 2 )) ]] || fail "the silent uninstall removed the settings"
expect_eq "$(hex_bytes "$hex" 0 1)" "00" "settings kept"
reg_has_key "$MACHINE_KEY" || fail "the user's uninstall removed the entry for all users"
[[ -f $machine_dir/Quorvex.exe ]] || fail "the user's uninstall removed the program for all users"
expect_eq "$(field target "$(win "$LINK_PROBE" "$MACHINE_LINK")")" "$MACHINE_DIR\\Quorvex.exe" \
    "the shortcut for all users stays"

step "the install for all users: refused to a standard user, then uninstalls on its own"
# In place (_?=), so that the exit code is the uninstaller's own.
expect_eq "$(field exit "$(win "$LIMITED" "$machine_dir/Uninstall.exe" /S "_?=$MACHINE_DIR")")" "740" \
    "a standard user's uninstall of the install for all users ends without the rights"
reg_has_key "$MACHINE_KEY" && [[ -f $machine_dir/Quorvex.exe ]] ||
    fail "a standard user's uninstall removed parts of the install for all users"
"$QUORVEX_WINE" "$machine_dir/Uninstall.exe" /S >/dev/null 2>&1 || fail "its uninstaller failed ($?)"
wait_until 30 "the HKLM entry is still there" eval '! reg_has_key "$MACHINE_KEY"'
wait_until 10 "its folder is still there" eval '[[ ! -e $machine_dir ]]'
[[ ! -e $machine_links ]] || fail "the all-users shortcut folder is still there: $(ls "$machine_links")"
