#!/usr/bin/env bash
# Ctrl+Delete asks before clearing the history; the cleared list is stored.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
QUESTION="您确定要清除历史记录吗？"

start_bar
focus_query
type_text abc
keys Return
wait_url 1 >/dev/null

step "No keeps text and list"
focus_query
keys ctrl+Delete
box=$(probe box 10000) || fail "no question box"
expect_eq "$(field title "$box")" "Lumetra" "question caption"
expect_eq "$(field boxtext "$box")" "$QUESTION" "question text"
probe answer 7 >/dev/null
sleep 0.5
refresh_info
expect_eq "$(field items "$E2E_INFO")" "abc" "list kept"
expect_eq "$(field text "$E2E_INFO")" "abc" "text kept"

step "Ctrl+Shift+Delete does not ask"
focus_query
keys ctrl+shift+Delete
probe nobox 1500 || fail "Ctrl+Shift+Delete asked"

step "Yes empties text and list"
focus_query
keys ctrl+Delete
probe box 10000 >/dev/null || fail "no question box"
probe answer 6 >/dev/null
sleep 0.5
refresh_info
expect_eq "$(field count "$E2E_INFO")" "0" "list emptied"
expect_eq "$(field text "$E2E_INFO")" "" "text emptied"

focus_query
keys Escape
wait_bar_exit
hex=$(reg_config_hex)
expect_eq "$(hex_slot "$hex" 1)" "" "emptied history stored"
