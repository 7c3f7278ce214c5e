#!/usr/bin/env bash
# The bar as a screen reader reads it from another process (acc_probe):
# every control named, with its role, state and shortcut, in the three
# display modes; the default action of category buttons searches; the query
# box is named.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
ACC=$E2E_BIN/acc_probe.exe
TAB=$'\t'
WEB='http://www.baidu.com/baidu?tn=sitekvtq&word='
PHOTO='http://image.baidu.com/i?ct=201326592&cl=2&lm=-1&tn=baiduimage&word='
NEWS='http://news.baidu.com/ns?cl=0&rn=30&tn=news&word='

acc() { wine_out "$ACC" "$@"; }

CAPTIONS=(网页 MP3 歌词 图片 新闻 贴吧 词典 图书 电影 游戏 软件)
LETTERS=(A B C D E F G H I J K)

# One button's line as the probe prints it, up to its description.
button() { printf 'name=%s%srole=pushbutton%sstate=%s%sshortcut=%s%s' "$1" "$TAB" "$TAB" "$2" "$TAB" "$3" "$TAB"; }

# The lines of the whole row: category i is shown when bit i of MASK is set;
# DROP and HELP are the states of the drop and help buttons. With MODAL set a
# dialog of the program is open: the bar is disabled, every button unavailable.
row_lines() {
    local mask=$1 drop=$2 help=$3 modal=${4:-} i state
    st() { if [[ -n $modal ]]; then [[ $1 == normal ]] && echo unavailable || echo "unavailable,$1"; else echo "$1"; fi; }
    for i in "${!CAPTIONS[@]}"; do
        if (( mask >> i & 1 )); then state=normal; else state=invisible; fi
        button "${CAPTIONS[$i]}" "$(st $state)" "Alt+${LETTERS[$i]}"
        echo
    done
    button 选择搜索类型 "$(st "$drop")" ""; echo
    button 设置 "$(st normal)" F5; echo
    button 帮助 "$(st "$help")" F1; echo
    button 最小化 "$(st normal)" ""; echo
    button 关闭 "$(st normal)" Esc; echo
}

# Waits until the listing holds every line of row_lines "$@" and the named
# query box; E2E_ACC holds the listing.
expect_row() {
    local what=$1
    shift
    local lines=()
    mapfile -t lines < <(row_lines "$@")
    lines+=("name=搜索关键词${TAB}role=combobox")
    E2E_ACC=$(acc waitfor 10000 TF_Search "${lines[@]}") ||
        fail "$what: listing lacks: $(for l in "${lines[@]}"; do grep -qF "$l" <<<"$E2E_ACC" || printf '[%s] ' "$l"; done) in: $E2E_ACC"
    (( $(grep -c '^child=' <<<"$E2E_ACC") == 17 )) || fail "$what: expected 17 elements, got: $E2E_ACC"
    echo "ok: $what"
}

start_bar

step "compact mode (a first run)"
expect_row "compact" 1 normal normal
grep -q "name=网页${TAB}.*description=网页搜索，快捷键 Alt + A" <<<"$E2E_ACC" || fail "web button's hint: $E2E_ACC"
compact=$E2E_ACC

step "all buttons"
setup_menu 1
wait_info "all mode" "size=802x55"
expect_row "all mode" 2047 invisible normal
[[ $E2E_ACC != "$compact" ]] || fail "the listing did not change with the mode"
setup_menu h
expect_row "all mode without help" 2047 invisible invisible
setup_menu t
wait_info "all mode without captions" "size=394x55"
expect_row "all mode without captions (names stay)" 2047 invisible invisible
setup_menu t
setup_menu h

step "default actions search their categories"
acc do TF_Search 网页 >/dev/null || fail "the web button had no default action"
focus_query
type_text abc
acc do TF_Search 图片 >/dev/null || fail "the picture button had no default action"
expect_eq "$(wait_url 1)" "${PHOTO}%61%62%63" "图片's default action searches pictures"
acc do TF_Search 新闻 >/dev/null || fail "the news button had no default action"
expect_eq "$(wait_url 2)" "${NEWS}%61%62%63" "新闻's default action searches news"
acc do TF_Search 网页 >/dev/null || fail "the web button had no default action"
expect_eq "$(wait_url 3)" "${WEB}%61%62%63" "网页's default action searches the web"

step "custom mode"
# All mode left every category in the mask: custom shows them all.
setup_menu 3
wait_until 10 "the custom buttons dialog did not open" bash -c '"$0" "$1" dialog >/dev/null 2>&1' "$QUORVEX_WINE" "$WPROBE"
expect_row "custom mode with all categories ticked (the bar disabled under the dialog)" 2047 invisible normal modal
# Its owner-drawn list reads as check boxes with the captions.
rows=$(acc listchild TF_CustomButtons ListBox) || fail "the custom buttons list cannot be read: $rows"
for caption in "${CAPTIONS[@]}"; do
    grep -qF "name=${caption}${TAB}role=checkbutton${TAB}state=focusable,checked" <<<"$rows" ||
        fail "the list's row $caption is not a ticked check box: $rows"
done
echo "ok: the custom buttons list reads its rows"
# Space on the list's first row unticks the web category: the listing follows.
keys Down space
web_hidden() { acc list TF_Search 2>/dev/null | grep -qF "$(button 网页 unavailable,invisible Alt+A)"; }
wait_until 10 "unticking the web category did not hide its element" web_hidden
echo "ok: the listing follows the custom buttons dialog"
keys Escape
wait_until 10 "the custom buttons dialog did not close" bash -c '! "$0" "$1" dialog >/dev/null 2>&1' "$QUORVEX_WINE" "$WPROBE"
expect_row "custom mode without the web button" 2046 invisible normal

focus_query
keys Escape
wait_bar_exit
