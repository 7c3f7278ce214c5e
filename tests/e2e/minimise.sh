#!/usr/bin/env bash
# Tool tips, the minimise button, a second start that brings the bar back,
# Close on the application window, and a start minimised.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

start_bar
step "tool tips"
xdotool mousemove $(( $(bar_left) + 150 )) $(( $(bar_top) + 38 ))
sleep 0.2
xdotool mousemove $(( $(bar_left) + 152 )) $(( $(bar_top) + 38 ))
tip=$(probe tip 5000) || fail "no tool tip over the web button"
expect_eq "$(field tip "$tip")" "网页搜索，快捷键 Alt + A" "web button hint"

step "the minimise button hides the bar, the taskbar button stays"
click_bar 214 15
wait_info "bar hidden, application minimised" visible=0 appiconic=1

step "a second start brings it back"
timeout 30 "$QUORVEX_WINE" "$E2E_EXE" || fail "second instance did not end"
wait_info "bar shown again, application restored" visible=1 appiconic=0
# The second start has ended (its process is gone): any bar it made would exist.
expect_eq "$(probe count)" "1" "one bar"

step "Close on the application window ends the program"
probe closeapp
wait_bar_exit
[[ -n $(reg_config_hex) ]] || fail "settings not written at exit"
echo "ok: settings written"

step "started minimised, the bar first shows when restored"
"$QUORVEX_WINE" start /min /unix "$E2E_EXE"
wait_info "application minimised" appiconic=1
# Positive sign: the start-up is over once the bar's thread answers.
bar_sync
refresh_info
expect_eq "$(field visible "$E2E_INFO")" "0" "bar not shown"
timeout 30 "$QUORVEX_WINE" "$E2E_EXE" || fail "second instance did not end"
E2E_INFO=$(probe wait 10000) || fail "bar not restored"
expect_eq "$(field size "$E2E_INFO")" "256x55" "bar shown"
probe closeapp
probe gone 20000 || fail "the minimised start did not end"
