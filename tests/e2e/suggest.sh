#!/usr/bin/env bash
# Suggestions as the user types, against the local suggestion service
# (tools/suggest_server.py), with the text typed as key events:
#   - option off: typing and searching send nothing and make no list;
#   - option on: the history's matches, then the service's, within 1 s of the
#     last key; Down Down Enter and a click search a row; a slow reply for an
#     older text never shows; Enter right after typing searches what was typed;
#     Esc closes the list first, then the bar;
#   - a hanging service: no list, the bar keeps answering, Esc ends it at once
#     with its settings written.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
start_suggest_server

# The search URL of a query (the first engine: its GBK bytes, each escaped).
search_url() {
    local bytes
    bytes=$(printf '%s' "$1" | iconv -f UTF-8 -t GBK | od -An -tx1 | tr -d ' \n' | tr a-f A-F | sed 's/../%&/g')
    echo "http://www.baidu.com/baidu?tn=sitekvtq&word=$bytes"
}

reg_suggest() {
    local key=$E2E_CONFIG_KEY
    if [[ -n $1 ]]; then
        "$QUORVEX_WINE" reg add "$key" /v Suggest /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || fail "cannot write Suggest"
    fi
    "$QUORVEX_WINE" reg add "$key" /v SuggestUrl /t REG_SZ /d "$2" /f >/dev/null 2>&1 || fail "cannot write SuggestUrl"
}

# The list's line (window_probe list) and its fields.
list_line() { wp list; }
list_field() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$2"; }

# Types TEXT into the focused box and waits (up to MS) for the list's ROWS.
type_for_rows() {
    local text=$1 ms=$2 rows=$3 line
    line=$(wp type "$text" 20 rows "$ms" "$rows") || fail "typing $text: expected the rows [$rows] within $ms ms; list [$line]"
    LIST=$line
    echo "ok: typing $text shows [$rows] ($(list_field ms "$line") ms after the last key)"
}

# Clicks row INDEX (from 0) of the open list ($LIST).
click_row() {
    local at=$(list_field at "$LIST")
    IFS=, read -r left top width height <<<"$at"
    xdotool mousemove $((left + width / 2)) $((top + $1 * height + height / 2)) click 1
}

# A fresh box for the next text: set from outside, which opens nothing.
clear_box() {
    probe settext ""
    focus_query
}

BASE=baidu/gbk/su?ie=utf-8\&json=1\&wd=

step "option off: typing and searching ask nothing"
reg_suggest "" "$SUGGEST_URL/$BASE"
start_bar
focus_query
wp type 北京大学 20 || fail "SendInput refused the keys"
wait_info "the typed text is in the box" text=北京大学
keys Return
expect_eq "$(wait_url 1)" "$(search_url 北京大学)" "the typed text searched"
bar_sync
expect_eq "$(suggest_requests)" "" "no request reached the service"
expect_eq "$(list_line)" "list=none rows=" "no list was made"
focus_query
keys Escape
wait_bar_exit

