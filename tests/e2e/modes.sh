#!/usr/bin/env bash
# Display modes through the setup menu (F5, accelerators and arrow keys), and
# the search-type menu of compact mode.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
PHOTO='http://image.baidu.com/i?ct=201326592&cl=2&lm=-1&tn=baiduimage&word='

width_is() { wait_info "$2: width $1" "size=${1}x55"; }

setup_menu() {
    focus_query
    keys F5
    probe menu 5000 >/dev/null || fail "setup menu did not open"
    keys "$@"
}

start_bar
width_is 256 "compact"

step "all mode"
setup_menu 1
width_is 802 "all mode"
shot_bar "${QUORVEX_E2E_SHOTS:-$1/e2e-shots}/bar-all.png"
setup_menu t
width_is 417 "all mode without captions"
setup_menu h
width_is 394 "all mode without captions and help"

step "compact through the arrow keys"
setup_menu Down Down Down Down Down Down Down Down Return
width_is 198 "compact without captions and help"
setup_menu t
setup_menu h
width_is 256 "compact with captions and help"

step "the search-type menu changes the category and searches"
focus_query
type_text abc
click_bar 192 38
probe menu 5000 >/dev/null || fail "search-type menu did not open"
keys Down Down Down Down Return
expect_eq "$(wait_url 1)" "${PHOTO}%61%62%63" "photo search"
width_is 256 "still compact"

focus_query
keys Escape
wait_bar_exit
hex=$(reg_config_hex)
expect_eq "$(hex_bytes "$hex" 10 1)" "02" "compact mode stored"
expect_eq "$(hex_int32 "$hex" 12)" "8" "photo category stored"
expect_eq "$(hex_bytes "$hex" 0 2)" "0101" "captions and help on"
