#!/usr/bin/env bash
# The session ends (log-off, shutdown): the bar agrees, stores its position,
# history and settings before the system ends the process, and the normal
# destroy afterwards does not store them a second time.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"


start_bar
focus_query
type_text "endsession"
keys Return
wait_url 1 >/dev/null

step "WM_QUERYENDSESSION is answered with 1"
expect_eq "$(wp send 0x0011)" "1" "log-off may proceed"
[[ -z $(reg_config_hex) ]] || fail "settings written before the session ended"

step "WM_ENDSESSION(TRUE) stores everything at once"
wp send 0x0016 1 >/dev/null || fail "WM_ENDSESSION not answered"
hex=$(reg_config_hex)
[[ -n $hex ]] || fail "the end of the session stored no settings"
expect_eq "$(hex_slot "$hex" 1)" "endsession" "history stored"

step "the destroy afterwards does not store again"
reg_delete
focus_query
keys Escape
wait_bar_exit
expect_eq "$(reg_config_hex)" "" "nothing written by the later destroy"
