#!/usr/bin/env bash
# The search engine submenu: a built-in engine chosen from the menu searches
# there (a category it lacks still on 百度), an engine added through the dialog
# is current and searched again after a restart, and a hand-written Engines
# value with bad entries starts the bar, lists the good ones and comes back
# unchanged.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
LYRIC='http://mp3.baidu.com/m?lm=-1&rn=10&tn=baidump3lyric&ct=150994944&word='

setup_menu() {
    focus_query
    keys F5
    probe menu 5000 >/dev/null || fail "setup menu did not open"
    keys "$@"
}
# Puts TEXT into the query box (any characters) and searches it with KEYS.
search() {
    probe settext "$1"
    focus_query
    keys "${@:2}"
}
# The Engines line of reg's output as hex (it may hold NULs and GBK bytes).
reg_engines() {
    "$QUORVEX_WINE" reg query "$E2E_CONFIG_KEY" /v Engines 2>/dev/null | tr -d '\r' | grep -a Engines | od -An -tx1 |
        tr -d ' \n'
}
reg_engine() { "$QUORVEX_WINE" reg query "$E2E_CONFIG_KEY" /v Engine 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'; }
# The n-th engine of the submenu (1 is 百度): the letter opens it on its first row.
choose_engine() {
    local downs=()
    for ((i = 1; i < $1; i++)); do downs+=(Down); done
    setup_menu e "${downs[@]}" Return
    bar_sync
}

start_bar
n=0

step "必应 from the menu"
choose_engine 2
search "中文 a+&#%" Return
n=$((n + 1))
expect_eq "$(wait_url $n)" "https://cn.bing.com/search?q=%E4%B8%AD%E6%96%87+%61%2B%26%23%25" "Enter searches 必应 in UTF-8"
search "中文" alt+c
n=$((n + 1))
expect_eq "$(wait_url $n)" "${LYRIC}%D6%D0%CE%C4" "the lyrics button still searches 百度"

step "an engine added through the dialog"
setup_menu e a
wait_until 10 "the add dialog did not open" eval '[[ -n $(wp dialog) ]]'
echo "ok: the dialog opened"
type_text "GbkEngine"
keys Tab
type_text 'http://gbk.example.com/s?wd=%s&from=bar'
keys alt+g Return
wait_until 10 "the dialog stayed open" eval '[[ -z $(wp dialog) ]]'
expect_state "the bar is back" alpha=255
search "中文 a" Return
n=$((n + 1))
expect_eq "$(wait_url $n)" "http://gbk.example.com/s?wd=%D6%D0%CE%C4+%61&from=bar" "the new engine searches in GBK"

step "after a restart"
focus_query
keys Escape
wait_bar_exit
expect_eq "$(reg_engine)" "GbkEngine" "Engine stored"
start_bar
search "中文" Return
n=$((n + 1))
expect_eq "$(wait_url $n)" "http://gbk.example.com/s?wd=%D6%D0%CE%C4&from=bar" "still current and searched"
focus_query
keys Escape
wait_bar_exit

step "a hand-written Engines value with bad entries"
reg_delete
tab=$'\t'
value="no fields at all\\0Bad${tab}ftp://x.example/{q}${tab}utf-8${tab}\\0必应${tab}https://dup.example/?q={q}${tab}utf-8${tab}\\0Good${tab}https://good.example/find?q={q}${tab}utf-8${tab}"
"$QUORVEX_WINE" reg add "$E2E_CONFIG_KEY" /v Engines /t REG_MULTI_SZ /d "$value" /f >/dev/null 2>&1 ||
    fail "cannot write Engines"
before=$(reg_engines)
[[ -n $before ]] || fail "Engines not written"
start_bar
# The built-in four, then Good alone.
choose_engine 5
search "x y" Return
n=$((n + 1))
expect_eq "$(wait_url $n)" "https://good.example/find?q=%78+%79" "the valid entry is listed and searched"
focus_query
keys Escape
wait_bar_exit
expect_eq "$(reg_engines)" "$before" "Engines unchanged after exit"
expect_eq "$(reg_engine)" "Good" "Engine names the chosen one"
