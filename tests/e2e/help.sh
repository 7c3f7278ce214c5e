#!/usr/bin/env bash
# F1 shows the help box, also with the help button hidden; the bar is
# disabled while the box is open. The close button ends the program.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
EXPECTED='Lumetra\r\nCopyright (C) 2026 Ostravane. All rights reserved.\r\n\r\n在文本框中输入关键词，点击按钮在因特网上查找对应的信息。\r\n(因特网搜索通过百度搜索引擎进行)\r\n\r\n快捷键:\r\nF1\t\t-  帮助\r\nF5\t\t-  设置\r\nEsc\t\t-  退出\r\nEnter\t\t-  搜索\r\nCtrl+Delete\t-  清除搜索历史'

check_help_box() {
    local box
    box=$(probe box 10000) || fail "no help box"
    expect_eq "$(field title "$box")" "Lumetra" "help caption"
    expect_eq "$(field boxtext "$box")" "$EXPECTED" "help text"
    expect_eq "$(field barenabled "$box")" "0" "bar disabled while the box is open"
    probe answer 1 >/dev/null
    wait_info "bar enabled again" enabled=1
}

start_bar
step "F1"
focus_query
keys F1
check_help_box

step "F1 with the help button hidden"
focus_query
keys F5
probe menu 5000 >/dev/null || fail "setup menu did not open"
keys h
wait_info "help button hidden" size=233x55
focus_query
keys F1
check_help_box

step "the close button ends the program"
click_bar $(( $(bar_width) - 30 + 11 )) 15
wait_bar_exit
