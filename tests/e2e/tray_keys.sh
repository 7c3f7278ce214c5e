#!/usr/bin/env bash
# The tray icon from the keyboard and Esc in the popup menus: Enter on the icon
# restores the bar, the context-menu key opens the tray menu, and Esc closes
# that menu and the setup menu while the bar stays. The session's taskbar is
# not drawn, so the keys on the icon arrive as the shell's version-4
# callbacks; Esc is sent through SendInput, which reaches the tray menu while
# the bar is hidden (xdotool's keys then find no focus window).
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

click_min() { click_bar $(( $(bar_width) - 42 )) 15; }

start_bar

step "Enter on the icon restores the bar"
click_min
expect_state "in the tray" bar=hidden app=hidden tray=yes
wp traykey select || fail "no tray icon to send to"
expect_state "restored by the key" bar=visible app=normal tray=no fg=bar

step "the context-menu key opens the tray menu; Esc closes it"
click_min
expect_state "in the tray" bar=hidden tray=yes
wp traykey menu || fail "no tray icon to send to"
wp menu 5000 || fail "the tray menu did not open"
wp key escape || fail "SendInput refused the key"
wp nomenu 5000 || fail "Esc did not close the tray menu"
bar_sync
expect_state "still in the tray, the program running" bar=hidden tray=yes
expect_eq "$(probe count)" "1" "one bar"
wp traykey select
expect_state "and it still restores" bar=visible tray=no

step "Esc closes the setup menu and the bar stays open"
focus_query
keys F5
wp menu 5000 || fail "the setup menu did not open"
wp key escape || fail "SendInput refused the key"
wp nomenu 5000 || fail "Esc did not close the setup menu"
bar_sync
expect_state "the bar is still shown" bar=visible
expect_eq "$(probe count)" "1" "one bar"

