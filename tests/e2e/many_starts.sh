#!/usr/bin/env bash
# Copies started at the same moment leave exactly one bar; the others end.
# QUORVEX_START_ROUNDS sets the rounds per group size: 5 by default (about
# 3.5 s a round under Wine); 20 for the long soak.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
ROUNDS=${QUORVEX_START_ROUNDS:-5}

# Pids of the starters still running.
running() {
    local p alive=()
    for p in "$@"; do kill -0 "$p" 2>/dev/null && alive+=("$p"); done
    echo "${alive[@]}"
}

started=$SECONDS
for copies in 6 12; do
    step "$copies simultaneous starts, $ROUNDS rounds"
    for ((round = 1; round <= ROUNDS; round++)); do
        pids=()
        for ((i = 0; i < copies; i++)); do
            "$QUORVEX_WINE" "$E2E_EXE" &
            pids+=($!)
        done
        probe wait 30000 >/dev/null || fail "round $round: no bar appeared"
        # The copies that lose end by themselves within a few seconds.
        left=""
        for ((t = 0; t < 300; t++)); do
            left=$(running "${pids[@]}")
            [[ $(wc -w <<<"$left") == 1 ]] && break
            sleep 0.1
        done
        [[ $(wc -w <<<"$left") == 1 ]] || fail "round $round of $copies: $(wc -w <<<"$left") processes still running"
        bars=$(probe count)
        [[ $bars == 1 ]] || fail "round $round of $copies: $bars bars"
        E2E_BAR_PID=$left
        stop_all_bars
        wait_bar_exit
        for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
    done
    echo "ok: one bar in each of $ROUNDS rounds of $copies starts"
done
echo "time: $((SECONDS - started)) s for $((ROUNDS * 2)) rounds"
