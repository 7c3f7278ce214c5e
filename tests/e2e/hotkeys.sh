#!/usr/bin/env bash
# The minimise/restore hot key when another program holds it: the balloon on
# the tray icon and its click, the dialog's status line, a refused change
# that keeps the dialog open and the old key working; the dialog opened by
# its menu letter keeps a Win key; "TaskbarCreated" with the icon present.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

HPROBE=$E2E_BIN/hotkey_probe.exe
hp() { wine_out "$HPROBE" "$@"; }
# Polls the texts of the program's windows until one line matches.
expect_text() {
    local i
    for ((i = 0; i < 100; i++)); do
        hp texts | grep -qxF -- "$1" && { echo "ok: $2"; return 0; }
        sleep 0.1
    done
    fail "$2: no window shows [$1]; texts: $(bar_windows)"
}
# Waits up to SECONDS for a dialog of the bar's program; its rect in DIALOG.
wait_dialog_for() {
    local deadline=$((SECONDS + $1))
    while ((SECONDS < deadline)); do
        DIALOG=$(wp dialog) && [[ -n $DIALOG ]] && return 0
        sleep 0.1
    done
    return 1
}
wait_dialog() {
    wait_dialog_for 20 || fail "$1: no dialog open; the bar's windows: $(bar_windows) state: $(wp state)"
}
dialog_open() { [[ -n $(wp dialog) ]]; }
# Waits until the dialog is gone and the bar active and opaque again.
wait_no_dialog() {
    local i
    for ((i = 0; i < 100; i++)); do
        dialog_open || { expect_state "$1: the bar is back" alpha=255 fg=bar; return 0; }
        sleep 0.1
    done
    fail "$1: a dialog is still open: $(bar_windows)"
}
click_dialog_button() {  # ok | cancel, at the dialog's bottom right
    local dx dy dw dh
    read -r dx dy dw dh <<<"$DIALOG"
    local x=$(( dx + dw - ($1 == ok ? 108 : 42) ))
    xdotool mousemove "$x" $(( dy + dh - 22 )) click 1
    sleep 0.3
}
HOLDER_PID=""
HOLD_PID=""
cleanup() {
    local rc=$? pid
    for pid in $HOLDER_PID $HOLD_PID; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    (exit $rc)  # e2e_cleanup reports the script's status
    e2e_cleanup
}
trap cleanup EXIT
hold_other() {
    [[ -n $HOLD_PID ]] && { kill "$HOLD_PID" 2>/dev/null; wait "$HOLD_PID" 2>/dev/null; }
    "$QUORVEX_WINE" "$WPROBE" hold 120000 &
    HOLD_PID=$!
    "$QUORVEX_WINE" "$WPROBE" wait 10000 held=yes >/dev/null || fail "the other program's window did not show"
    xdotool mousemove 700 350 click 1
    sleep 0.3
}
# Ends the bar as the user does, Esc in the query box (which saves the
# settings). Under Wine the click into the box right after a dialog closed is
# now and then lost; then the application window's WM_CLOSE ends it (the same
# save) and the windows the program showed are logged.
end_bar() {
    local i j
    for ((i = 0; i < 2; i++)); do
        focus_query
        keys Escape
        for ((j = 0; j < 50; j++)); do
            kill -0 "$E2E_BAR_PID" 2>/dev/null || { wait_bar_exit; return 0; }
            sleep 0.1
        done
    done
    echo "note: Esc did not end the bar; its windows: $(bar_windows); closing it"
    probe closeapp || fail "no application window to close"
    wait_bar_exit
}
TAKEN_LOG=$(mktemp)

step "another program holds Win+S and Ctrl+Alt+S before the bar starts"
"$QUORVEX_WINE" "$HPROBE" hold 240000 0x8,0x53 0x3,0x53 >"$TAKEN_LOG" 2>/dev/null &
HOLDER_PID=$!
for ((i = 0; i < 100; i++)); do grep -q held "$TAKEN_LOG" && break; sleep 0.1; done
grep -q held "$TAKEN_LOG" || fail "the helper could not take the keys: $(cat "$TAKEN_LOG")"

start_bar
expect_state "the icon is added for the balloon" bar=visible tray=yes
hp balloonclick || fail "no tray icon window"
if ! wait_dialog_for 5; then
    # Seen once on a loaded machine; what the bar shows then goes to the log.
    echo "note: no dialog 5 s after the balloon's click: $(bar_windows) $(wp state); clicking again"
    hp balloonclick || fail "no tray icon window"
fi
wait_dialog "the balloon's click"
expect_state "the balloon's icon is gone again" tray=no
expect_text "  该热键已被其他程序占用" "the dialog says the key is taken"
click_dialog_button cancel
wait_no_dialog "Cancel"

step "the stored key is not changed behind the user's back"
end_bar
hex=$(reg_config_hex)
expect_eq "$(hex_bytes "$hex" 6 2)" "5310" "TrayHotKey still Win+S"

step "stored Ctrl+Alt+S, also taken: the balloon, and the dialog from the menu says so"
reg_config_set "${hex:0:12}53C0${hex:16}"
start_bar
expect_state "the icon is added for the balloon" bar=visible tray=yes
focus_query
keys F5 k
wait_dialog "F5 K"
expect_text "  该热键已被其他程序占用" "the dialog says the key is taken"
click_dialog_button ok
wait_no_dialog "OK"
end_bar
expect_eq "$(hex_bytes "$(reg_config_hex)" 6 2)" "53C0" "TrayHotKey still Ctrl+Alt+S"

step "with Win+Q stored, the dialog opened by F5 K keeps Win+Q on OK"
reg_config_set "${hex:0:12}5110${hex:16}"
start_bar
focus_query
keys F5 k
wait_dialog "F5 K"
click_dialog_button ok
wait_no_dialog "OK"
hold_other
xdotool key super+q
expect_state "Win+Q still minimises" bar=hidden tray=yes
xdotool key super+q
expect_state "and restores" bar=visible tray=no

# Under Wine a combination another program holds goes to its holder, never
# to the box; the default button chooses Win+S instead.
step "a change to a taken key is refused and the dialog stays open"
focus_query
keys F5 k
wait_dialog "F5 K"
read -r dx dy dw dh <<<"$DIALOG"
xdotool mousemove $(( dx + 30 )) $(( dy + dh - 82 )) click 1  # 默认热键: Win + S
sleep 0.3
click_dialog_button ok
expect_text "  该热键已被其他程序占用，请重新设置！" "Win+S refused"
"$QUORVEX_WINE" "$HPROBE" answerbox 2>/dev/null || fail "no message box to answer"
for ((i = 0; i < 100; i++)); do hp texts | grep -qF "请重新设置" || break; sleep 0.1; done
(( i < 100 )) || fail "the message box stays after its OK"
wait_dialog "the dialog after the message"
keys alt+c  # 取消(&C)
wait_no_dialog "Cancel"
hold_other
xdotool key super+q
expect_state "the old key still works" bar=hidden tray=yes

step "TaskbarCreated with the icon present: no error, the icon stays"
hp taskbarcreated || fail "the icon's window did not answer (an error box?)"
expect_state "the icon is still there" bar=hidden tray=yes
dialog_open && fail "a box opened: $(bar_windows)"
echo "ok: no error box"
wp trayclick left
expect_state "it still restores" bar=visible tray=no

end_bar
expect_eq "$(hex_bytes "$(reg_config_hex)" 6 2)" "5110" "TrayHotKey stored as Win+Q"
