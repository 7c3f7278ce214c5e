#!/usr/bin/env bash
# Minimising into the tray and back: the minimise button, the tray icon's
# click and menu, the global hot key (Win+S), a second start, the private
# messages from another program, the shell's restart, and the opacity while
# another program is active. The taskbar of the session's desktop is not
# drawn, so clicks on the icon arrive as the shell's callback messages.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

# Another program's window, active; keys typed afterwards reach the session.
HOLD_PID=""
hold_other() {
    "$QUORVEX_WINE" "$WPROBE" hold 120000 &
    HOLD_PID=$!
    "$QUORVEX_WINE" "$WPROBE" wait 10000 held=yes >/dev/null || fail "the other program's window did not show"
    xdotool mousemove 700 350 click 1
    sleep 0.3
}
cleanup_hold() { [[ -n $HOLD_PID ]] && kill "$HOLD_PID" 2>/dev/null; wait "$HOLD_PID" 2>/dev/null; HOLD_PID=""; }
trap 'rc=$?; cleanup_hold; (exit $rc); e2e_cleanup' EXIT
click_min() { click_bar $(( $(bar_width) - 42 )) 15; }
# Opens the tray icon's menu and clicks its item N of two (1 恢复窗口, 2 退出).
# The mouse, not the letters: with the bar hidden, Wine's virtual desktop has
# no focus window to give xdotool's keys to, and the menu never sees them.
tray_menu_item() {
    local menu l t r b
    wp trayclick right
    menu=$(probe menu 5000) || fail "the tray menu did not open"
    IFS=, read -r l t r b <<<"${menu#menu=}"
    xdotool mousemove $(( (l + r) / 2 )) $(( t + (b - t) * (2 * $1 - 1) / 4 )) click 1
}

start_bar
expect_state "opaque while active" bar=visible alpha=255

step "the minimise button with the tray on"
click_min
expect_state "bar, taskbar button gone; icon shown" bar=hidden app=hidden tray=yes

step "a click on the icon restores"
wp trayclick left
expect_state "bar back, icon gone" bar=visible app=normal tray=no fg=bar alpha=255

step "another program active: translucent"
hold_other
expect_state "dimmed" bar=visible alpha=166 fg=other

step "the hot-key dialog: translucent while open, opaque after"
cleanup_hold
focus_query
keys F5 k
expect_state "dimmed under the dialog" bar=visible alpha=166
read -r dx dy dw dh < <(wp dialog) || fail "no dialog open"
xdotool mousemove $(( dx + dw - 42 )) $(( dy + dh - 22 )) click 1  # 取消
expect_state "opaque once the dialog is gone" bar=visible alpha=255 fg=bar
hold_other

step "the hot key Win+S minimises into the tray and restores"
xdotool key super+s
expect_state "in the tray" bar=hidden app=hidden tray=yes
xdotool key super+s
expect_state "back and opaque" bar=visible app=normal tray=no fg=bar alpha=255

step "the shell restarts while the bar sits in the tray"
click_min
expect_state "in the tray" bar=hidden tray=yes
wp shellrestart || fail "the icon was not in the notification area"
expect_state "icon added again" bar=hidden tray=yes
wp trayclick left
expect_state "it still restores" bar=visible tray=no

step "the tray menu: 恢复窗口(&R)"
click_min
expect_state "in the tray" bar=hidden tray=yes
tray_menu_item 1
expect_state "restored from the menu" bar=visible tray=no

step "a second start while in the tray brings the bar back"
click_min
expect_state "in the tray" bar=hidden tray=yes
timeout 30 "$QUORVEX_WINE" "$E2E_EXE" || fail "the second instance did not end"
expect_state "restored, icon removed" bar=visible app=normal tray=no
expect_eq "$(probe count)" "1" "one bar"

step "WM_APP_RESTORE and WM_APP_ARRANGE from another program"
click_min
expect_state "in the tray" bar=hidden tray=yes
wp send restore >/dev/null || fail "WM_APP_RESTORE not answered"
expect_state "restored by WM_APP_RESTORE" bar=visible tray=no
wp resize 500
expect_state "resized from outside" w=500
wp send arrange >/dev/null || fail "WM_APP_ARRANGE not answered"
expect_state "the layout ran again" w=256

step "with the tray off the hot key toggles minimised and restored"
focus_query
keys F5 m
cleanup_hold
hold_other
xdotool key super+s
expect_state "minimised to the taskbar" bar=hidden app=iconic tray=no
xdotool key super+s
expect_state "restored" bar=visible app=normal tray=no
click_min
expect_state "the minimise button: taskbar only" bar=hidden app=iconic tray=no
wp send restore >/dev/null
expect_state "WM_APP_RESTORE restores from the taskbar" bar=visible app=normal tray=no

step "the tray menu's 退出(&X) ends the program"
focus_query
keys F5 m
click_min
expect_state "in the tray" bar=hidden tray=yes
tray_menu_item 2
wait_bar_exit
[[ -n $(reg_config_hex) ]] || fail "settings not written at exit"
expect_eq "$(hex_bytes "$(reg_config_hex)" 4 1)" "01" "MinToTrayIcon stored on"
