#!/usr/bin/env bash
# Dragging the borderless bar by its top strip: 19 pixels below the top edge
# still drags, 20 does not, and the right-most 60 pixels (the minimise and
# close buttons) never drag.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

state_field() { wp state | tr ' ' '\n' | sed -n "s/^$1=//p"; }

# Presses the left button at client point (X, Y), moves the mouse by
# (DX, DY) in steps, releases. With "moves" the button is released only once
# the bar has followed the mouse all the way (or 5 s passed): on a loaded
# machine the move loop can still be behind the pointer when the button goes
# up, and then stops short of it.
drag() {
    local bx=$(state_field x) by=$(state_field y)
    local x=$(( bx + $1 )) y=$(( by + $2 ))
    xdotool mousemove "$x" "$y"
    sleep 0.3
    xdotool mousedown 1
    sleep 0.3
    local i
    for i in 1 2 3 4; do
        xdotool mousemove "$(( x + $3 * i / 4 ))" "$(( y + $4 * i / 4 ))"
        sleep 0.15
    done
    sleep 0.3
    [[ ${5:-} == moves ]] && wp wait 5000 "x=$(( bx + $3 ))" "y=$(( by + $4 ))" >/dev/null
    xdotool mouseup 1
}

expect_at() {
    local got
    got=$(wp wait 3000 "x=$1" "y=$2") || fail "$3: expected at $1,$2, state [$got]"
    echo "ok: $3"
}

start_bar
x0=$(state_field x) y0=$(state_field y) w=$(state_field w)

step "19 pixels below the top edge drags"
drag 150 19 120 80 moves
expect_at $(( x0 + 120 )) $(( y0 + 80 )) "moved by 120,80"

# A refused drag is checked by the drag after it, which does move the bar:
# the bar must then stand where that drag alone takes it.
step "20 pixels below does not"
drag 150 20 100 100
drag 150 19 10 10 moves
expect_at $(( x0 + 130 )) $(( y0 + 90 )) "moved by the second drag only"

step "the right-most 60 pixels never drag, the pixel left of them does"
drag $(( w - 5 )) 3 -100 100
drag $(( w - 59 )) 3 -100 100
drag $(( w - 61 )) 3 -100 100 moves
expect_at $(( x0 + 30 )) $(( y0 + 190 )) "moved from 61 px left of the right edge only"

step "the moved position is what is stored at exit"
before_exit=$(state_field x)
echo "bar left before exit: $before_exit"
keys Escape
wait_bar_exit
left=$(hex_int32 "$(reg_config_hex)" 16)
expect_eq "$left" "$(( before_exit * 1000 / 1280 ))" "stored left in thousandths"
