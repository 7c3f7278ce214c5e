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
wait_info "bar enabled again after No" enabled=1
# Positive sign: the box is gone and its handler has returned.
bar_sync
refresh_info
expect_eq "$(field items "$E2E_INFO")" "abc" "list kept"
expect_eq "$(field text "$E2E_INFO")" "abc" "text kept"

step "Ctrl+Shift+Delete does not ask"
focus_query
# F1 right after it is the positive sign: had Ctrl+Shift+Delete asked, its
# question would be the box that shows (F1 then goes to the question).
keys ctrl+shift+Delete F1
box=$(probe box 10000) || fail "no box after F1"
[[ $(field boxtext "$box") != "$QUESTION" && $(field boxtext "$box") == Lumetra* ]] ||
    fail "the box after Ctrl+Shift+Delete and F1 is not the help box: $(field boxtext "$box")"
echo "ok: the help box, not the question"
probe answer 1 >/dev/null
wait_info "bar enabled again after the help box" enabled=1

step "Yes empties text and list"
focus_query
keys ctrl+Delete
probe box 10000 >/dev/null || fail "no question box"
probe answer 6 >/dev/null
wait_info "text and list emptied" count=0 text=

focus_query
keys Escape
wait_bar_exit
hex=$(reg_config_hex)
expect_eq "$(hex_slot "$hex" 1)" "" "emptied history stored"
