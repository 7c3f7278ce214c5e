#!/usr/bin/env bash
# A second monitor left of the primary one: a position stored there (negative
# thousandths) brings the bar back there and is stored again at exit, while
# a position just off the primary's left edge still means the default
# placement. Runs in a session of its own with the two monitors.
if [[ ${QUORVEX_MONITORS:-} != *" "* ]]; then
    exec "$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine-session" --second-monitor 1024x768@left -- \
        bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

# Little-endian hex of a signed 32-bit value.
hex_le32() { printf '%08X' $(( $1 & 0xFFFFFFFF )) | sed 's/\(..\)\(..\)\(..\)\(..\)/\4\3\2\1/'; }
# Rewrites WindowLeft and WindowTop (bytes 16..23) of the stored settings.
store_position() {
    local hex
    hex=$(reg_config_hex)
    [[ ${#hex} == 1328 ]] || fail "no settings value to change"
    reg_config_set "${hex:0:32}$(hex_le32 "$1")$(hex_le32 "$2")${hex:48}"
}
close_bar() {
    "$QUORVEX_WINE" taskkill /im Quorvex.exe >/dev/null 2>&1 || fail "taskkill"
    wait_bar_exit
}

step "Wine reports both monitors"
expect_eq "$("$QUORVEX_WINE" "$WPROBE" monitors 2>/dev/null | tr -d '\r' | LC_ALL=C sort | tr '\n' ' ')" \
    "-1024,0,0,768 0,0,1280,800 primary " "monitors"

step "a first run writes the settings"
start_bar
close_bar

step "a position on the left monitor comes back there"
# -700 and 375 thousandths of 1280x800: (-896, 300).
store_position -700 375
start_bar
expect_eq "$(field rect "$E2E_INFO")" "-896,300,-640,355" "restored on the left monitor"
close_bar
hex=$(reg_config_hex)
expect_eq "$(hex_int32 "$hex" 16),$(hex_int32 "$hex" 20)" "-700,375" "stored again at exit"

step "just off the primary's left edge: the default placement, as on one monitor"
# -1 thousandth: one pixel over the left monitor, the bar mostly on the primary.
store_position -1 375
start_bar
expect_eq "$(field rect "$E2E_INFO")" "0,0,256,55" "default placement (no taskbar window: where it was made)"
close_bar