step "option on: history first, then the service's suggestions"
# The text 天 is answered only after 800 ms (the stale reply below).
reg_suggest 1 "$SUGGEST_URL/delayfor/%E5%A4%A9/800/$BASE"
start_bar
focus_query
type_for_rows 北京 1000 '北京大学|北京1|北京2|北京3'
# Keys 20 ms apart are one pause: one request, for the whole text.
expect_eq "$(suggest_texts | tr '\n' ' ')" "北京 " "one request, for the text typed"
request=$(suggest_requests)
[[ $(cut -f1 <<<"$request") == /delayfor/*'/su?ie=utf-8&json=1&wd=%E5%8C%97%E4%BA%AC' ]] ||
    fail "the request's path: $(cut -f1 <<<"$request")"
[[ $(cut -f3 <<<"$request") == Quorvex/* ]] || fail "the User-Agent: $(cut -f3 <<<"$request")"
echo "ok: the request carries the text's UTF-8 and names the program"

step "Down Down Enter searches the second row"
keys Down Down
wait_info "the second row is in the box" text=北京1
keys Return
expect_eq "$(wait_url 2)" "$(search_url 北京1)" "the second row searched"

step "a click on a row searches it"
clear_box
# The history's newest match first; the service's rows the history holds are shown once.
type_for_rows 北京 3000 '北京1|北京大学|北京2|北京3'
click_row 2
expect_eq "$(wait_url 3)" "$(search_url 北京2)" "the clicked row searched"
wait_info "the clicked row is in the box" text=北京2
[[ $(list_line) == list=hidden* ]] || fail "the list is still open: $(list_line)"

step "stale replies: only the newer text's suggestions show"
clear_box
watch=$QUORVEX_WINE_RUN/suggest-watch
: > "$watch"
"$QUORVEX_WINE" "$WPROBE" watch 30000 > "$watch" 2>/dev/null &
watch_pid=$!
wait_until 10 "the list watcher did not start" test -s "$watch"
wp type 天 0 || fail "SendInput refused the key"
wait_until 5 "no request for 天" suggest_asked 天
wp type 津 0 || fail "SendInput refused the key"
LIST=$(wp rows 3000 '天津1|天津2|天津3') || fail "the newer text's rows did not show: $LIST"
echo "ok: the newer text's rows show"
wait_until 5 "the slow reply for 天 was not given" suggest_replied 天
bar_sync
expect_eq "$(list_field rows "$(list_line)")" '天津1|天津2|天津3' "the newer rows still show after the older reply"
kill "$watch_pid" 2>/dev/null || fail "the list watcher ended before the older reply was given"
wait "$watch_pid" 2>/dev/null
if grep -Eq 'rows=([^ ]*\|)?天[123](\||[ ]|$)' "$watch"; then
    fail "the older text's suggestions showed: $(grep '天[123]' "$watch" | head -n1)"
fi
echo "ok: the older text's suggestions never showed ($(wc -l < "$watch") list states seen)"

step "Enter 20 ms after the last key searches the typed text"
clear_box
wp type 北京大 20 enter 20 || fail "SendInput refused the keys"
expect_eq "$(wait_url 4)" "$(search_url 北京大)" "the typed text searched, not a suggestion"
bar_sync
[[ $(list_line) != list=shown* ]] || fail "a list opened after the search: $(list_line)"
suggest_asked 北京大 && fail "the text searched before its pause was still sent"
echo "ok: no list and no request after the search"

step "Esc closes the list, then the bar"
clear_box
# At most 3 history rows (北京大学, the oldest match, is left out).
type_for_rows 北京 3000 '北京大|北京2|北京1|北京3'
keys Escape
wp rows 3000 '' >/dev/null || fail "Esc did not close the list: $(list_line)"
bar_sync
kill -0 "$E2E_BAR_PID" 2>/dev/null || fail "the first Esc ended the bar"
wait_info "the bar stays after the first Esc" visible=1 text=北京
keys Escape
wait_bar_exit
cookies=$(cut -f4 "$SUGGEST_LOG" | sort -u)
expect_eq "$cookies" "-" "no request sent the service's cookie back ($(wc -l < "$SUGGEST_LOG") requests)"

step "a hanging service: no list, the bar answers, Esc ends it at once"
reg_suggest 1 "$SUGGEST_URL/hang/$BASE"
start_bar
# Written again at exit: gone from the registry now, back after Esc.
"$QUORVEX_WINE" reg delete "$E2E_CONFIG_KEY" /v Config /f >/dev/null 2>&1 || fail "cannot delete Config"
"$QUORVEX_WINE" reg delete "$E2E_CONFIG_KEY" /v HistoryW /f >/dev/null 2>&1 || fail "cannot delete HistoryW"
focus_query
wp type 上海 20 || fail "SendInput refused the keys"
wait_until 5 "no request for 上海" suggest_asked 上海
answer=$(wp sendwithin 100) || fail "the bar's thread did not answer within 100 ms while the request hangs ($answer)"
echo "ok: the bar answered in $(sed -n 's/^ms=//p' <<<"$answer") ms while the request hangs"
[[ $(list_line) != list=shown* ]] || fail "a list opened for the hanging request: $(list_line)"
suggest_replied 上海 && fail "the hanging request was answered"
start=$(date +%s%N)
xdotool key Escape
wait_bar_exit 10
ms=$(( ($(date +%s%N) - start) / 1000000 ))
(( ms <= 2000 )) || fail "the bar took $ms ms to end while a request hangs"
echo "ok: the bar ended $ms ms after Esc while the request hangs"
hex=$(reg_config_hex)
[[ ${#hex} == $((664 * 2)) ]] || fail "Config not written at exit"
expect_eq "$(hex_slot "$hex" 1)" 北京大 "the newest history slot written at exit"
[[ $(reg_value "$E2E_CONFIG_KEY" HistoryW) == 北京大* ]] || fail "HistoryW not written at exit: $(reg_value "$E2E_CONFIG_KEY" HistoryW)"
echo "ok: HistoryW written at exit"
