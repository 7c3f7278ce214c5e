#!/usr/bin/env bash
# A query longer than the box's limit, put there by another program, is cut to
# the limit when searched; the bar stays and writes its settings at exit.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

start_bar
want=$(printf 'a%.0s' $(seq 1 100))
n=0
for len in 330 10000; do
    step "WM_SETTEXT of $len characters, then Enter"
    probe settext "$(printf 'a%.0s' $(seq 1 "$len"))"
    focus_query
    keys End Return
    n=$((n + 1))
    url=$(wait_url "$n")
    expect_eq "$url" "http://www.baidu.com/baidu?tn=sitekvtq&word=$(printf '%%61%.0s' $(seq 1 100))" "cut query searched"
    kill -0 "$E2E_BAR_PID" 2>/dev/null || fail "the bar ended"
    refresh_info
    expect_eq "$(field text "$E2E_INFO")" "$want" "the box holds the searched query"
done

# Characters outside GBK are sent as UTF-8; the cut never splits a pair:
# 60 emoji are 120 UTF-16 units, cut to 50 emoji.
step "WM_SETTEXT of 60 emoji, then Enter"
probe settext "$(printf '😀%.0s' $(seq 1 60))"
focus_query
keys End Return
url=$(wait_url $((n + 1)))
expect_eq "$url" "http://www.baidu.com/baidu?tn=sitekvtq&word=$(printf '%%F0%%9F%%98%%80%.0s' $(seq 1 50))&ie=utf-8" \
    "the cut emoji query searched as UTF-8"
kill -0 "$E2E_BAR_PID" 2>/dev/null || fail "the bar ended"

focus_query
keys Escape
wait_bar_exit
hex=$(reg_config_hex)
[[ ${#hex} == $((664 * 2)) ]] || fail "settings not saved at exit"
expect_eq "$(hex_slot "$hex" 2)" "$(printf 'a%.0s' $(seq 1 32))" "history slot 2 holds the cut query (slot 1: the emoji search)"
