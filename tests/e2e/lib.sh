# Shared helpers of the end-to-end scripts. Each script runs inside a
# scripts/wine-session (ctest runs there) and is given the build folder:
#   source "$(dirname "$0")/lib.sh"; e2e_init "$1"
# Helpers fail the script (exit 1 with a message) when an expectation fails.

E2E_BAR_PID=""
E2E_CONFIG_KEY='HKCU\Software\Ostravane\Quorvex\1.0'

e2e_init() {
    local build=${1:?build folder}
    E2E_BIN=$(cd "$build/bin" && pwd)
    E2E_EXE=$E2E_BIN/Quorvex.exe
    E2E_PROBE=$E2E_BIN/bar_probe.exe
    WPROBE=$E2E_BIN/window_probe.exe
    E2E_NAME=$(basename "$0" .sh)
    [[ -n ${QUORVEX_WINE:-} && -n ${QUORVEX_URL_LOG:-} ]] || fail "run inside scripts/wine-session --recorder"
    [[ -f $E2E_EXE ]] || fail "no $E2E_EXE"
    trap e2e_cleanup EXIT
    # Every script starts from a first run, whatever an earlier one left: no
    # program of an earlier script, no settings, no start-at-sign-in value, no
    # URLs, and no clipboard text a start would put into the query box.
    end_stray_programs
    stop_all_bars
    reg_reset
    probe clip ""
    : > "$QUORVEX_URL_LOG"
}

