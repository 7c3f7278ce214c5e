#!/usr/bin/env bash
# The 64-bit setup for all users (the session's user is an administrator), in
# the session's prefix: its wizard up to the options page, then silently what
# it installs (files,
# the launch shortcut read back through the shell, the Run and uninstall
# entries), the installed program and its "start at sign-in" menu item, an
# upgrade over a running bar that keeps the bar's settings, and a silent
# uninstall that removes what the setup made and keeps the settings. (The
# 32-bit setup cannot run here; setup_win32 checks what it is.)
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
E2E_BUILD=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project(Quorvex VERSION \([0-9][0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
SETUP=$E2E_BIN/Quorvex-$version-win64-setup.exe
LINK_PROBE=$E2E_BIN/link_probe.exe
SETUP_PROBE=$E2E_BIN/setup_probe.exe
[[ -f $SETUP ]] || fail "no $SETUP (build the win64 preset with makensis installed)"

# No spaces: a quoted /D= is not the folder option.
INSTDIR='C:\Apps\Quorvex测试'
PROGRAM="$INSTDIR\\Quorvex.exe"
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvex'

# Whatever a failed run leaves would reach the scripts after this one.
installer_cleanup() {
    local rc=$?
    "$QUORVEX_WINE" reg delete "$RUN_KEY" /v Lumetra /f >/dev/null 2>&1
    "$QUORVEX_WINE" reg delete "$UNINSTALL_KEY" /f >/dev/null 2>&1
    [[ -n ${install_dir:-} ]] && rm -rf "$install_dir"
    [[ -n ${link_dir:-} ]] && rm -rf "$link_dir"
    (exit $rc)
    e2e_cleanup
}
trap installer_cleanup EXIT

run_value_is() { [[ $(reg_value "$RUN_KEY" Lumetra) == "$1" ]]; }

install_dir=$(unix_path "$INSTDIR")
[[ -n $install_dir ]] || fail "no Unix path for $INSTDIR"
programs=$(win "$LINK_PROBE" folder)
[[ -n $programs ]] || fail "the all-users programs folder is unknown"
link_dir=$(unix_path "$programs\\CorvalisV6")
LINK="$programs\\CorvalisV6\\Lumetra.lnk"

# A picture of the setup's window once the page has finished drawing (two
# shots in a row alike) into the screenshot folder as NAME.png.
shot_setup() {
    local name=$1 page=$2 x y w h i previous=""
    read -r x y w h <<<"$(field rect "$page")"
    local shot=${QUORVEX_E2E_SHOTS:-$E2E_BUILD/e2e-shots}/$name.png
    mkdir -p "$(dirname "$shot")"
    local fresh=${shot%.png}.new.png last=${shot%.png}.last.png
    for ((i = 0; i < 50; i++)); do
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$fresh" || fail "screenshot failed ($page)"
        [[ -n $previous ]] && cmp -s "$fresh" "$previous" && break
        mv "$fresh" "$last"
        previous=$last
        sleep 0.2
    done
    [[ -f $fresh ]] || fail "the page $name kept changing for 10 s"
    mv "$fresh" "$shot"
    rm -f "$last"
    echo "ok: $name shown ($shot)"
}

step "the wizard in Chinese: for whom, licence, folder, then the options page"
"$QUORVEX_WINE" "$SETUP" >/dev/null 2>&1 &
setup_pid=$!
page=$(win "$SETUP_PROBE" page 0 30000) || fail "the wizard did not show its first page: $page"
# The setup runs with administrator rights here: all users is proposed.
expect_eq "$(field radios "$page")" "仅为我安装|*为所有用户安装" "the first page asks for whom"
shot_setup setup-scope "$page"
page=$(win "$SETUP_PROBE" page 3 30000) || fail "the wizard did not reach its options page: $page"
expect_eq "$(field next "$page")" "安装(&I)" "the options page leads to the installation"
shot_setup setup-options "$page"
win "$SETUP_PROBE" end || fail "the wizard could not be ended"
wait "$setup_pid" 2>/dev/null
[[ -d $install_dir ]] && fail "the wizard installed before its last page"

step "silent install"
"$QUORVEX_WINE" "$SETUP" /S "/D=$INSTDIR" >/dev/null 2>&1 || fail "the setup failed ($?)"
for f in Quorvex.exe README.md LICENSE.txt Uninstall.exe; do
    [[ -f $install_dir/$f ]] || fail "$f was not installed"
done
cmp -s "$install_dir/Quorvex.exe" "$E2E_EXE" || fail "the installed program is not the built one"
echo "ok: files installed"

link=$(win "$LINK_PROBE" "$LINK") || fail "no launch shortcut: $link"
expect_eq "$(field target "$link")" "$PROGRAM" "shortcut target"
expect_eq "$(field workdir "$link")" "$INSTDIR" "shortcut working folder"
# HOTKEYF_CONTROL | HOTKEYF_ALT with S: the program's own default start key.
expect_eq "$(field hotkey "$link")" "0x0653" "shortcut hot key Ctrl+Alt+S"

run_value_is "\"$PROGRAM\"" ||
    echo "note: the Run key as reg shows it: $(reg_show "$RUN_KEY" | tr '\n' '|')"
expect_eq "$(reg_value "$RUN_KEY" Lumetra)" "\"$PROGRAM\"" "Run value"
expect_eq "$(reg_value "$UNINSTALL_KEY" DisplayName)" "Quorvex" "uninstall entry: name"
expect_eq "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" "$version" "uninstall entry: version"
expect_eq "$(reg_value "$UNINSTALL_KEY" Publisher)" "Ostravane" "uninstall entry: publisher"
expect_eq "$(reg_value "$UNINSTALL_KEY" DisplayIcon)" "$PROGRAM,0" "uninstall entry: icon"
expect_eq "$(reg_value "$UNINSTALL_KEY" UninstallString)" "\"$INSTDIR\\Uninstall.exe\"" "uninstall entry: command"
expect_eq "$(reg_value "$UNINSTALL_KEY" QuietUninstallString)" "\"$INSTDIR\\Uninstall.exe\" /S" "uninstall entry: silent command"
expect_eq "$(reg_value "$UNINSTALL_KEY" NoModify),$(reg_value "$UNINSTALL_KEY" NoRepair)" "0x1,0x1" "uninstall entry: no modify, no repair"
size=$(( $(reg_value "$UNINSTALL_KEY" EstimatedSize) ))
(( size * 1024 >= $(stat -c %s "$E2E_EXE") )) || fail "estimated size $size KiB is less than the program"

step "the installed program starts; its menu item switches the Run value"
E2E_EXE=$install_dir/Quorvex.exe
start_bar
setup_menu b
wait_until 10 "the menu item did not delete the Run value" run_value_is ""
setup_menu b
wait_until 10 "the menu item did not write the Run value" run_value_is "\"$PROGRAM\""
echo "ok: the menu item writes and deletes the Run value"
# Settings changed in memory only, saved when the bar closes; start at sign-in off.
setup_menu t
setup_menu b
wait_until 10 "the menu item did not delete the Run value" run_value_is ""
[[ -z $(reg_config_hex) ]] || fail "the settings were written before the bar closed"

step "upgrade over the running bar"
"$QUORVEX_WINE" "$SETUP" /S "/D=$INSTDIR" >/dev/null 2>&1 || fail "the upgrade failed ($?)"
wait_bar_exit 5
hex=$(reg_config_hex)
expect_eq "$(hex_bytes "$hex" 0 1)" "00" "the bar's settings saved as it was closed (captions off)"
expect_eq "$(reg_value "$RUN_KEY" Lumetra)" "" "the upgrade kept start at sign-in off"
cmp -s "$install_dir/Quorvex.exe" "$E2E_BIN/Quorvex.exe" || fail "the upgrade did not leave the program"
[[ -n $(win "$LINK_PROBE" "$LINK") ]] || fail "the upgrade lost the shortcut"

step "silent uninstall over the running bar"
start_bar
setup_menu b
wait_until 10 "the menu item did not write the Run value" run_value_is "\"$PROGRAM\""
# The uninstaller copies itself away and returns at once: wait for its work.
"$QUORVEX_WINE" "$install_dir/Uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed ($?)"
wait_until 30 "the uninstall entry is still there" eval '! reg_has_key "$UNINSTALL_KEY"'
wait_bar_exit 5
[[ ! -e $install_dir ]] || fail "left in the install folder: $(ls "$install_dir")"
[[ ! -e $link_dir ]] || fail "the shortcut folder is still there: $(ls "$link_dir")"
expect_eq "$(reg_value "$RUN_KEY" Lumetra)" "" "Run value removed"
hex=$(reg_config_hex)
[[ ${#hex} == $(( 664 * 2 )) ]] || fail "the silent uninstall removed the settings"
expect_eq "$(hex_bytes "$hex" 0 1)" "00" "settings kept"
