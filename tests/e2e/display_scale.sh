#!/usr/bin/env bash
# The bar on a display at 150 % (QUORVEX_E2E_DPI to choose another scale):
# drawn at the scaled size, and a click on each category button at its scaled
# place searches that category. Runs in a session of its own at that DPI.
want_dpi=${QUORVEX_E2E_DPI:-144}
if [[ ${QUORVEX_DPI:-} != "$want_dpi" ]]; then
    exec "$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine-session" --dpi "$want_dpi" \
        --recorder "$1/bin/url_recorder.exe" -- bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
SHOTS=${QUORVEX_E2E_SHOTS:-$1/e2e-shots}
# A design length (96 DPI) in pixels at the session's DPI, rounded as the program does.
px() { echo $(( ($1 * want_dpi + 48) / 96 )); }

step "first start at $want_dpi DPI"
start_bar
expect_eq "$(field size "$E2E_INFO")" "$(px 256)x$(px 55)" "compact bar size"
expect_eq "$(field onscreen "$E2E_INFO")" "1" "bar entirely on screen"
shot_bar "$SHOTS/bar-compact-$want_dpi.png"
click_bar "$(px 60)" "$(px 38)"
keys Escape
wait_bar_exit

step "all buttons"
hex=$(reg_config_hex)
expect_eq "${#hex}" "1328" "664-byte settings value"
reg_config_set "${hex:0:20}01${hex:22}"  # display mode: all buttons
start_bar
expect_eq "$(field size "$E2E_INFO")" "$(px 802)x$(px 55)" "all-buttons bar size"
click_bar "$(px 60)" "$(px 38)"
type_text abc
shot_bar "$SHOTS/bar-all-$want_dpi.png"

step "each category button searches its category"
# What tells the eleven searches apart, in the order of the buttons.
parts=('word=%61%62%63' 'tn=baidump3&' 'tn=baidump3lyric' 'tn=baiduimage' 'tn=news' '/f?cb=sitekvtq&kw=%61%62%63'
       '/s?lm=0&si=&rn=10' 'word=%CD%BC%CA%E9' 'word=%B5%E7%D3%B0' 'word=%D3%CE%CF%B7' 'word=%C8%ED%BC%FE')
for i in "${!parts[@]}"; do
    # Button i: left 130 + 56 i, 55 wide, top 27, 22 high (design lengths); clicked in its middle.
    x=$(px $(( 130 + 56 * i + 27 )))
    click_bar "$x" "$(px 38)"
    url=$(wait_url $(( i + 1 )))
    [[ $url == *"${parts[$i]}"* ]] || fail "button $i: [$url] lacks [${parts[$i]}]"
    (( $(url_count) == i + 1 )) || fail "button $i searched more than once"
    echo "ok: button $i"
done