# Ends (at once) every program of this session that an earlier script left
# running: bars, probes, key holders, setups. Wine's own services and the
# desktop stay. A program is told apart by its command line, which Wine gives
# as the Windows or Unix path of an .exe.
end_stray_programs() {
    local pid exe killed=()
    for pid in $(pgrep -f '\.exe'); do
        { tr '\0' '\n' < "/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        exe=$({ tr '\0' '\n' < "/proc/$pid/cmdline"; } 2>/dev/null | head -n1)
        exe=${exe,,}
        case $exe in
            *'\windows\system32\'* | *'\windows\syswow64\'*) continue ;;  # Wine's own
            *.exe | *.exe' '*) kill -9 "$pid" 2>/dev/null && killed+=("${exe##*[\\/]}") ;;
        esac
    done
    (( ${#killed[@]} )) && echo "note: ended programs an earlier script left: ${killed[*]}" >&2
    return 0
}

e2e_cleanup() {
    local rc=$?
    stop_suggest_server
    if [[ -n $E2E_BAR_PID ]] && kill -0 "$E2E_BAR_PID" 2>/dev/null; then
        kill "$E2E_BAR_PID" 2>/dev/null
        wait "$E2E_BAR_PID" 2>/dev/null
    fi
    if (( rc == 0 )); then echo "PASS $E2E_NAME"; else echo "FAIL $E2E_NAME"; fi
    exit $rc
}

fail() {
    echo "FAIL: $*" >&2
    # The test run names the first failure of a script it runs again.
    if [[ -n ${QUORVEX_E2E_FAILURES:-} && -n ${E2E_NAME:-} ]]; then
        echo "$*" >> "$QUORVEX_E2E_FAILURES/e2e_$E2E_NAME"
    fi
    exit 1
}

step() { echo "--- $*"; }

# Runs a Windows program and prints its output without the carriage returns;
# its exit status is the program's (a pipe into tr would hide it, and with it
# every probe's time-out).
wine_out() {
    local out rc err=$QUORVEX_WINE_RUN/wine_out.err
    out=$("$QUORVEX_WINE" "$@" 2>"$err")
    rc=$?
    [[ -n $out ]] && printf '%s\n' "${out//$'\r'/}"
    # A program that ended without a word (crashed, or never started) is
    # named with its status and Wine's last lines, so the check it fails says why.
    if (( rc != 0 )) && [[ -z $out ]] && (( rc != 1 )); then
        echo "note: ${1##*/} $2 ended with status $rc: $(tail -n 2 "$err" | tr -d '\r' | tr '\n' ' ')" >&2
    fi
    return $rc
}

probe() { wine_out "$E2E_PROBE" "$@"; }

# The bar and its windows as another program sees them (window_probe).
wp() { wine_out "$WPROBE" "$@"; }
# Waits until window_probe's state line shows every KEY=VALUE given.
expect_state() {
    local what=$1
    shift
    local got
    got=$(wp wait 10000 "$@") || fail "$what: expected [$*], state [$got]"
    echo "ok: $what"
}

# The bar's state as "key=value" lines; field NAME picks one value.
bar_info() { probe info; }
field() { sed -n "s/^$1=//p" <<<"$2" | head -n1; }

# Starts the bar and waits until it is shown; E2E_INFO holds its state.
start_bar() {
    "$QUORVEX_WINE" "$E2E_EXE" &
    E2E_BAR_PID=$!
    E2E_INFO=$(probe wait 30000) || fail "the bar did not appear: $E2E_INFO"
}

# Waits for the bar's process to end (after Esc and the like).
wait_bar_exit() {
    local timeout=${1:-20}
    local i
    for ((i = 0; i < timeout * 10; i++)); do
        kill -0 "$E2E_BAR_PID" 2>/dev/null || { wait "$E2E_BAR_PID" 2>/dev/null; E2E_BAR_PID=""; return 0; }
        sleep 0.1
    done
    fail "the bar did not end within ${timeout}s; its windows: $(bar_windows)"
}

# Whether the bar's thread answers (within 10 s) and the visible windows of its
# program beside the bar and its application window ("text [class]" joined by
# |): what holds a bar that does not end or does not react.
bar_windows() {
    local answers=no
    wp send 0 >/dev/null && answers=yes
    echo "answers=$answers $("$QUORVEX_WINE" "$E2E_BIN/hotkey_probe.exe" texts 2>/dev/null | tr -d '\r' | tr '\n' '|')"
}

stop_all_bars() {
    [[ $(probe count) == 0 ]] && return 0
    # taskkill posts WM_CLOSE to each of the program's top-level windows; the
    # application window's ends it as the taskbar's Close does (settings saved).
    "$QUORVEX_WINE" taskkill /im Quorvex.exe >/dev/null 2>&1 || true
    probe gone 10000 && return 0
    # Whatever holds it is logged; the next steps (and scripts) still start
    # from no bar at all.
    echo "note: a bar is still running 10 s after taskkill: $(bar_windows); ending it" >&2
    "$QUORVEX_WINE" taskkill /f /im Quorvex.exe >/dev/null 2>&1 || true
    probe gone 10000 || fail "a bar outlived taskkill /f"
}

# Geometry of the bar: left, top, width.
bar_left() { field rect "$E2E_INFO" | cut -d, -f1; }
bar_top() { field rect "$E2E_INFO" | cut -d, -f2; }
bar_width() { field size "$E2E_INFO" | cut -dx -f1; }
refresh_info() { E2E_INFO=$(bar_info); }

# Waits until the bar's state holds every KEY=VALUE given (polling, up to
# 10 s); E2E_INFO then holds that state. WHAT names the check.
wait_info() {
    local what=$1
    shift
    E2E_INFO=$(probe waitfor 10000 "$@") || fail "$what: expected [$*], state [$(tr '\n' ' ' <<<"$E2E_INFO")]"
    echo "ok: $what"
}

# Returns once the bar's thread has finished what it was handling (a sent
# message's round trip): the positive sign before a negative check.
bar_sync() { probe sync 10000 || fail "the bar did not answer"; }

# The short pauses after input only pace the events for the display; no
# check relies on them: every check polls for the state it expects.

# Clicks at a point of the bar's client area (the bar has no border).
click_bar() {
    local x=$(( $(bar_left) + $1 )) y=$(( $(bar_top) + $2 ))
    xdotool mousemove "$x" "$y" click "${3:-1}"
    sleep 0.3
}

# Gives the query box the keyboard focus.
focus_query() { click_bar 60 38; }

keys() {
    xdotool key --delay 60 "$@"
    sleep 0.4
}

type_text() {
    xdotool type --delay 60 "$1"
    sleep 0.3
}

expect_eq() {
    [[ "$1" == "$2" ]] || fail "$3: expected [$2], got [$1]"
    echo "ok: $3"
}

# Waits until the URL log holds N lines; prints the last.
wait_url() {
    local want=${1:-1} i
    for ((i = 0; i < 150; i++)); do
        if (( $(wc -l < "$QUORVEX_URL_LOG") >= want )); then
            sed -n "${want}p" "$QUORVEX_URL_LOG" | tr -d '\r'
            return 0
        fi
        sleep 0.1
    done
    fail "no URL number $want was opened (log: $(cat "$QUORVEX_URL_LOG"))"
}

url_count() { wc -l < "$QUORVEX_URL_LOG"; }

reg_delete() { "$QUORVEX_WINE" reg delete 'HKCU\Software\Ostravane' /f >/dev/null 2>&1 || true; }

# No settings and no start-at-sign-in value, in one registry import.
reg_reset() {
    local file=$QUORVEX_WINE_RUN/reset.reg
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[-HKEY_CURRENT_USER\\Software\\Ostravane]\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"Lumetra"=-\r\n' > "$file"
    "$QUORVEX_WINE" regedit /s "$("$QUORVEX_WINE" winepath -w "$file" 2>/dev/null | tr -d '\r')" >/dev/null 2>&1 ||
        fail "cannot reset the registry"
}

# The settings value as hex digits (empty when there is none).
reg_config_hex() {
    "$QUORVEX_WINE" reg query "$E2E_CONFIG_KEY" /v Config 2>/dev/null | tr -d '\r' |
        sed -n 's/.*REG_BINARY[[:space:]]*//p' | tr -d ' \n' | tr 'a-f' 'A-F'
}

# Writes the settings value from hex digits.
reg_config_set() {
    "$QUORVEX_WINE" reg add "$E2E_CONFIG_KEY" /v Config /t REG_BINARY /d "$1" /f >/dev/null 2>&1 ||
        fail "cannot write the settings value"
}

# Byte OFFSET (count N) of the value, as hex digits.
hex_bytes() { echo "${1:$(( $2 * 2 )):$(( $3 * 2 ))}"; }

# A little-endian signed 32-bit field at OFFSET.
hex_int32() {
    local h=$(hex_bytes "$1" "$2" 4)
    local v=$(( 16#${h:6:2}${h:4:2}${h:2:2}${h:0:2} ))
    (( v >= 2147483648 )) && v=$(( v - 4294967296 ))
    echo "$v"
}

# History slot N (1..20) as text (its bytes up to the first zero, GBK decoded).
hex_slot() {
    local h=$(hex_bytes "$1" $(( 24 + ($2 - 1) * 32 )) 32)
    local escaped=$(sed 's/\(00\)*$//; s/../\\x&/g' <<<"$h")
    printf '%b' "$escaped" | iconv -f GBK -t UTF-8
}

# A screenshot of the bar alone.
shot_bar() {
    local out=$1
    mkdir -p "$(dirname "$out")"
    refresh_info
    import -window root -crop "$(field size "$E2E_INFO")+$(bar_left)+$(bar_top)" +repage "$out" 2>/dev/null ||
        fail "screenshot failed"
}

# ---- for the setup scripts

win() { wine_out "$@"; }
unix_path() { win winepath -u "$1"; }
# What reg shows of a key (in the ANSI code page; a byte that is not GBK drops
# itself, not the rest).
reg_show() { win reg query "$@" | iconv -c -f GBK -t UTF-8; }
# A value's data; empty when missing.
reg_value() { reg_show "$1" /v "$2" | sed -n "s/^    $2    REG_[A-Z_]*    //p"; }
# Every value of a key as NAME=DATA lines, from one query (field NAME picks one).
reg_values() { reg_show "$1" | sed -n 's/^    \([^ ]*\)    REG_[A-Z_]*    \(.*\)$/\1=\2/p'; }
reg_has_key() { "$QUORVEX_WINE" reg query "$1" >/dev/null 2>&1; }

# Waits (bounded) until the command succeeds.
wait_until() {
    local seconds=$1 what=$2 i
    shift 2
    for ((i = 0; i < seconds * 10; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    fail "$what (waited ${seconds}s)"
}

# Opens the bar's setup menu (F5) and presses KEYS in it.
setup_menu() {
    focus_query
    keys F5
    probe menu 5000 >/dev/null || fail "setup menu did not open"
    keys "$@"
}

# ---- the local suggestion service (tools/suggest_server.py; the path grammar
# is at the top of that file)

SUGGEST_PID=""
# Starts it and waits until it listens: SUGGEST_PORT, SUGGEST_URL
# (http://127.0.0.1:PORT, the start of a SuggestUrl) and SUGGEST_LOG are set.
# e2e_cleanup stops it.
start_suggest_server() {
    local dir
    dir=$(mktemp -d "${QUORVEX_WINE_RUN:-${TMPDIR:-/tmp}}/suggest.XXXXXX")
    SUGGEST_LOG=$dir/requests.log
    python3 "$(dirname "${BASH_SOURCE[0]}")/tools/suggest_server.py" "$dir/port" "$SUGGEST_LOG" &
    SUGGEST_PID=$!
    wait_until 10 "the suggestion server did not listen" test -s "$dir/port"
    SUGGEST_PORT=$(< "$dir/port")
    SUGGEST_URL=http://127.0.0.1:$SUGGEST_PORT
}

stop_suggest_server() {
    [[ -n $SUGGEST_PID ]] || return 0
    kill "$SUGGEST_PID" 2>/dev/null
    wait "$SUGGEST_PID" 2>/dev/null
    SUGGEST_PID=""
    return 0
}

# The requests so far, one a line: PATH?QUERY, the decoded text, User-Agent,
# Cookie (tab-separated; "-" for a missing header).
suggest_requests() { cat "$SUGGEST_LOG"; }
# Just the texts asked for, one a line.
suggest_texts() { cut -f2 "$SUGGEST_LOG"; }
# Whether TEXT was asked for.
suggest_asked() { suggest_texts | grep -qxF "$1"; }
# Whether the reply for TEXT has been given (written, or the client had gone).
suggest_replied() { cut -f1 "$SUGGEST_LOG.replies" 2>/dev/null | grep -qxF "$1"; }
