#!/usr/bin/env bash
# First run: the compact bar fully on screen, searches by Enter and Alt+H,
# one bar per session, and the settings written at exit and read back.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
WEB='http://www.baidu.com/baidu?tn=sitekvtq&word='
BOOK='http://www.baidu.com/baidu?tn=sitekvtq&word=%CD%BC%CA%E9%20%A1%B6'

step "first start"
start_bar
expect_eq "$(field size "$E2E_INFO")" "256x55" "compact bar size"
expect_eq "$(field onscreen "$E2E_INFO")" "1" "bar entirely on screen"
expect_eq "$(field alpha "$E2E_INFO")" "255" "layered and opaque"
expect_eq "$(field topmost "$E2E_INFO")" "1" "always on top"
expect_eq "$(field app "$E2E_INFO")" "Lumetra" "application title"
shot_bar "${QUORVEX_E2E_SHOTS:-$1/e2e-shots}/bar-compact.png"

step "abc + Enter searches the web"
focus_query
type_text abc
keys Return
expect_eq "$(wait_url 1)" "${WEB}%61%62%63" "web URL"
wait_info "history after the search" items=abc

step "Alt+H searches books, also with the book button hidden"
focus_query
keys alt+h
expect_eq "$(wait_url 2)" "${BOOK}%61%62%63%A1%B7" "book URL"

step "a second start ends at once and leaves one bar"
start=$(date +%s)
timeout 30 "$QUORVEX_WINE" "$E2E_EXE" || fail "second instance did not end"
(( $(date +%s) - start < 20 )) || fail "second instance took too long"
expect_eq "$(probe count)" "1" "one bar"

step "Esc ends the program and stores history and position"
refresh_info
left=$(field rect "$E2E_INFO" | cut -d, -f1)
top=$(field rect "$E2E_INFO" | cut -d, -f2)
focus_query
keys Escape
wait_bar_exit
hex=$(reg_config_hex)
expect_eq "${#hex}" "1328" "664-byte settings value"
expect_eq "$(hex_slot "$hex" 1)" "abc" "history slot 1"
expect_eq "$(hex_slot "$hex" 2)" "" "history slot 2"
expect_eq "$(hex_int32 "$hex" 16),$(hex_int32 "$hex" 20)" "$(( left * 1000 / 1280 )),$(( top * 1000 / 800 ))" \
    "position in thousandths"

step "the next start restores history and a stored position"
# Left and top at 500 thousandths: the middle of the 1280x800 screen.
reg_config_set "${hex:0:32}F4010000F4010000${hex:48}"
start_bar
expect_eq "$(field rect "$E2E_INFO")" "640,400,896,455" "restored position"
expect_eq "$(field items "$E2E_INFO")" "abc" "restored history"
focus_query
keys Escape
wait_bar_exit
hex=$(reg_config_hex)
expect_eq "$(hex_int32 "$hex" 16),$(hex_int32 "$hex" 20)" "500,500" "position stored again"
