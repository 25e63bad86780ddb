#!/usr/bin/env bash
# Starts and stops the Wine environment that Windows programs of one build tree run in:
# one Xvfb display, one booted Wine prefix and one persistent wineserver.
#
#   wine-env.sh start  <binary dir>   stop anything left over, then start afresh
#   wine-env.sh stop   <binary dir>   stop the wineserver (and all Wine processes) and the Xvfb
#   wine-env.sh status <binary dir>
#
# State lives in <binary dir>/wine-env/, the prefix in <binary dir>/wine-prefix/.
# With VM_WINE_DISPLAY set (e.g. to a real $DISPLAY), no Xvfb is started and that display is used.
#
# Everything started here is fully detached (own session, no inherited pipes): Wine's service
# processes otherwise keep CTest's output pipes open and CTest waits for them forever.
set -euo pipefail

readonly WINE_DIR=${VM_WINE_DIR:-/usr/lib/wine}
readonly WINE64=$WINE_DIR/wine64
# The real server binary: Debian's `wineserver` wrapper forces -p0 (exit when idle).
readonly WINESERVER=$WINE_DIR/wineserver64
readonly XVFB_FIRST_DISPLAY=${VM_XVFB_FIRST_DISPLAY:-90}
readonly XVFB_LAST_DISPLAY=$((XVFB_FIRST_DISPLAY + 100))
# Large enough for the View Manager at 96 DPI; VM_XVFB_SCREEN gives room for higher ones.
readonly XVFB_SCREEN=${VM_XVFB_SCREEN:-1280x1024x24}

usage() {
    echo "usage: $0 start|stop|status <binary dir>" >&2
    exit 2
}

