#!/usr/bin/env bash
# The query box takes short clipboard text at start (at most 32 bytes in GBK);
# Chinese queries reach the URL as GBK bytes.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
WEB='http://www.baidu.com/baidu?tn=sitekvtq&word='

step "Chinese text from the clipboard"
probe clip "中文搜索"
start_bar
wait_info "query box filled from the clipboard" "text=中文搜索"
focus_query
keys Return
expect_eq "$(wait_url 1)" "${WEB}%D6%D0%CE%C4%CB%D1%CB%F7" "GBK-encoded URL"
focus_query
keys Escape
wait_bar_exit

step "32 bytes are taken, 33 are not"
probe clip "一二三四五六七八九十abcdefghijkl"  # 20 + 12 = 32 bytes in GBK
start_bar
wait_info "32-byte text taken, history kept" "text=一二三四五六七八九十abcdefghijkl" "items=中文搜索"
focus_query
keys Escape
wait_bar_exit
probe clip "一二三四五六七八九十abcdefghijklm"  # 33 bytes
start_bar
# start_bar returns once the bar's thread has answered, after its start-up
# and first activation, where the clipboard is looked at.
expect_eq "$(field text "$E2E_INFO")" "" "33-byte text ignored"
focus_query
keys Escape
wait_bar_exit