[[ $# -eq 2 ]] || usage
action=$1
bindir=$(realpath -m -- "$2")
state=$bindir/wine-env
export WINEPREFIX=$bindir/wine-prefix
export WINEDEBUG=-all
# No network here: keep Wine from offering to download its Mono and Gecko add-ons.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"

log() { echo "wine-env: $*"; }

# True if <pid> is alive and is the program <name>.
is_running() {
    local pid=$1 name=$2 comm
    [[ $pid =~ ^[0-9]+$ ]] || return 1
    comm=$(cat "/proc/$pid/comm" 2>/dev/null) || return 1
    [[ $comm == "$name" ]]
}

# Pid of the wineserver serving the prefix, if any. The server works inside its socket directory,
# <some temporary dir>/server-<device>-<inode of the prefix>, which identifies the prefix; asking
# the server itself could start a new one.
server_pid() {
    [[ -d $WINEPREFIX ]] || return 1
    local dev ino dir pid
    read -r dev ino < <(stat -c '%d %i' "$WINEPREFIX")
    dir=$(printf 'server-%x-%x' "$dev" "$ino")
    for pid in $(pgrep -x 'wineserver(64)?' || true); do
        if [[ $(readlink "/proc/$pid/cwd" 2>/dev/null) == */"$dir" ]]; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

server_running() { server_pid >/dev/null; }

stop_wineserver() {
    server_running || return 0
    log "stopping wineserver for $WINEPREFIX"
    "$WINESERVER" -k >/dev/null 2>&1 || true
    local i
    for ((i = 0; i < 100; i++)); do
        server_running || return 0
        sleep 0.1
    done
    log "wineserver did not stop in 10 s; killing it"
    "$WINESERVER" -k9 >/dev/null 2>&1 || true
    kill -9 "$(server_pid)" 2>/dev/null || true
    sleep 1
}

stop_xvfb() {
    [[ -f $state/xvfb.pid ]] || return 0
    local pid
    pid=$(<"$state/xvfb.pid")
    if is_running "$pid" Xvfb; then
        log "stopping Xvfb (pid $pid, display $(cat "$state/display" 2>/dev/null))"
        kill "$pid" 2>/dev/null || true
        local i
        for ((i = 0; i < 50; i++)); do
            is_running "$pid" Xvfb || break
            sleep 0.1
        done
        if is_running "$pid" Xvfb; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    fi
    rm -f "$state/xvfb.pid"
}

do_stop() {
    stop_wineserver
    stop_xvfb
    rm -f "$state/display" "$state/env.sh"
}

# A display number is free if no live process holds its X lock file.
display_free() {
    local n=$1 lock=/tmp/.X$1-lock pid
    if [[ -e $lock ]]; then
        pid=$(tr -dc 0-9 <"$lock" 2>/dev/null || true)
        [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null && return 1
        # Stale lock of a killed server: Xvfb would refuse the display, so clear it.
        rm -f "$lock" "/tmp/.X11-unix/X$n"
    fi
    return 0
}

start_xvfb() {
    local n pid i
    mkdir -p /tmp/.X11-unix
    chmod 1777 /tmp/.X11-unix 2>/dev/null || true
    for ((n = XVFB_FIRST_DISPLAY; n <= XVFB_LAST_DISPLAY; n++)); do
        display_free "$n" || continue
        setsid Xvfb ":$n" -screen 0 "$XVFB_SCREEN" -nolisten tcp \
            </dev/null >"$state/xvfb.log" 2>&1 &
        pid=$!
        for ((i = 0; i < 100; i++)); do
            if [[ -S /tmp/.X11-unix/X$n ]] && [[ -e /tmp/.X$n-lock ]]; then
                # The lock names the server itself, whichever process setsid left behind.
                pid=$(tr -dc 0-9 <"/tmp/.X$n-lock")
                if is_running "$pid" Xvfb; then
                    echo "$pid" >"$state/xvfb.pid"
                    echo ":$n" >"$state/display"
                    log "Xvfb running on :$n (pid $pid)"
                    return 0
                fi
            fi
            is_running "$pid" Xvfb || is_running "$pid" setsid || break
            sleep 0.1
        done
        # Lost a race for this display, or the server failed: try the next number.
        kill "$pid" 2>/dev/null || true
        log "Xvfb could not start on :$n ($(tail -n 1 "$state/xvfb.log" 2>/dev/null))"
    done
    log "no free X display between :$XVFB_FIRST_DISPLAY and :$XVFB_LAST_DISPLAY"
    return 1
}

boot_prefix() {
    if [[ -f $WINEPREFIX/.vm-booted ]]; then
        log "reusing Wine prefix $WINEPREFIX"
        return 0
    fi
    # A prefix without the marker is from an interrupted boot: start it over.
    rm -rf "$WINEPREFIX"
    log "creating Wine prefix $WINEPREFIX (takes a minute or so)"
    local t0=$SECONDS
    if ! "$WINE64" wineboot --init </dev/null >"$state/wineboot.log" 2>&1; then
        log "wineboot failed:"
        cat "$state/wineboot.log"
        return 1
    fi
    # The registry reaches the disk when the (temporary) server exits.
    timeout 120 "$WINESERVER" -w || true
    [[ -f $WINEPREFIX/system.reg ]] || {
        log "wineboot left no registry in $WINEPREFIX"
        cat "$state/wineboot.log"
        return 1
    }
    touch "$WINEPREFIX/.vm-booted"
    log "Wine prefix ready in $((SECONDS - t0)) s"
}

start_wineserver() {
    # Persistent (-p: never exits on its own); `stop` ends it with -k.
    setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1 &
    local i
    for ((i = 0; i < 100; i++)); do
        if server_running; then
            log "wineserver running"
            return 0
        fi
        sleep 0.1
    done
    log "wineserver did not start"
    return 1
}

write_env() {
    {
        printf 'export WINEPREFIX=%q\n' "$WINEPREFIX"
        printf 'export WINEDEBUG=%q\n' "$WINEDEBUG"
        printf 'export WINEDLLOVERRIDES=%q\n' "$WINEDLLOVERRIDES"
        printf 'export DISPLAY=%q\n' "$(<"$state/display")"
    } >"$state/env.sh"
}

do_start() {
    [[ -x $WINE64 ]] || { log "$WINE64 not found: run scripts/install-deps.sh"; exit 1; }
    mkdir -p "$state"
    # Leftovers of a killed run (Xvfb, wineserver) would otherwise linger or get in the way.
    do_stop
    if [[ -n ${VM_WINE_DISPLAY:-} ]]; then
        echo "$VM_WINE_DISPLAY" >"$state/display"
        log "using display $VM_WINE_DISPLAY"
    else
        start_xvfb
    fi
    export DISPLAY
    DISPLAY=$(<"$state/display")
    if ! boot_prefix || ! start_wineserver; then
        do_stop
        exit 1
    fi
    write_env
}

do_status() {
    local rc=0
    if [[ -f $state/xvfb.pid ]] && is_running "$(<"$state/xvfb.pid")" Xvfb; then
        log "Xvfb running on $(<"$state/display") (pid $(<"$state/xvfb.pid"))"
    elif [[ -f $state/display ]]; then
        log "display $(<"$state/display")"
    else
        log "no display"
        rc=1
    fi
    if server_running; then log "wineserver running"; else log "no wineserver"; rc=1; fi
    return $rc
}

case $action in
start) do_start ;;
stop) do_stop ;;
status) do_status ;;
*) usage ;;
esac
